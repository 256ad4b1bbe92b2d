// The block codec: what the compressor packs comes back byte for byte, and
// cut or damaged streams fail without reading further past the input than
// the room the archive reader leaves after every block.
#include <sys/mman.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "archive/ucl_codec.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Pack(const Bytes& data) {
    Bytes packed(static_cast<size_t>(ucl_codec::WorstCaseSize(static_cast<int64_t>(data.size()))));
    const int64_t size = ucl_codec::Compress(data.data(), data.size(), packed.data());
    EXPECT_GE(size, 0);
    packed.resize(static_cast<size_t>(std::max<int64_t>(size, 0)));
    return packed;
}

// Decodes into a buffer of exactly expectedSize bytes, so that a write past
// it is caught by the address sanitizer; the input is followed by the room
// the decoder is promised.
bool Unpack(const Bytes& packed, size_t expectedSize, Bytes* out) {
    Bytes input = packed;
    input.resize(packed.size() + ucl_codec::kInputSlack);
    out->assign(expectedSize, 0);
    return ucl_codec::Decompress(input.data(), packed.size(), out->data(), expectedSize);
}

// Input placed so that the promised room ends exactly at an unreadable
// page: a read any further faults, even inside the uninstrumented library.
class GuardedInput {
public:
    GuardedInput() {
        pageSize = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        span = 64 * pageSize;
        void* mapped = mmap(nullptr, span + pageSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        base = mapped == MAP_FAILED ? nullptr : static_cast<uint8_t*>(mapped);
        if (base != nullptr) mprotect(base + span, pageSize, PROT_NONE);
    }
    ~GuardedInput() {
        if (base != nullptr) munmap(base, span + pageSize);
    }
    // A copy of bytes ending kInputSlack bytes before the guard page.
    const uint8_t* Place(const Bytes& bytes) {
        uint8_t* at = base + span - ucl_codec::kInputSlack - bytes.size();
        if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
        std::memset(at + bytes.size(), 0, ucl_codec::kInputSlack);
        return at;
    }
    bool Ready() const { return base != nullptr; }

private:
    uint8_t* base = nullptr;
    size_t pageSize = 0;
    size_t span = 0;
};

// Data that exercises every kind of match: literals, one-byte runs, short
// overlapping periods, matches far back (one byte longer in the stream)
// and a match that ends exactly at the end of the output.
std::vector<Bytes> Samples() {
    std::mt19937 random(5);
    auto noise = [&random](size_t n) {
        Bytes b(n);
        for (uint8_t& byte : b) byte = static_cast<uint8_t>(random() >> 24);
        return b;
    };
    std::vector<Bytes> samples = {{}, {42}, Bytes(7, 1), Bytes(8, 2), Bytes(9, 3), Bytes(100000, 0)};
    Bytes period3;
    for (int i = 0; i < 5000; ++i) period3.push_back(static_cast<uint8_t>("abc"[i % 3]));
    samples.push_back(period3);
    Bytes far = noise(8192);
    far.insert(far.end(), far.begin(), far.end());  // repeats 8192 bytes back
    samples.push_back(far);
    samples.push_back(noise(20000));
    Bytes words;
    const char* const kWords[] = {"sprite ", "tile ", "layer ", "frame ", "alpha ", "12, ", "enemy\n"};
    while (words.size() < 200000) {
        const char* word = kWords[random() % 7];
        words.insert(words.end(), word, word + std::strlen(word));
    }
    samples.push_back(words);
    return samples;
}

TEST(UclCodecTest, WhatTheCompressorPacksComesBackExactly) {
    for (const Bytes& data : Samples()) {
        SCOPED_TRACE(data.size());
        const Bytes packed = Pack(data);
        Bytes out;
        ASSERT_TRUE(Unpack(packed, data.size(), &out));
        EXPECT_EQ(out, data);
        // The size must be the one stored: one byte more or less fails.
        EXPECT_FALSE(Unpack(packed, data.size() + 1, &out));
        if (!data.empty()) {
            EXPECT_FALSE(Unpack(packed, data.size() - 1, &out));
        }
    }
}

TEST(UclCodecTest, CutAndDamagedStreamsStayWithinTheirRoom) {
    GuardedInput guarded;
    ASSERT_TRUE(guarded.Ready());
    std::mt19937 random(9);
    for (const Bytes& data : Samples()) {
        const Bytes packed = Pack(data);
        if (packed.size() > 60 * 4096) continue;
        SCOPED_TRACE(data.size());
        Bytes out(data.size() + 1);
        for (size_t cut = 0; cut < packed.size(); cut += 1 + packed.size() / 97) {
            const Bytes shorter(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(cut));
            EXPECT_FALSE(ucl_codec::Decompress(guarded.Place(shorter), cut, out.data(), data.size())) << cut;
        }
        for (int round = 0; round < 40 && !packed.empty(); ++round) {
            Bytes damaged = packed;
            damaged[random() % damaged.size()] ^= static_cast<uint8_t>(1 + random() % 255);
            // Whatever the outcome, the decoder must neither fault nor write
            // past the output.
            ucl_codec::Decompress(guarded.Place(damaged), damaged.size(), out.data(), data.size());
        }
    }
}

}  // namespace
