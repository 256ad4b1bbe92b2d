// CRC-32, random numbers and directory creation on the core object.
#include "Veltrano_Main.h"

#include <cstring>
#include <string>
#include <vector>

#include "core/core_state.h"
#include "core/crc32.h"
#include "platform/platform.h"

unsigned int Veltrano_Main::CRC32(const char* buffer, int length) {
    if (buffer == nullptr || length <= 0) return 0;
    if (!state->crcTableBuilt) {
        state->crcTable = new uint32_t[256];
        BuildCrc32Table(state->crcTable);
        state->crcTableBuilt = true;
    }
    return ComputeCrc32(state->crcTable, buffer, static_cast<size_t>(length));
}

unsigned int Veltrano_Main::CRC32(const char* fileName) {
    int fd = platform::Open(fileName, platform::OpenMode::ReadOnly);
    if (fd < 0) return 0;
    long size = platform::Length(fd);
    unsigned int crc = 0;
    if (size > 0 && size <= 0x7FFFFFFF) {
        std::vector<char> bytes(static_cast<size_t>(size));
        long got = platform::Read(fd, bytes.data(), bytes.size());
        // A file that shrank under us is checksummed as far as it reads.
        if (got > 0) crc = CRC32(bytes.data(), static_cast<int>(got));
    }
    platform::Close(fd);
    return crc;
}

void Veltrano_Main::RandSeed(unsigned int seed) { state->random.Seed(seed); }

unsigned int Veltrano_Main::Rand() { return state->random.Next(); }

double Veltrano_Main::RandReal() { return state->random.NextReal(); }

int Veltrano_Main::MakeDirectory(const char* path) {
    if (path == nullptr || path[0] == '\0') return 0;
    std::string directory(std::strlen(path) + 1, '\0');
    platform::SplitPath(path, directory.data(), nullptr);
    directory.resize(std::strlen(directory.c_str()));
    if (directory.empty()) return 0;

    // Backslashes after the first character become slashes; a leading
    // separator stays so the first component is made at the root.
    for (size_t i = 1; i < directory.size(); ++i)
        if (directory[i] == '\\') directory[i] = '/';

    std::string prefix;
    size_t start = 0;
    while (start < directory.size()) {
        size_t end = directory.find('/', start);
        if (end == std::string::npos) end = directory.size();
        std::string component = directory.substr(start, end - start);
        start = end + 1;
        if (component.empty()) {
            // A leading separator: the next component is made at the root.
            if (prefix.empty() && end == 0) prefix = directory.substr(0, 1);
            continue;
        }
        prefix = prefix.empty() ? component
                 : (prefix.back() == '/' || prefix.back() == '\\') ? prefix + component
                                                                    : prefix + "/" + component;
        if (platform::Stat(prefix.c_str()) != 0 && platform::MakeDir(prefix.c_str()) != 0) return 0;
    }
    return 1;
}
