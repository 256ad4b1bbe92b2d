// The block compressor: UCL's NRV2B method at level 6, and its bounded
// decoder, which never writes past the output. On a damaged or cut stream
// that decoder reads up to a byte past the input before it notices, so the
// input handed to Decompress must be followed by kInputSlack readable bytes.
#ifndef VELTRANO_ARCHIVE_UCL_CODEC_H
#define VELTRANO_ARCHIVE_UCL_CODEC_H

#include <cstddef>
#include <cstdint>

namespace ucl_codec {

// UCL needs its one-time start-up before use; calling it again is harmless.
bool Start();
// Room the compressor may need for size bytes: size + size / 8 + 256.
int64_t WorstCaseSize(int64_t size);
// Compresses size bytes into out (WorstCaseSize(size) bytes); the compressed
// length, or -1.
int64_t Compress(const uint8_t* data, size_t size, uint8_t* out);
// Readable bytes Decompress needs after the end of its input.
constexpr size_t kInputSlack = 8;
// Decompresses exactly expectedSize bytes; false on any damage. data must
// have size + kInputSlack readable bytes.
bool Decompress(const uint8_t* data, size_t size, uint8_t* out, size_t expectedSize);
// Whether size bytes can plausibly come from storedSize compressed bytes.
// The level 6 compressor never packs more than about 660 bytes into one, so
// anything past 1024 to 1 (plus a small allowance for tiny blocks) is damage
// and is refused before any buffer is allocated.
bool PlausibleExpansion(int64_t storedSize, int64_t size);

}  // namespace ucl_codec

#endif
