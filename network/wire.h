// The DataNet wire format shared by server and client: the 12-byte header,
// the size limit, the XOR scrambling, the sequence token and check sum, and
// reading and writing whole DataNets with their traffic counts.
#ifndef VELTRANO_NETWORK_WIRE_H
#define VELTRANO_NETWORK_WIRE_H

#include <cstddef>
#include <cstdint>
#include <mutex>

#include "core/random.h"
#include "veltrano_types.h"

namespace wire {

constexpr uint32_t kHeaderSize = 12;
constexpr uint32_t kSizeLimit = 0x400000;  // header + payload
constexpr uint32_t kWordMask = 0x6B1D4F93u;
constexpr uint8_t kByteMask = 0xC5;

// Error values of a read; a check sum and a token fault can come together.
enum ReadError : int {
    kHeaderLost = 1,
    kTooLarge = 2,
    kPayloadLost = 4,
    kBadCheckSum = 8,
    kBadToken = 0x10,
};

struct Counters {
    int system = 0;
    int user = 0;
    uint64_t bytes = 0;
};

// The traffic of one role (server or client), each direction under its own lock.
struct Traffic {
    std::mutex inLock;
    Counters in;
    std::mutex outLock;
    Counters out;

    void Reset();
    Counters In();
    Counters Out();
};

// What reading or writing needs of a connection: its generators, the
// role's counters and the writer's name for the log.
struct Link {
    MersenneTwister* send;
    MersenneTwister* receive;
    Traffic* traffic;
    const char* name;
};

class ByteSink {
public:
    // Bytes accepted, fewer than length (or negative) on failure.
    virtual int Write(const void* bytes, int length) = 0;

protected:
    ~ByteSink() = default;
};

class ByteSource {
public:
    // Some bytes (1..capacity), or 0 or less when the stream ended, broke or stalled.
    virtual int Read(void* bytes, int capacity) = 0;

protected:
    ~ByteSource() = default;
};

// 12 + size within the limit; size is taken unsigned and cannot wrap.
bool FitsLimit(int size);
void PutHeader(const DataNet& net, uint8_t out[kHeaderSize]);
void GetHeader(const uint8_t in[kHeaderSize], DataNet& net);
// XOR with the word mask per complete little-endian word from the start,
// the byte mask on the 0..3 bytes left. Its own inverse.
void Scramble(uint8_t* bytes, size_t length);
// CRC32 of the payload, 0 without one.
uint32_t PayloadSum(const DataNet& net);
// CRC32 of the header with CRC 0, plus CRC32 of the payload when there is
// one; payloadSum, when given, stands for the second term.
uint32_t CheckSum(const DataNet& net, const uint32_t* payloadSum = nullptr);
uint16_t Token(MersenneTwister& generator);

// Sends one DataNet in a single write; non-system ones get their token from
// link.send and their check sum, both kept in net. A payload sent to many
// passes its PayloadSum once. Bytes sent, 0 on failure.
int Write(ByteSink& sink, DataNet& net, const Link& link, const uint32_t* payloadSum = nullptr);
// Reads one DataNet into net (payload from malloc, owned by the caller).
// 0 on success, else the error value, logged, with no payload left in net.
int Read(ByteSource& source, DataNet& net, const Link& link);

void FreePayload(DataNet& net);

}  // namespace wire

#endif
