// Tiles in archives: PNG and BMP files stored as "TILE2"/"TILB2" blocks
// through the SDK's own tile saver (with a grid of cells and a colour key
// when asked), their size and cells shown in listings, and tiles written
// back out as PNG files.
#ifndef VELTRANO_DPF_TILES_H
#define VELTRANO_DPF_TILES_H

#include <string>

#include "archive_session.h"
#include "command_line.h"
#include "images.h"

// How tiles are stored: the block type, the grid step (0 for no grid) and
// the colour that becomes transparent.
struct TileOptions {
    std::string type = "TILE2";
    int cellWidth = 0;
    int cellHeight = 0;
    ImageOptions key;
};

// "TILE", "TILB", "TILE2" or "TILB2".
bool IsTileBlockType(const std::string& type);

// Reads --type, --grid and --colorkey; prints why and returns false when
// they are wrong.
bool ReadTileOptions(const Arguments& args, TileOptions& options);

// Makes a tile of the PNG or BMP file and adds it as the block name.
bool AddTileFile(ArchiveSession& archive, const std::string& path, const std::string& name,
                 const TileOptions& options);

// "WIDTHxHEIGHT, DEPTH bits[, N cells of WxH]" of a tile block, a note for a
// version 1 block, or "" for other blocks.
std::string TileDescription(ArchiveSession& archive, const BlockEntry& block);

// Writes the tile block as a PNG file at path.
bool ExtractTileAsPng(ArchiveSession& archive, const BlockEntry& block, const std::string& path);

#endif
