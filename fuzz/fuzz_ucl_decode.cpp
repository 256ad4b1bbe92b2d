// Arbitrary bytes as a compressed block for the archive's NRV2B decoder,
// checked against UCL's own bounded decoder: both must accept the same
// streams and give the same bytes. The first two input bytes are the
// expected size (little-endian, so at most 64 KiB); the rest is the stream.
#include <ucl/ucl.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "archive/ucl_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const size_t expected = static_cast<size_t>(data[0] | data[1] << 8);
    const uint8_t* stream = data + 2;
    const size_t streamSize = size - 2;
    // Exactly the expected size, so that any write past it is caught.
    std::vector<uint8_t> ours(expected);
    const bool decoded = ucl_codec::Decompress(stream, streamSize, ours.data(), expected);
    // UCL's decoder gets a copy of the stream and room to spare on both
    // sides: its control-bit reads do not stop at the end of the input.
    std::vector<uint8_t> input(stream, stream + streamSize);
    input.resize(streamSize + 64);
    std::vector<uint8_t> theirs(expected + 16);
    ucl_uint length = static_cast<ucl_uint>(expected);
    const bool uclDecoded = ucl_nrv2b_decompress_safe_8(input.data(), static_cast<ucl_uint>(streamSize),
                                                        theirs.data(), &length, nullptr) == UCL_E_OK &&
                            length == expected;
    if (decoded != uclDecoded) std::abort();
    if (decoded && std::memcmp(ours.data(), theirs.data(), expected) != 0) std::abort();
    return 0;
}
