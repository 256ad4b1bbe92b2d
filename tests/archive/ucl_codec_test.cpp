// The block codec's own NRV2B decoder: what UCL's compressor packs comes
// back byte for byte, damaged streams fail without touching memory outside
// the buffers, and it agrees with UCL's bounded decoder on damaged input.
#include <ucl/ucl.h>

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
// it is caught by the address sanitizer.
bool Unpack(const Bytes& packed, size_t expectedSize, Bytes* out) {
    out->assign(expectedSize, 0);
    return ucl_codec::Decompress(packed.data(), packed.size(), out->data(), expectedSize);
}

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

TEST(UclCodecTest, CutStreamsFailAndDamagedOnesAgreeWithUclsDecoder) {
    std::mt19937 random(9);
    for (const Bytes& data : Samples()) {
        SCOPED_TRACE(data.size());
        const Bytes packed = Pack(data);
        Bytes out;
        for (size_t cut = 0; cut < packed.size(); cut += 1 + packed.size() / 97) {
            const Bytes shorter(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(cut));
            EXPECT_FALSE(Unpack(shorter, data.size(), &out)) << cut;
        }
        for (int round = 0; round < 40 && !packed.empty(); ++round) {
            Bytes damaged = packed;
            damaged[random() % damaged.size()] ^= static_cast<uint8_t>(1 + random() % 255);
            const bool ours = Unpack(damaged, data.size(), &out);
            // UCL's own decoder is given room to spare: its control-bit
            // reads do not stop at the end of the input.
            Bytes theirs(data.size() + 1);
            Bytes padded = damaged;
            padded.resize(damaged.size() + 64);
            ucl_uint length = static_cast<ucl_uint>(data.size());
            const bool uclDecoded = ucl_nrv2b_decompress_safe_8(padded.data(), static_cast<ucl_uint>(damaged.size()),
                                                                theirs.data(), &length, nullptr) == UCL_E_OK &&
                                    length == data.size();
            EXPECT_EQ(ours, uclDecoded) << round;
            if (ours && uclDecoded) {
                EXPECT_TRUE(std::equal(out.begin(), out.end(), theirs.begin()));
            }
        }
    }
}

}  // namespace
