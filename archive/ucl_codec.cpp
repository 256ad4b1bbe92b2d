#include "archive/ucl_codec.h"

#include <ucl/ucl.h>

#include <algorithm>
#include <cstring>

namespace ucl_codec {
namespace {
constexpr int kLevel = 6;
constexpr int64_t kMaxRatio = 1024;
constexpr int64_t kSmallBlockAllowance = 4096;

// The largest offset code before the low byte is added; one past it would
// overflow the 32-bit offset. The end mark is the largest code with 0xFF.
constexpr uint32_t kMaxOffsetCode = 0xFFFFFF + 3;
constexpr uint32_t kEndMark = 0xFFFFFFFF;
// Matches this far back are one byte longer than their length code says.
constexpr uint32_t kFarOffset = 0xD00;

// The NRV2B stream interleaves control bits with whole bytes (literals and
// offset low bytes). Bits come from the top of a control byte down; a marker
// bit shifted along with them tells when the byte is used up. Past the end
// of the input every bit reads 1 and the reader notes the overrun, which
// ends every loop of the decoder.
struct BitReader {
    const uint8_t* in;
    const uint8_t* end;
    uint32_t bits = 0;
    bool overrun = false;

    uint32_t Bit() {
        if ((bits & 0x7F) != 0) {
            bits <<= 1;
        } else if (in != end) {
            bits = static_cast<uint32_t>(*in++) << 1 | 1;
        } else {
            overrun = true;
            return 1;
        }
        return bits >> 8 & 1;
    }
    // An Elias-gamma style number: bits appended to value until a 1 bit
    // says stop.
    uint32_t Gamma(uint32_t value, uint32_t limit) {
        do {
            value = value * 2 + Bit();
            if (value > limit) overrun = true;
        } while (!overrun && !Bit());
        return value;
    }
};

// Copies count bytes from offset bytes back; the ranges may overlap, which
// repeats the last offset bytes. Eight bytes at a time when the source stays
// at least eight bytes behind and there is room to write a little past the
// end of the match (the next literal or match writes over it).
void CopyMatch(uint8_t* out, uint32_t offset, size_t count, const uint8_t* outEnd) {
    const uint8_t* from = out - offset;
    if (offset >= 8 && static_cast<size_t>(outEnd - out) >= count + 7) {
        for (size_t i = 0; i < count; i += 8) std::memcpy(out + i, from + i, 8);
    } else if (offset == 1) {
        std::memset(out, from[0], count);
    } else {
        for (size_t i = 0; i < count; ++i) out[i] = from[i];
    }
}

}  // namespace

bool Start() {
    static const bool started = ucl_init() == UCL_E_OK;
    return started;
}

int64_t WorstCaseSize(int64_t size) { return size + size / 8 + 256; }

int64_t Compress(const uint8_t* data, size_t size, uint8_t* out) {
    if (!Start()) return -1;
    ucl_uint outLength = static_cast<ucl_uint>(WorstCaseSize(static_cast<int64_t>(size)));
    const int result = ucl_nrv2b_99_compress(data, static_cast<ucl_uint>(size), out, &outLength, nullptr,
                                             kLevel, nullptr, nullptr);
    return result == UCL_E_OK ? static_cast<int64_t>(outLength) : -1;
}

// NRV2B's decoder, written here rather than taken from UCL: its bounded
// decoder copies matches a byte at a time and checks every step, a third
// slower than inflate on the same data. This one checks every input byte
// and every match against both buffers, and copies matches in words.
bool Decompress(const uint8_t* data, size_t size, uint8_t* out, size_t expectedSize) {
    BitReader reader{data, data + size};
    uint8_t* cursor = out;
    uint8_t* const outEnd = out + expectedSize;
    uint32_t lastOffset = 1;
    for (;;) {
        while (reader.Bit() && !reader.overrun) {
            if (reader.in == reader.end || cursor == outEnd) return false;
            *cursor++ = *reader.in++;
        }
        uint32_t offset = reader.Gamma(1, kMaxOffsetCode);
        if (reader.overrun) return false;
        if (offset == 2) {
            offset = lastOffset;  // the previous match's offset again
        } else {
            if (reader.in == reader.end) return false;
            offset = (offset - 3) * 256 + *reader.in++;
            if (offset == kEndMark) break;
            lastOffset = ++offset;
        }
        uint32_t length = reader.Bit();
        length = length * 2 + reader.Bit();
        if (length == 0) length = reader.Gamma(1, static_cast<uint32_t>(std::min<size_t>(expectedSize, kEndMark))) + 2;
        if (reader.overrun) return false;
        // The match is length + 1 bytes, one more when it reaches far back.
        const size_t count = static_cast<size_t>(length) + 1 + (offset > kFarOffset ? 1 : 0);
        if (count > static_cast<size_t>(outEnd - cursor) || offset > static_cast<size_t>(cursor - out)) return false;
        CopyMatch(cursor, offset, count, outEnd);
        cursor += count;
    }
    return reader.in == reader.end && cursor == outEnd;
}

bool PlausibleExpansion(int64_t storedSize, int64_t size) {
    return storedSize >= 0 && size >= 0 && size <= storedSize * kMaxRatio + kSmallBlockAllowance;
}

}  // namespace ucl_codec
