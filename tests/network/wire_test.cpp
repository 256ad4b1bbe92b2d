// The wire module against in-memory streams: layout, scrambling, limits,
// tokens, check sums and the error values of a read.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "network/memory_io.h"
#include "network/wire.h"

namespace {

using wire::MemorySink;

struct Ends {
    MersenneTwister aSend, aReceive, bSend, bReceive;
    wire::Traffic aTraffic, bTraffic;
    wire::Link a{&aSend, &aReceive, &aTraffic, "a"};
    wire::Link b{&bSend, &bReceive, &bTraffic, "b"};
    Ends() {
        for (MersenneTwister* g : {&aSend, &aReceive, &bSend, &bReceive}) g->Seed(1234);
    }
};

DataNet Net(unsigned char type, unsigned char cmd, std::string& payload) {
    return DataNet{type, cmd, 0, static_cast<int>(payload.size()), 0, payload.empty() ? nullptr : &payload[0]};
}

std::string Unscrambled(std::string bytes) {
    wire::Scramble(reinterpret_cast<uint8_t*>(&bytes[0]), bytes.size());
    return bytes;
}

TEST(Wire, HeaderIsLittleEndianAndScrambledByWordsThenBytes) {
    std::string payload = "abcde";
    DataNet net = Net(DN_SYSTEM, DN_CLIENT_IN, payload);
    net.Aux = 0x1234;
    Ends ends;
    MemorySink sink;
    ASSERT_EQ(17, wire::Write(sink, net, ends.a));
    ASSERT_EQ(17u, sink.bytes.size());
    const std::string plain = Unscrambled(sink.bytes);
    EXPECT_EQ(std::string("\x20\x28\x34\x12\x05\0\0\0\0\0\0\0abcde", 17), plain);
    // Four whole words take the word mask, the 17th byte the byte mask.
    EXPECT_EQ(static_cast<char>('e' ^ wire::kByteMask), sink.bytes[16]);
    EXPECT_EQ(static_cast<char>(0x20 ^ (wire::kWordMask & 0xFF)), sink.bytes[0]);
    EXPECT_EQ(static_cast<char>('d' ^ (wire::kWordMask >> 24)), sink.bytes[15]);
}

TEST(Wire, UserDataNetsCarryTokenAndCheckSumAndReadBackInStep) {
    Ends ends;
    MemorySink sink;
    std::vector<std::string> payloads = {"one", "", "three!"};
    MersenneTwister expected;
    expected.Seed(1234);
    for (std::string& p : payloads) {
        // The system DataNet between the two user ones draws no token.
        const bool user = !p.empty();
        DataNet net = user ? Net(DN_USER, DN_DATA, p) : Net(DN_SYSTEM, DN_PING, p);
        ASSERT_GT(wire::Write(sink, net, ends.a), 0);
        const unsigned int expectedAux = user ? (expected.Next() & 0xFFFF) : 0u;
        EXPECT_EQ(expectedAux, net.Aux);
        EXPECT_EQ(user, net.CRC != 0);
    }
    wire::MemorySource source(sink.bytes.data(), sink.bytes.size(), 7);
    for (const std::string& p : payloads) {
        DataNet got;
        ASSERT_EQ(0, wire::Read(source, got, ends.b));
        EXPECT_EQ(p, std::string(got.Data ? got.Data : "", static_cast<size_t>(got.Size)));
        wire::FreePayload(got);
    }
    EXPECT_EQ(2, ends.bTraffic.In().user);
    EXPECT_EQ(1, ends.bTraffic.In().system);
    EXPECT_EQ(36u + 9u, ends.bTraffic.In().bytes);
    EXPECT_EQ(ends.aTraffic.Out().bytes, ends.bTraffic.In().bytes);
}

TEST(Wire, EmptyUserCheckSumCoversTheHeaderAlone) {
    Ends ends;
    MemorySink sink;
    DataNet net{DN_USER, DN_DATA, 0, 0, 0, nullptr};
    ASSERT_EQ(12, wire::Write(sink, net, ends.a));
    DataNet zeroed = net;
    zeroed.CRC = 0;
    EXPECT_EQ(wire::CheckSum(zeroed), net.CRC);
    uint8_t header[12];
    wire::PutHeader(zeroed, header);
    EXPECT_EQ(0u, header[8] | header[9] | header[10] | header[11]);
}

TEST(Wire, SizeLimitIsInclusiveAndCannotWrap) {
    EXPECT_TRUE(wire::FitsLimit(0x400000 - 12));
    EXPECT_FALSE(wire::FitsLimit(0x400000 - 11));
    EXPECT_FALSE(wire::FitsLimit(-1));
    EXPECT_FALSE(wire::FitsLimit(-12));
    Ends ends;
    MemorySink sink;
    std::string big(0x400000 - 11, 'x');
    DataNet tooBig = Net(DN_USER, DN_DATA, big);
    EXPECT_EQ(0, wire::Write(sink, tooBig, ends.a));
    EXPECT_TRUE(sink.bytes.empty());
    big.pop_back();
    DataNet largest = Net(DN_USER, DN_DATA, big);
    ASSERT_EQ(0x400000, wire::Write(sink, largest, ends.a));
    wire::MemorySource source(sink.bytes.data(), sink.bytes.size(), 1 << 20);
    DataNet got;
    ASSERT_EQ(0, wire::Read(source, got, ends.b));
    EXPECT_EQ(0x400000 - 12, got.Size);
    wire::FreePayload(got);
}

// A stream holding one DataNet whose plain header bytes a test may alter.
std::string Stream(const std::string& plainHeader, const std::string& payload) {
    std::string header = plainHeader, body = payload;
    wire::Scramble(reinterpret_cast<uint8_t*>(&header[0]), header.size());
    if (!body.empty()) wire::Scramble(reinterpret_cast<uint8_t*>(&body[0]), body.size());
    return header + body;
}

int ReadError(const std::string& bytes, Ends& ends) {
    wire::MemorySource source(bytes.data(), bytes.size(), 7);
    DataNet got;
    const int error = wire::Read(source, got, ends.b);
    EXPECT_EQ(nullptr, got.Data);
    return error;
}

TEST(Wire, ReadErrorValues) {
    Ends ends;
    const std::string systemHeader("\x20\x30\0\0\0\0\0\0\0\0\0\0", 12);
    EXPECT_EQ(wire::kHeaderLost, ReadError(Stream(systemHeader, "").substr(0, 11), ends));
    EXPECT_EQ(wire::kHeaderLost, ReadError("", ends));
    std::string oversized = systemHeader;
    oversized[4] = '\xF5';  // Size 0x003FFFF5: one byte beyond the limit
    oversized[5] = '\xFF';
    oversized[6] = '\x3F';
    EXPECT_EQ(wire::kTooLarge, ReadError(Stream(oversized, ""), ends));
    oversized[7] = '\xFF';  // 0xFF3FFFF5 would wrap a 32-bit sum
    EXPECT_EQ(wire::kTooLarge, ReadError(Stream(oversized, ""), ends));
    std::string withPayload = systemHeader;
    withPayload[4] = 8;
    EXPECT_EQ(wire::kPayloadLost, ReadError(Stream(withPayload, "1234567"), ends));

    // A good user DataNet, then altered copies of it.
    MemorySink sink;
    std::string payload = "data";
    DataNet net = Net(DN_USER, DN_DATA, payload);
    Ends writer;
    wire::Write(sink, net, writer.a);
    std::string plain = Unscrambled(sink.bytes.substr(0, 12));
    std::string badSum = plain;
    badSum[8] ^= 1;
    Ends e1;
    EXPECT_EQ(wire::kBadCheckSum, ReadError(Stream(badSum, payload), e1));
    Ends e2;
    e2.bReceive.Next();  // one DataNet behind
    EXPECT_EQ(wire::kBadToken, ReadError(sink.bytes, e2));
    std::string badToken = plain;
    badToken[2] ^= 1;  // the check sum covers the token too
    Ends e3;
    EXPECT_EQ(wire::kBadCheckSum | wire::kBadToken, ReadError(Stream(badToken, payload), e3));
    // Faulty DataNets still count as read.
    EXPECT_EQ(1, e3.bTraffic.In().user);
}

}  // namespace
