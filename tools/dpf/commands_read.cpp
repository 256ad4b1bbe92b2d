// Commands that read archives: list, extract, info.
#include <veltrano.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <map>
#include <system_error>

#include "archive_session.h"
#include "commands.h"
#include "files.h"
#include "fonts.h"
#include "images.h"
#include "messages.h"
#include "progress.h"
#include "sounds.h"
#include "sprites.h"
#include "tiles.h"
#include "widgets.h"

namespace fs = std::filesystem;

namespace {

std::string Ratio(const BlockEntry& block) {
    if (block.size <= 0) return "-";
    const long long percent = (static_cast<long long>(block.storedSize) * 100 + block.size / 2) / block.size;
    return std::to_string(percent) + "%";
}

bool IsFontBlock(const BlockEntry& block) { return block.type == kFontBlockType; }

// Pictures: what extract --png can write as a PNG.
bool IsPicture(const BlockEntry& block) {
    return block.type == kImageBlockType || IsTileBlockType(block.type) || IsFontBlock(block) ||
           IsSpriteBlockType(block.type);
}

// What a picture or audio block holds, "" for other blocks.
std::string BlockDescription(ArchiveSession& archive, const BlockEntry& block) {
    if (block.type == kImageBlockType) return ImageDescription(archive, block);
    if (IsAudioBlockType(block.type)) return AudioDescription(archive, block);
    if (IsFontBlock(block)) return FontDescription(archive, block);
    if (IsSpriteBlockType(block.type)) return SpriteDescription(archive, block);
    if (block.type == kWidgetBlockType) return WidgetDescription(archive, block);
    return IsTileBlockType(block.type) ? TileDescription(archive, block) : "";
}

void PrintBlockTable(ArchiveSession& archive, const std::vector<BlockEntry>& blocks) {
    int nameWidth = 4;
    for (const BlockEntry& block : blocks) nameWidth = std::max(nameWidth, static_cast<int>(block.name.size()));
    PrintResult("%-*s  %-7s  %-10s  %10s  %10s  %6s", nameWidth, "NAME", "TYPE", "STORAGE", "SIZE", "STORED",
                "RATIO");
    size_t deleted = 0;
    for (const BlockEntry& block : blocks) {
        if (block.IsDeleted()) ++deleted;
        const std::string image = block.IsDeleted() ? "" : BlockDescription(archive, block);
        PrintResult("%-*s  %-7s  %-10s  %10d  %10d  %6s%s%s", nameWidth, block.name.c_str(), block.type.c_str(),
                    StorageName(block.storage), block.size, block.storedSize, Ratio(block).c_str(),
                    block.IsDeleted() ? "  (deleted)" : "", image.empty() ? "" : ("  " + image).c_str());
    }
    PrintResult("%zu blocks, %zu deleted", blocks.size(), deleted);
}

// The blocks an extract command asks for; prints why when there are none.
// With --png only pictures (image, tile, font and sprite blocks) are
// candidates.
bool ChooseBlocks(const std::vector<BlockEntry>& allBlocks, const Arguments& args, std::vector<BlockEntry>& chosen) {
    const std::string type = args.Value("type");
    std::vector<BlockEntry> blocks;
    for (const BlockEntry& block : allBlocks)
        if (!args.Has("png") || IsPicture(block)) blocks.push_back(block);
    if (args.positional.size() > 1) {
        BlockEntry one;
        if (!SelectOneBlock(blocks, args.positional[1], type, one)) return false;
        chosen.push_back(one);
        return true;
    }
    for (const BlockEntry& block : blocks)
        if (!block.IsDeleted() && (type.empty() || block.type == type)) chosen.push_back(block);
    if (chosen.empty() && !type.empty()) {
        PrintError("there is no block of type %s", type.c_str());
        return false;
    }
    return true;
}

// Writes a picture block as a PNG file at path.
bool ExtractPicture(ArchiveSession& archive, const BlockEntry& block, const std::string& path) {
    if (block.type == kImageBlockType) return ExtractImageAsPng(archive, block, path);
    if (IsFontBlock(block)) return ExtractFontAsPng(archive, block, path);
    if (IsSpriteBlockType(block.type)) return ExtractSpriteAsPng(archive, block, path);
    return ExtractTileAsPng(archive, block, path);
}

// The file a block is written to: a picture's PNG with --png, an audio
// block's file with its format's tag, else the block's name.
std::string OutputFileName(ArchiveSession& archive, const BlockEntry& block, bool png) {
    if (IsPicture(block) && png) return PngFileName(block.name);
    return IsAudioBlockType(block.type) ? AudioFileName(archive, block) : block.name;
}

// Writes one block to folder; written maps file names to the block types
// already written in this run, so two blocks never land in one file.
bool ExtractBlock(ArchiveSession& archive, const BlockEntry& block, const std::string& folder, bool png,
                  std::map<std::string, std::string>& written) {
    if (!IsSafeFileName(block.name)) {
        PrintError("refusing to write the block '%s' (%s): its name is not a plain file name", block.name.c_str(),
                   block.type.c_str());
        return false;
    }
    const std::string file = OutputFileName(archive, block, png);
    const auto earlier = written.find(file);
    if (earlier != written.end()) {
        PrintError("skipping the block '%s' (%s): the block of type %s was written to that file; extract it "
                   "alone with --type %s -o ANOTHER_FOLDER",
                   block.name.c_str(), block.type.c_str(), earlier->second.c_str(), block.type.c_str());
        return false;
    }
    const bool asPng = IsPicture(block) && png;
    const std::string path = folder.empty() ? file : (fs::path(folder) / file).string();
    if (asPng) {
        if (!ExtractPicture(archive, block, path)) return false;
        written[file] = block.type;
        return true;
    }
    std::vector<char> bytes;
    if (!archive.LoadBytes(block, bytes) || !WriteWholeFile(path, bytes)) return false;
    written[file] = block.type;
    PrintResult("extracted '%s' (%s, %zu bytes)", path.c_str(), block.type.c_str(), bytes.size());
    return true;
}

bool PrepareFolder(const std::string& folder) {
    std::error_code error;
    if (folder.empty() || fs::is_directory(folder, error)) return true;
    if (fs::create_directories(folder, error)) return true;
    PrintError("cannot make the folder '%s': %s", folder.c_str(), error.message().c_str());
    return false;
}

void PrintBlockCounts(ArchiveSession& archive) {
    if (!archive.unlocked()) {
        PrintResult("Blocks:         unknown (the archive is protected; give --password-file)");
        return;
    }
    const int total = IStuffDPF->GetNumBlocks(archive.handle());
    const int deleted = IStuffDPF->GetNumDelBlocks(archive.handle());
    // GetFragment gives the share of the file NOT taken by deleted blocks.
    const int fragmentation = 100 - IStuffDPF->GetFragment(archive.handle());
    PrintResult("Fragmentation:  %d%%", fragmentation);
    PrintResult("Blocks:         %d (%d live, %d deleted)", total, total - deleted, deleted);
}

}  // namespace

