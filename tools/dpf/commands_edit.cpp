// Commands that make archives and change their blocks: create, add, pack,
// delete.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "archive/ucl_codec.h"
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
#include "xml_check.h"

namespace fs = std::filesystem;

namespace {

const char kDefaultType[] = "FILE";

// One file on its way into the archive.
struct PendingFile {
    std::string path;
    std::string name;
    bool mustBeXml = false;
};

int StorageFrom(const Arguments& args) {
    if (args.Has("raw")) return kStorageRaw;
    if (args.Has("scramble")) return kStorageScrambled;
    return kStorageCompressed;
}

bool AllNamesFit(const std::vector<PendingFile>& files) {
    bool fit = true;
    for (const PendingFile& file : files) fit = CheckBlockName(file.name) && fit;
    return fit;
}

// Whether the archive's compressor makes bytes strictly smaller.
bool ShrinksUnderCompression(const std::vector<char>& bytes) {
    std::vector<uint8_t> packed(static_cast<size_t>(ucl_codec::WorstCaseSize(static_cast<int64_t>(bytes.size()))));
    const int64_t packedSize =
        ucl_codec::Compress(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), packed.data());
    // A failed trial leaves the choice to the archive, which reports it.
    return packedSize < 0 || packedSize < static_cast<int64_t>(bytes.size());
}

// The archive keeps empty blocks only compressed (a raw one would have a
// stored length of 0, which its writer reports as a failure). Data that do
// not shrink under compression (already compressed images and sounds,
// random bytes) are stored raw when compression was asked for: the block is
// no larger than the file and loads without decompressing.
int BlockStorageFor(const PendingFile& file, const std::vector<char>& bytes, int storage) {
    if (bytes.empty()) {
        if (storage != kStorageCompressed) PrintWarning("'%s' is empty: it is stored compressed", file.path.c_str());
        return kStorageCompressed;
    }
    if (storage == kStorageCompressed && !ShrinksUnderCompression(bytes)) return kStorageRaw;
    return storage;
}

bool AddOneFile(ArchiveSession& archive, const PendingFile& file, const std::string& type, int storage) {
    std::vector<char> bytes;
    if (!ReadWholeFile(file.path, bytes)) return false;
    if (file.mustBeXml && !IsWellFormedXml(file.path, bytes)) return false;
    const int storedAs = BlockStorageFor(file, bytes, storage);
    int storedSize = 0;
    if (!archive.AddBytes(file.name, type, storedAs, bytes, storedSize)) return false;
    PrintResult("added '%s' (%s, %zu bytes, %s, %d stored)", file.name.c_str(), type.c_str(), bytes.size(),
                StorageName(storedAs), storedSize);
    return true;
}

// Adds the files in order with addOne, drawing progress; gives how many were
// added.
template <typename AddOne>
size_t AddEach(const std::vector<PendingFile>& files, const char* progressLabel, AddOne addOne) {
    ProgressBar progress(progressLabel, files.size());
    size_t added = 0;
    for (const PendingFile& file : files) {
        if (addOne(file)) ++added;
        progress.Advance(file.name);
    }
    return added;
}

size_t AddFiles(ArchiveSession& archive, const std::vector<PendingFile>& files, const std::string& type,
                int storage, const char* progressLabel) {
    return AddEach(files, progressLabel,
                   [&](const PendingFile& file) { return AddOneFile(archive, file, type, storage); });
}

// The regular files directly inside folder, by name, leaving out skip.
bool FolderFiles(const std::string& folder, const std::string& skip, std::vector<PendingFile>& files) {
    std::error_code error;
    std::vector<fs::path> paths;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code fileError;
        if (!it->is_regular_file(fileError)) continue;
        if (fs::exists(skip, fileError) && fs::equivalent(it->path(), skip, fileError)) continue;
        paths.push_back(it->path());
    }
    if (error) {
        PrintError("cannot read the folder '%s': %s", folder.c_str(), error.message().c_str());
        return false;
    }
    std::sort(paths.begin(), paths.end());
    for (const fs::path& path : paths) files.push_back({path.string(), path.filename().string()});
    return true;
}

// Opens the archive, making it first when it does not exist yet.
bool OpenOrCreate(ArchiveSession& archive, const std::string& path, const Arguments& args) {
    std::error_code error;
    if (fs::exists(path, error)) return archive.Open(path, args, PasswordNeed::Required, Access::Write);
    if (!archive.Create(path)) return false;
    PrintResult("created '%s'", path.c_str());
    return true;
}

// The kinds of file add stores in a form of the SDK's own; one at a time.
const char* const kKindOptions[] = {"image", "tile", "font", "sprite", "sound", "music"};

// Kinds whose block type and storage are fixed, with what they store.
struct FixedKind {
    const char* option;
    const char* stores;
};
const FixedKind kFixedKinds[] = {{"image", "compressed IMG"}, {"font", "compressed FONT2"},
                                 {"sprite", "compressed SPR2"}, {"sound", "scrambled SND"},
                                 {"music", "MUS"}};

int KindCount(const Arguments& args) {
    int count = 0;
    for (const char* kind : kKindOptions) count += int(args.Has(kind));
    return count;
}

