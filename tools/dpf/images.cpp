#include "images.h"

#include <veltrano.h>

#include <cstdlib>

#include "files.h"
#include "messages.h"

namespace {

bool ParseHexColor(const std::string& text, ImageOptions& options) {
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
    const unsigned long value = std::strtoul(text.c_str(), nullptr, 16);
    options.red = (value >> 16) & 0xFF;
    options.green = (value >> 8) & 0xFF;
    options.blue = value & 0xFF;
    options.hasColorKey = true;
    return true;
}

// A copy of surface at the depth asked for, in the usual masks of that depth.
SDL_Surface* AtDepth(SDL_Surface* surface, int depth) {
    Uint32 r = 0xFF0000, g = 0xFF00, b = 0xFF, a = 0;
    if (depth == 16) r = 0xF800, g = 0x07E0, b = 0x001F;
    if (depth == 15) r = 0x7C00, g = 0x03E0, b = 0x001F;
    if (depth == 32 && surface->format->Amask != 0) a = 0xFF000000;
    SDL_Surface* format = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, depth, r, g, b, a);
    if (format == nullptr) return nullptr;
    SDL_SetAlpha(surface, 0, 255);
    SDL_Surface* converted = SDL_ConvertSurface(surface, format->format, SDL_SWSURFACE);
    SDL_FreeSurface(format);
    return converted;
}

}  // namespace

std::string CuttingFault(int width, int height, int pieceWidth, int pieceHeight, const char* pieces) {
    const std::string one = std::string(pieces).substr(0, std::string(pieces).size() - 1);
    if (width < pieceWidth)
        return "its width of " + std::to_string(width) + " pixels is less than one " + one;
    if (height < pieceHeight)
        return "its height of " + std::to_string(height) + " pixels is less than one " + one;
    if (width % pieceWidth != 0)
        return "its width of " + std::to_string(width) + " pixels is not a whole number of " + pieces;
    if (height % pieceHeight != 0)
        return "its height of " + std::to_string(height) + " pixels is not a whole number of " + pieces;
    return "";
}

void PrintUnreadablePicture(const std::string& path) {
    if (!ReportIfMissing(path)) PrintError("'%s' is not a PNG or BMP image the SDK can read", path.c_str());
}

bool ReadImageOptions(const Arguments& args, ImageOptions& options) {
    if (args.Has("depth")) {
        const std::string depth = args.Value("depth");
        options.depth = depth == "15" || depth == "16" || depth == "24" || depth == "32" ? std::atoi(depth.c_str()) : -1;
        if (options.depth < 0) {
            PrintError("--depth takes 15, 16, 24 or 32, not '%s'", depth.c_str());
            return false;
        }
    }
    if (args.Has("colorkey") && !ParseHexColor(args.Value("colorkey"), options)) {
        PrintError("--colorkey takes a colour as RRGGBB in hexadecimal, not '%s'", args.Value("colorkey").c_str());
        return false;
    }
    return true;
}

bool AddImageFile(ArchiveSession& archive, const std::string& path, const std::string& name,
                  const ImageOptions& options) {
    SDL_Surface* surface = IImage->LoadIMG(path.c_str());
    if (surface == nullptr) {
        PrintUnreadablePicture(path);
        return false;
    }
    if (options.depth != 0 && options.depth != surface->format->BitsPerPixel) {
        SDL_Surface* converted = AtDepth(surface, options.depth);
        SDL_FreeSurface(surface);
        if (converted == nullptr) {
            PrintError("cannot convert '%s' to %d bits: %s", path.c_str(), options.depth, SDL_GetError());
            return false;
        }
        surface = converted;
    }
    if (options.hasColorKey)
        SDL_SetColorKey(surface, SDL_SRCCOLORKEY,
                        SDL_MapRGB(surface->format, static_cast<Uint8>(options.red), static_cast<Uint8>(options.green),
                                   static_cast<Uint8>(options.blue)));
    const int stored = IImage->Save(archive.handle(), name.c_str(), surface);
    const int width = surface->w, height = surface->h, depth = surface->format->BitsPerPixel;
    SDL_FreeSurface(surface);
    if (stored == -1) {
        PrintError("the archive already holds a block '%s' of type IMG", name.c_str());
        return false;
    }
    if (stored <= 0) {
        PrintError("could not store '%s' as an image block", path.c_str());
        return false;
    }
    PrintResult("added '%s' (IMG, %dx%d, %d bits, %d stored)", name.c_str(), width, height, depth, stored);
    return true;
}

std::string ImageDescription(ArchiveSession& archive, const BlockEntry& block) {
    if (block.type != kImageBlockType || !archive.unlocked()) return "";
    sHeaderIPF header{};
    SDL_Surface* surface = IImage->Load(archive.handle(), block.name.c_str(), &header);
    if (surface == nullptr) return "";
    SDL_FreeSurface(surface);
    return std::to_string(header.width) + "x" + std::to_string(header.height) + ", " +
           std::to_string(header.bpp) + " bits";
}

std::string PngFileName(const std::string& blockName) {
    const std::string suffix = ".png";
    const bool hasSuffix = blockName.size() >= suffix.size() &&
                           blockName.compare(blockName.size() - suffix.size(), suffix.size(), suffix) == 0;
    return hasSuffix ? blockName : blockName + suffix;
}

bool ExtractImageAsPng(ArchiveSession& archive, const BlockEntry& block, const std::string& path) {
    SDL_Surface* surface = IImage->Load(archive.handle(), block.name.c_str(), nullptr);
    if (surface == nullptr) {
        PrintError("the block '%s' (IMG) is not an image the SDK can read", block.name.c_str());
        return false;
    }
    const int written = IImage->SavePNG(path.c_str(), surface, 9);
    const int width = surface->w, height = surface->h;
    SDL_FreeSurface(surface);
    if (written != 0) {
        PrintError("cannot write '%s': %s", path.c_str(), SDL_GetError());
        return false;
    }
    PrintResult("extracted '%s' (IMG as PNG, %dx%d)", path.c_str(), width, height);
    return true;
}
