#include "tiles.h"

#include <veltrano.h>

#include "messages.h"

namespace {

bool IsVersion1(const std::string& type) { return type == "TILE" || type == "TILB"; }

std::string CellsText(Veltrano_CTile& tile) {
    int stepX = 0, stepY = 0;
    if (tile.GetOffset(&stepX, &stepY) == 0) return "";
    const int perRow = tile.GetSizeX() / stepX, perColumn = tile.GetSizeY() / stepY;
    if (perRow == 0 || perColumn == 0) return ", grid " + std::to_string(stepX) + "x" + std::to_string(stepY) + ", no cells";
    return ", " + std::to_string(perRow * perColumn) + " cells of " + std::to_string(tile.GetSizeX() / perRow) +
           "x" + std::to_string(tile.GetSizeY() / perColumn);
}

}  // namespace

bool IsTileBlockType(const std::string& type) { return IsVersion1(type) || type == "TILE2" || type == "TILB2"; }

bool ReadTileOptions(const Arguments& args, TileOptions& options) {
    options.type = args.Value("type", options.type);
    if (options.type != "TILE2" && options.type != "TILB2") {
        PrintError("--tile stores TILE2 or TILB2 blocks, not '%s'", options.type.c_str());
        return false;
    }
    if (args.Has("grid") && !ParseSize(args.Value("grid"), options.cellWidth, options.cellHeight)) {
        PrintError("--grid takes the cell size as WIDTHxHEIGHT in pixels, not '%s'", args.Value("grid").c_str());
        return false;
    }
    return ReadImageOptions(args, options.key);
}

bool AddTileFile(ArchiveSession& archive, const std::string& path, const std::string& name,
                 const TileOptions& options) {
    Veltrano_CTile tile;
    if (tile.Create(path.c_str(), name.c_str()) != 1) {
        PrintUnreadablePicture(path);
        return false;
    }
    if (options.cellWidth > 0) {
        const std::string fault =
            CuttingFault(tile.GetSizeX(), tile.GetSizeY(), options.cellWidth, options.cellHeight, "cells");
        if (!fault.empty()) {
            PrintError("'%s' cannot be cut into cells of %dx%d: %s", path.c_str(), options.cellWidth,
                       options.cellHeight, fault.c_str());
            return false;
        }
        tile.SetTileSet(1, options.cellWidth, options.cellHeight);
    }
    if (options.key.hasColorKey)
        tile.SetColorKey(static_cast<int>(options.key.red), static_cast<int>(options.key.green),
                         static_cast<int>(options.key.blue));
    const int stored = tile.Save(archive.handle(), options.type.c_str());
    if (stored == -1) {
        PrintError("the archive already holds a block '%s' of type %s", name.c_str(), options.type.c_str());
        return false;
    }
    if (stored <= 0) {
        PrintError("could not store '%s' as a tile block", path.c_str());
        return false;
    }
    PrintResult("added '%s' (%s, %dx%d%s, %d stored)", name.c_str(), options.type.c_str(), tile.GetSizeX(),
                tile.GetSizeY(), CellsText(tile).c_str(), stored);
    return true;
}

std::string TileDescription(ArchiveSession& archive, const BlockEntry& block) {
    if (!IsTileBlockType(block.type) || !archive.unlocked()) return "";
    // Loading a version 1 block would rewrite it as version 2.
    if (IsVersion1(block.type)) return "version 1 tile, upgraded when the SDK loads it";
    Veltrano_CTile tile;
    if (tile.Load(archive.handle(), block.name.c_str(), block.type.c_str()) != 1) return "";
    return std::to_string(tile.GetSizeX()) + "x" + std::to_string(tile.GetSizeY()) + ", " +
           std::to_string(tile.GetSurface()->format->BitsPerPixel) + " bits" + CellsText(tile);
}

bool ExtractTileAsPng(ArchiveSession& archive, const BlockEntry& block, const std::string& path) {
    if (IsVersion1(block.type)) {
        PrintError("the block '%s' (%s) is a version 1 tile: the SDK upgrades it to %s2 when a game loads it "
                   "from a writable archive; extract its bytes without --png",
                   block.name.c_str(), block.type.c_str(), block.type.c_str());
        return false;
    }
    Veltrano_CTile tile;
    if (tile.Load(archive.handle(), block.name.c_str(), block.type.c_str()) != 1) {
        PrintError("the block '%s' (%s) is not a tile the SDK can read", block.name.c_str(), block.type.c_str());
        return false;
    }
    if (IImage->SavePNG(path.c_str(), tile.GetSurface(), 9) != 0) {
        PrintError("cannot write '%s': %s", path.c_str(), SDL_GetError());
        return false;
    }
    PrintResult("extracted '%s' (%s as PNG, %dx%d)", path.c_str(), block.type.c_str(), tile.GetSizeX(),
                tile.GetSizeY());
    return true;
}