// The kinds take none of the plain storage options nor each other (a tile
// takes --type); --depth goes with --image only, --grid with --tile only,
// --frame with --sprite only, --colorkey with --image or --tile.
bool ImageOptionsFit(const Arguments& args) {
    const bool image = args.Has("image"), tile = args.Has("tile"), sprite = args.Has("sprite");
    if (KindCount(args) > 1) {
        PrintError("--image, --tile, --font, --sprite, --sound and --music exclude each other");
        return false;
    }
    for (const FixedKind& kind : kFixedKinds)
        if (args.Has(kind.option) && (args.Has("raw") || args.Has("scramble") || args.Has("type"))) {
            PrintError("--%s stores %s blocks: leave out --raw, --scramble and --type", kind.option, kind.stores);
            return false;
        }
    if (!sprite && args.Has("frame")) {
        PrintError("--frame goes with --sprite");
        return false;
    }
    if (tile && (args.Has("raw") || args.Has("scramble") || args.Has("depth"))) {
        PrintError("--tile stores compressed tile blocks: leave out --raw, --scramble and --depth");
        return false;
    }
    if (!image && args.Has("depth")) {
        PrintError("--depth goes with --image");
        return false;
    }
    if (!tile && args.Has("grid")) {
        PrintError("--grid goes with --tile");
        return false;
    }
    if (!image && !tile && args.Has("colorkey")) {
        PrintError("--colorkey goes with --image or --tile");
        return false;
    }
    return true;
}

}  // namespace

int RunCreate(const Arguments& args) {
    const std::string& path = args.positional[0];
    std::error_code error;
    if (fs::exists(path, error) && !args.Has("force")) {
        PrintError("'%s' already exists; give --force to replace it", path.c_str());
        return kExitFailure;
    }
    ArchiveSession archive;
    if (!archive.Create(path)) return kExitFailure;
    PrintResult("created '%s'", path.c_str());
    return kExitOk;
}

int RunAdd(const Arguments& args) {
    if (args.Has("button")) return AddWidget(args);
    const std::string& archivePath = args.positional[0];
    const std::vector<std::string> paths(args.positional.begin() + 1, args.positional.end());
    ImageOptions imageOptions;
    TileOptions tileOptions;
    SpriteOptions spriteOptions;
    if (!ImageOptionsFit(args)) return kExitUsage;
    if (args.Has("tile") ? !ReadTileOptions(args, tileOptions) : !ReadImageOptions(args, imageOptions))
        return kExitUsage;
    if (args.Has("sprite") && !ReadSpriteOptions(args, spriteOptions)) return kExitUsage;
    if (args.Has("raw") && args.Has("scramble")) {
        PrintError("--raw and --scramble exclude each other");
        return kExitUsage;
    }
    if (args.Has("name") && paths.size() != 1) {
        PrintError("--name names one block: give a single file with it");
        return kExitUsage;
    }
    const std::string type = args.Value("type", kDefaultType);
    if (args.Has("xml") && (type != kDefaultType || KindCount(args) > 0)) {
        PrintError("--xml stores FILE blocks: it cannot be given with another --type, --image, --tile, --font, "
                   "--sprite, --sound or --music");
        return kExitUsage;
    }
    std::vector<PendingFile> files;
    for (const std::string& path : paths) files.push_back({path, args.Value("name", BaseName(path)), args.Has("xml")});
    if (!CheckBlockType(type) || !AllNamesFit(files)) return kExitFailure;

    ArchiveSession archive;
    if (!archive.Open(archivePath, args, PasswordNeed::Required, Access::Write)) return kExitFailure;
    size_t added = 0;
    if (args.Has("image"))
        added = AddEach(files, "add", [&](const PendingFile& file) {
            return AddImageFile(archive, file.path, file.name, imageOptions);
        });
    else if (args.Has("tile"))
        added = AddEach(files, "add", [&](const PendingFile& file) {
            return AddTileFile(archive, file.path, file.name, tileOptions);
        });
    else if (args.Has("sprite"))
        added = AddEach(files, "add", [&](const PendingFile& file) {
            return AddSpriteFile(archive, file.path, file.name, spriteOptions);
        });
    else if (args.Has("sound") || args.Has("music"))
        added = AddEach(files, "add", [&](const PendingFile& file) {
            return AddAudioFile(archive, file.path, file.name, args.Has("music"));
        });
    else if (args.Has("font"))
        added = AddEach(files, "add", [&](const PendingFile& file) { return AddFontFile(archive, file.path, file.name); });
    else
        added = AddFiles(archive, files, type, StorageFrom(args), "add");
    return added == files.size() ? kExitOk : kExitFailure;
}

int RunPack(const Arguments& args) {
    const std::string& archivePath = args.positional[0];
    const std::string& folder = args.positional[1];
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        PrintError("'%s' is not a folder", folder.c_str());
        return kExitFailure;
    }
    std::vector<PendingFile> files;
    // The archive may live in the folder it packs; it never goes into itself.
    if (!FolderFiles(folder, archivePath, files) || !AllNamesFit(files)) return kExitFailure;

    ArchiveSession archive;
    if (!OpenOrCreate(archive, archivePath, args)) return kExitFailure;
    if (files.empty()) PrintWarning("the folder '%s' holds no files", folder.c_str());
    const size_t added = AddFiles(archive, files, kDefaultType, kStorageCompressed, "pack");
    PrintResult("packed %zu of %zu files into '%s'", added, files.size(), archivePath.c_str());
    return added == files.size() ? kExitOk : kExitFailure;
}

int RunDelete(const Arguments& args) {
    const std::string& archivePath = args.positional[0];
    const std::string& name = args.positional[1];
    ArchiveSession archive;
    if (!archive.Open(archivePath, args, PasswordNeed::Required, Access::Write)) return kExitFailure;
    std::vector<BlockEntry> blocks;
    BlockEntry chosen;
    if (!archive.ReadBlocks(blocks) || !SelectOneBlock(blocks, name, args.Value("type"), chosen))
        return kExitFailure;
    if (!archive.DeleteBlock(chosen)) return kExitFailure;
    PrintResult("deleted '%s' (%s); 'compact' gives its space back", chosen.name.c_str(), chosen.type.c_str());
    return kExitOk;
}
