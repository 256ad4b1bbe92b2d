#include "archive/ucl_codec.h"

#include <ucl/ucl.h>

namespace ucl_codec {
namespace {
constexpr int kLevel = 6;
constexpr int64_t kMaxRatio = 1024;
constexpr int64_t kSmallBlockAllowance = 4096;
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

bool Decompress(const uint8_t* data, size_t size, uint8_t* out, size_t expectedSize) {
    if (!Start()) return false;
    ucl_uint outLength = static_cast<ucl_uint>(expectedSize);
    const int result =
        ucl_nrv2b_decompress_safe_8(data, static_cast<ucl_uint>(size), out, &outLength, nullptr);
    return result == UCL_E_OK && outLength == expectedSize;
}

bool PlausibleExpansion(int64_t storedSize, int64_t size) {
    return storedSize >= 0 && size >= 0 && size <= storedSize * kMaxRatio + kSmallBlockAllowance;
}

}  // namespace ucl_codec
