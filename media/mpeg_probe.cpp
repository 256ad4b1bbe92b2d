#include "media/mpeg_probe.h"

#include <cstdio>
#include <string>

namespace mpeg_probe {

namespace {

constexpr size_t kProbeBytes = 65536;

bool StartCodeAt(const std::string& d, size_t i) { return i + 4 <= d.size() && d[i] == 0 && d[i + 1] == 0 && d[i + 2] == 1; }
unsigned Byte(const std::string& d, size_t i) { return i < d.size() ? static_cast<unsigned char>(d[i]) : 0u; }
bool IsAudioId(unsigned id) { return id >= 0xC0 && id <= 0xDF; }

// A pack header (system stream) or a sequence header (bare video stream).
bool StartsAsMpeg(const std::string& d) { return StartCodeAt(d, 0) && (Byte(d, 3) == 0xBA || Byte(d, 3) == 0xB3); }

// smpeg's demultiplexer never returns from a system stream that ends inside
// its headers: the pack and system headers and the first packet must be whole.
bool FirstPacketWhole(const std::string& d) {
    size_t i = 0;
    while (StartCodeAt(d, i)) {
        const unsigned id = Byte(d, i + 3);
        if (id == 0xBA) {
            i += 12;
            continue;
        }
        const size_t end = i + 6 + (Byte(d, i + 4) << 8 | Byte(d, i + 5));
        if (end > d.size()) return false;
        if (id != 0xBB) return true;
        i = end;
    }
    return false;
}

// The system header names a sound stream, or counts one.
bool DeclaresSound(const std::string& d) {
    for (size_t i = 0; i + 12 <= d.size(); ++i) {
        if (!StartCodeAt(d, i) || Byte(d, i + 3) != 0xBB) continue;
        if (Byte(d, i + 9) >> 2 != 0) return true;  // audio bound
        const size_t end = i + 6 + (Byte(d, i + 4) << 8 | Byte(d, i + 5));
        for (size_t s = i + 12; s + 3 <= end && s + 3 <= d.size() && (Byte(d, s) & 0x80); s += 3)
            if (IsAudioId(Byte(d, s)) || Byte(d, s) == 0xB8) return true;
    }
    return false;
}

// Where the payload of the packet at i begins: after the stuffing, the
// buffer size and the time stamps of an MPEG-1 packet header.
size_t PayloadStart(const std::string& d, size_t i) {
    size_t j = i + 6;
    while (Byte(d, j) == 0xFF) ++j;
    if ((Byte(d, j) & 0xC0) == 0x40) j += 2;
    if ((Byte(d, j) & 0xF0) == 0x20) return j + 5;
    if ((Byte(d, j) & 0xF0) == 0x30) return j + 10;
    return j + 1;  // 0x0F: no time stamps
}

// An MPEG audio frame header with a known layer, bit rate and sample rate.
bool ValidFrameHeader(const std::string& d, size_t i) {
    const unsigned b1 = Byte(d, i + 1), b2 = Byte(d, i + 2);
    return Byte(d, i) == 0xFF && (b1 & 0xE0) == 0xE0 && (b1 & 0x06) != 0 && (b2 >> 4) != 0x0F && ((b2 >> 2) & 3) != 3;
}

// The first sound packet is whole and begins with a readable frame header
// (smpeg reads the header only once it has the whole packet).
bool FirstSoundPacketReadable(const std::string& d) {
    for (size_t i = 0; i + 6 <= d.size(); ++i) {
        if (!StartCodeAt(d, i) || !IsAudioId(Byte(d, i + 3))) continue;
        const size_t end = i + 6 + (Byte(d, i + 4) << 8 | Byte(d, i + 5));
        const size_t payload = PayloadStart(d, i);
        return end <= d.size() && payload + 4 <= end && ValidFrameHeader(d, payload);
    }
    return false;
}

}  // namespace

const char* Refusal(const char* file) {
    std::FILE* in = std::fopen(file, "rb");
    if (in == nullptr) return nullptr;
    std::string head(kProbeBytes, '\0');
    head.resize(std::fread(head.data(), 1, head.size(), in));
    std::fclose(in);
    if (!StartsAsMpeg(head)) return "not an MPEG film";
    if (Byte(head, 3) == 0xBA && !FirstPacketWhole(head)) return "film cut short";
    if (DeclaresSound(head) && !FirstSoundPacketReadable(head)) return "unreadable sound track";
    return nullptr;
}

}  // namespace mpeg_probe
