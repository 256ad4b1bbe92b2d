// Commands that rewrite whole archives: compact, protect, unprotect. The SDK
// runs them on closed archives and writes their temporary and result files
// relative to the working folder, so they run inside the archive's folder:
// the new files land beside the archive and a rename never crosses file
// systems.
#include <veltrano.h>

#include <filesystem>
#include <map>
#include <system_error>
#include <utility>
#include <vector>

#include "archive_session.h"
#include "commands.h"
#include "files.h"
#include "messages.h"
#include "password.h"

namespace fs = std::filesystem;

namespace {

// The file name compacting uses for its temporary copy.
const char kCompactTemporary[] = "dpf.tmp";

// Works inside the folder of an archive for its lifetime.
class InArchiveFolder {
public:
    explicit InArchiveFolder(const std::string& archivePath)
        : folder_(fs::path(archivePath).parent_path()), name_(BaseName(archivePath)) {
        std::error_code error;
        previous_ = fs::current_path(error);
        entered_ = !error && !folder_.empty();
        if (entered_) fs::current_path(folder_, error);
        ok_ = !error;
        if (!ok_) PrintError("cannot enter the folder '%s': %s", folder_.string().c_str(), error.message().c_str());
    }
    ~InArchiveFolder() {
        std::error_code error;
        if (entered_) fs::current_path(previous_, error);
    }
    InArchiveFolder(const InArchiveFolder&) = delete;
    InArchiveFolder& operator=(const InArchiveFolder&) = delete;

    bool ok() const { return ok_; }
    // The archive's file name inside the folder.
    const std::string& name() const { return name_; }
    // A file of the folder, as the user's working folder sees it.
    std::string Outside(const std::string& file) const { return (folder_ / file).string(); }

private:
    fs::path folder_;
    std::string name_;
    fs::path previous_;
    bool entered_ = false;
    bool ok_ = true;
};

// The names the SDK may give the copy of archive name with suffix: the name
// cut at its last '.', or, for a name without one, the suffix alone or the
// whole name with the suffix.
std::vector<std::string> CopyNameCandidates(const std::string& name, const char* suffix) {
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) return {name.substr(0, dot) + suffix};
    return {suffix, name + suffix};
}

// Notes the candidates' state before the SDK writes, to spot the one it wrote.
class NewFileWatch {
public:
    explicit NewFileWatch(std::vector<std::string> candidates) : candidates_(std::move(candidates)) {
        for (const std::string& file : candidates_) before_[file] = Stamp(file);
    }
    // The first candidate made or rewritten since construction, else "".
    std::string Written() const {
        for (const std::string& file : candidates_) {
            const auto now = Stamp(file);
            if (now.first && (!before_.at(file).first || now.second != before_.at(file).second)) return file;
        }
        return "";
    }

private:
    static std::pair<bool, fs::file_time_type> Stamp(const std::string& file) {
        std::error_code error;
        const fs::file_time_type time = fs::last_write_time(file, error);
        return {!error, time};
    }

    std::vector<std::string> candidates_;
    std::map<std::string, std::pair<bool, fs::file_time_type>> before_;
};

size_t CountDeleted(const std::vector<BlockEntry>& blocks) {
    size_t deleted = 0;
    for (const BlockEntry& block : blocks) deleted += block.IsDeleted() ? 1 : 0;
    return deleted;
}

uintmax_t SizeOf(const std::string& path) {
    std::error_code error;
    const uintmax_t size = fs::file_size(path, error);
    return error ? 0 : size;
}

// Runs Protect (protect = true) or UnProtect on the closed archive.
int WriteCopy(const std::string& archivePath, const std::string& password, bool protect) {
    InArchiveFolder folder(archivePath);
    if (!folder.ok()) return kExitFailure;
    const NewFileWatch watch(CopyNameCandidates(folder.name(), protect ? "_secure.dpf" : "_unsecure.dpf"));
    std::vector<unsigned char> key(password.begin(), password.end());
    const auto length = static_cast<unsigned char>(key.size());
    const int done = protect ? IStuffDPF->Protect(folder.name().c_str(), key.data(), length)
                             : IStuffDPF->UnProtect(folder.name().c_str(), key.data(), length);
    const std::string written = watch.Written();
    if (done != 1 || written.empty()) {
        PrintError("could not write the %s copy of '%s'; run with --log FILE for details",
                   protect ? "protected" : "plain", archivePath.c_str());
        return kExitFailure;
    }
    PrintResult("wrote '%s'", folder.Outside(written).c_str());
    return kExitOk;
}

}  // namespace

int RunCompact(const Arguments& args) {
    const std::string& archivePath = args.positional[0];
    std::vector<BlockEntry> blocks;
    {
        ArchiveSession archive;
        if (!archive.Open(archivePath, args, PasswordNeed::Required, Access::Write) || !archive.ReadBlocks(blocks))
            return kExitFailure;
    }  // closed: the SDK compacts closed archives only
    const size_t deleted = CountDeleted(blocks);
    if (deleted == 0) {
        PrintResult("'%s' has no deleted blocks: nothing to compact", archivePath.c_str());
        return kExitOk;
    }

    const uintmax_t before = SizeOf(archivePath);
    InArchiveFolder folder(archivePath);
    if (!folder.ok()) return kExitFailure;
    std::error_code error;
    if (fs::exists(kCompactTemporary, error)) {
        PrintError("'%s' is in the way: compacting writes its temporary copy under that name",
                   folder.Outside(kCompactTemporary).c_str());
        return kExitFailure;
    }
    if (IStuffDPF->Compact(folder.name().c_str()) != 1) {
        PrintError("compacting '%s' failed; run with --log FILE for details", archivePath.c_str());
        return kExitFailure;
    }
    PrintResult("compacted '%s': %zu deleted blocks removed, %ju bytes before, %ju after", archivePath.c_str(),
                deleted, before, SizeOf(folder.name()));
    return kExitOk;
}

int RunProtect(const Arguments& args) {
    const std::string& archivePath = args.positional[0];
    {
        ArchiveSession archive;
        if (!archive.Open(archivePath, args, PasswordNeed::Optional, Access::Read)) return kExitFailure;
        if (archive.header().isProtected) {
            PrintError("'%s' is already protected", archivePath.c_str());
            return kExitFailure;
        }
    }  // closed: the SDK protects closed archives only
    std::string password;
    if (!ObtainPassword(args, archivePath, PasswordPurpose::Choose, password)) return kExitFailure;
    return WriteCopy(archivePath, password, true);
}

int RunUnprotect(const Arguments& args) {
    const std::string& archivePath = args.positional[0];
    std::string password;
    {
        ArchiveSession archive;
        if (!archive.Open(archivePath, args, PasswordNeed::Required, Access::Read)) return kExitFailure;
        if (!archive.header().isProtected) {
            PrintError("'%s' is not protected", archivePath.c_str());
            return kExitFailure;
        }
        password = archive.password();
    }  // closed: the SDK unprotects closed archives only
    return WriteCopy(archivePath, password, false);
}
