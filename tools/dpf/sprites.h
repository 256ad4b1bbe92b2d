// Sprites in archives: sheets (PNG or BMP) cut into animations and frames
// through the SDK's own sprite class and stored as "SPR2" blocks, their
// animations and frame counts shown in listings, and sheets written back
// out as PNG.
#ifndef VELTRANO_DPF_SPRITES_H
#define VELTRANO_DPF_SPRITES_H

#include <string>

#include "archive_session.h"
#include "command_line.h"

constexpr char kSpriteBlockType[] = "SPR2";
constexpr char kVersion1SpriteBlockType[] = "SPR";

// The size of one frame of the sheet.
struct SpriteOptions {
    int frameWidth = 0;
    int frameHeight = 0;
};

// "SPR" or "SPR2".
bool IsSpriteBlockType(const std::string& type);

// Reads --frame (required with --sprite); prints why and returns false when
// it is missing or wrong.
bool ReadSpriteOptions(const Arguments& args, SpriteOptions& options);

// Cuts the sheet into frames and adds it as the SPR2 block name; says why
// when the frame size does not divide the sheet or a row has no frames.
bool AddSpriteFile(ArchiveSession& archive, const std::string& path, const std::string& name,
                   const SpriteOptions& options);

// "sprite, frames of WxH, N animations (F1, F2 ... frames)" of an SPR2
// block, a note for a version 1 block, or "" for other blocks.
std::string SpriteDescription(ArchiveSession& archive, const BlockEntry& block);

// Writes the sprite's sheet as a PNG file at path.
bool ExtractSpriteAsPng(ArchiveSession& archive, const BlockEntry& block, const std::string& path);

#endif
