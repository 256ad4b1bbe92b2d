#include "files.h"

#include <climits>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "messages.h"

namespace fs = std::filesystem;

namespace {

// Block sizes are 32-bit signed, and compressing a block may need a buffer
// of size + size / 8 + 256 bytes, which must fit too.
constexpr uintmax_t kMaxBlockBytes = (static_cast<uintmax_t>(INT_MAX) - 256) / 9 * 8;

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<char>& bytes) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        PrintError("'%s' is not a file that can be read", path.c_str());
        return false;
    }
    const uintmax_t size = fs::file_size(path, error);
    if (error) {
        PrintError("cannot read '%s': %s", path.c_str(), error.message().c_str());
        return false;
    }
    if (size > kMaxBlockBytes) {
        PrintError("'%s' is too large for a block (%ju bytes; at most %ju)", path.c_str(), size, kMaxBlockBytes);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    bytes.resize(static_cast<size_t>(size));
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(size))) {
        PrintError("cannot read '%s'", path.c_str());
        return false;
    }
    return true;
}

bool WriteWholeFile(const std::string& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (out) out.close();
    if (!out) {
        PrintError("cannot write '%s'", path.c_str());
        return false;
    }
    return true;
}

bool IsSafeFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    return name.find_first_of("/\\") == std::string::npos;
}

bool ReportIfMissing(const std::string& path) {
    std::error_code error;
    const bool missing = !fs::exists(path, error) && !error;
    if (missing) PrintError("'%s' does not exist", path.c_str());
    return missing;
}

std::string BaseName(const std::string& path) { return fs::path(path).filename().string(); }