int RunList(const Arguments& args) {
    ArchiveSession archive;
    std::vector<BlockEntry> blocks;
    if (!archive.Open(args.positional[0], args, PasswordNeed::Required, Access::Read) || !archive.ReadBlocks(blocks))
        return kExitFailure;
    PrintBlockTable(archive, blocks);
    return kExitOk;
}

int RunExtract(const Arguments& args) {
    ArchiveSession archive;
    std::vector<BlockEntry> blocks;
    std::vector<BlockEntry> chosen;
    if (!archive.Open(args.positional[0], args, PasswordNeed::Required, Access::Read) ||
        !archive.ReadBlocks(blocks) || !ChooseBlocks(blocks, args, chosen))
        return kExitFailure;
    if (chosen.empty()) {
        PrintResult("'%s' holds no blocks", archive.path().c_str());
        return kExitOk;
    }
    const std::string folder = args.Value("output");
    if (!PrepareFolder(folder)) return kExitFailure;

    ProgressBar progress("extract", chosen.size());
    std::map<std::string, std::string> written;
    size_t failures = 0;
    for (const BlockEntry& block : chosen) {
        if (!ExtractBlock(archive, block, folder, args.Has("png"), written)) ++failures;
        progress.Advance(block.name);
    }
    return failures == 0 ? kExitOk : kExitFailure;
}

int RunInfo(const Arguments& args) {
    ArchiveSession archive;
    if (!archive.Open(args.positional[0], args, PasswordNeed::Optional, Access::Read)) return kExitFailure;
    const ArchiveHeader& header = archive.header();
    std::error_code error;
    const uintmax_t bytes = fs::file_size(archive.path(), error);
    PrintResult("Archive:        %s", archive.path().c_str());
    PrintResult("Copyright:      %s", header.copyright.c_str());
    PrintResult("Created:        %s", header.created.c_str());
    PrintResult("Modified:       %s", header.modified.c_str());
    PrintResult("Protected:      %s", header.isProtected ? "yes" : "no");
    PrintResult("Size:           %d KB (%ju bytes)", IStuffDPF->GetSize(archive.handle()), bytes);
    PrintBlockCounts(archive);
    return kExitOk;
}
