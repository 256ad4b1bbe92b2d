#include "media/sound_files.h"

#include <climits>
#include <cstdint>

#include "Veltrano_IStuffDPF.h"
#include "platform/platform.h"

namespace sound_files {

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (path == nullptr) return false;
    const int fd = platform::Open(path, platform::OpenMode::ReadOnly);
    if (fd < 0) return false;
    const long length = platform::Length(fd);
    bool ok = length >= 0 && length <= INT_MAX;
    if (ok) {
        bytes.resize(static_cast<size_t>(length));
        ok = length == 0 || platform::Read(fd, bytes.data(), bytes.size()) == length;
    }
    platform::Close(fd);
    if (!ok) bytes.clear();
    return ok;
}

const char* Text(const char* text) { return text != nullptr ? text : "(null)"; }

const char* ArchiveName(int dpfHandle) {
    return Text(dpfHandle > 0 && IStuffDPF != nullptr ? IStuffDPF->GetFilename(dpfHandle) : nullptr);
}

unsigned long long Address(const void* pointer) {
    return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(pointer));
}

}  // namespace sound_files
