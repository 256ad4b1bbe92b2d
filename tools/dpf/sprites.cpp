#include "sprites.h"

#include <veltrano.h>

#include <vector>

#include "images.h"
#include "messages.h"

namespace {

// Frames of every animation of the sprite.
std::vector<int> FrameCounts(Veltrano_CSprite& sprite, int animations) {
    std::vector<int> counts;
    for (int anim = 1; anim <= animations; ++anim) {
        unsigned short type = 0, state = 0, frames = 0, start = 0, end = 0;
        short hotSpotX = 0, hotSpotY = 0;
        sprite.GetAnimProperties(anim, &type, &state, &frames, &hotSpotX, &hotSpotY, &start, &end);
        counts.push_back(frames);
    }
    return counts;
}

// "N animations (3, 2 frames)".
std::string AnimationsText(const std::vector<int>& counts) {
    std::string text = std::to_string(counts.size()) + (counts.size() == 1 ? " animation (" : " animations (");
    for (size_t i = 0; i < counts.size(); ++i) text += (i == 0 ? "" : ", ") + std::to_string(counts[i]);
    return text + " frames)";
}

bool LoadSprite(ArchiveSession& archive, const BlockEntry& block, Veltrano_CSprite& sprite, int& animations) {
    animations = sprite.Load(archive.handle(), block.name.c_str(), "veltrano-dpf");
    return animations > 0;
}

}  // namespace

bool IsSpriteBlockType(const std::string& type) {
    return type == kSpriteBlockType || type == kVersion1SpriteBlockType;
}

bool ReadSpriteOptions(const Arguments& args, SpriteOptions& options) {
    if (!args.Has("frame")) {
        PrintError("--sprite needs --frame WIDTHxHEIGHT, the size of one frame of the sheet");
        return false;
    }
    if (!ParseSize(args.Value("frame"), options.frameWidth, options.frameHeight)) {
        PrintError("--frame takes the frame size as WIDTHxHEIGHT in pixels, not '%s'", args.Value("frame").c_str());
        return false;
    }
    return true;
}

bool AddSpriteFile(ArchiveSession& archive, const std::string& path, const std::string& name,
                   const SpriteOptions& options) {
    SDL_Surface* sheet = IImage->LoadIMG(path.c_str());
    if (sheet == nullptr) {
        PrintUnreadablePicture(path);
        return false;
    }
    const std::string fault = CuttingFault(sheet->w, sheet->h, options.frameWidth, options.frameHeight, "frames");
    Veltrano_CSprite sprite;
    const int animations =
        fault.empty() ? sprite.Create(sheet, name.c_str(), options.frameWidth, options.frameHeight) : 0;
    SDL_FreeSurface(sheet);
    if (!fault.empty() || animations <= 0) {
        PrintError("'%s' cannot be cut into frames of %dx%d: %s", path.c_str(), options.frameWidth,
                   options.frameHeight, fault.empty() ? "the SDK refused the sheet" : fault.c_str());
        return false;
    }
    const std::vector<int> counts = FrameCounts(sprite, animations);
    for (size_t row = 0; row < counts.size(); ++row) {
        if (counts[row] != 0) continue;
        PrintError("'%s' cannot be cut into frames of %dx%d: row %zu has no frames (its first frame is one flat "
                   "colour, which ends a row)",
                   path.c_str(), options.frameWidth, options.frameHeight, row + 1);
        return false;
    }
    const int stored = sprite.Save(archive.handle(), kSpriteBlockType);
    if (stored == -1) {
        PrintError("the archive already holds a block '%s' of type %s", name.c_str(), kSpriteBlockType);
        return false;
    }
    if (stored <= 0) {
        PrintError("could not store '%s' as a sprite block", path.c_str());
        return false;
    }
    PrintResult("added '%s' (%s, frames of %dx%d, %s, %d stored)", name.c_str(), kSpriteBlockType,
                options.frameWidth, options.frameHeight, AnimationsText(counts).c_str(), stored);
    return true;
}

std::string SpriteDescription(ArchiveSession& archive, const BlockEntry& block) {
    if (!IsSpriteBlockType(block.type) || !archive.unlocked()) return "";
    // Loading a version 1 block would rewrite it as version 2.
    if (block.type == kVersion1SpriteBlockType) return "version 1 sprite, upgraded when the SDK loads it";
    Veltrano_CSprite sprite;
    int animations = 0;
    if (!LoadSprite(archive, block, sprite, animations)) return "";
    int width = 0, height = 0;
    sprite.GetOffset(&width, &height);
    return "sprite, frames of " + std::to_string(width) + "x" + std::to_string(height) + ", " +
           AnimationsText(FrameCounts(sprite, animations));
}

bool ExtractSpriteAsPng(ArchiveSession& archive, const BlockEntry& block, const std::string& path) {
    if (block.type == kVersion1SpriteBlockType) {
        PrintError("the block '%s' (%s) is a version 1 sprite: the SDK upgrades it to %s when a game loads it "
                   "from a writable archive; extract its bytes without --png",
                   block.name.c_str(), block.type.c_str(), kSpriteBlockType);
        return false;
    }
    Veltrano_CSprite sprite;
    int animations = 0;
    if (!LoadSprite(archive, block, sprite, animations)) {
        PrintError("the block '%s' (%s) is not a sprite the SDK can read", block.name.c_str(), block.type.c_str());
        return false;
    }
    SDL_Surface* sheet = sprite.GetSurface();
    if (IImage->SavePNG(path.c_str(), sheet, 9) != 0) {
        PrintError("cannot write '%s': %s", path.c_str(), SDL_GetError());
        return false;
    }
    PrintResult("extracted '%s' (%s as PNG, %dx%d)", path.c_str(), block.type.c_str(), sheet->w, sheet->h);
    return true;
}
