// A DataNet peer written from the wire description alone, on plain POSIX
// sockets with zlib's CRC-32 and the standard library's MT19937, so the
// tests check the SDK's bytes against an independent implementation.
#ifndef VELTRANO_TESTS_NETWORK_RAW_PEER_H
#define VELTRANO_TESTS_NETWORK_RAW_PEER_H

#include <cstdint>
#include <mutex>
#include <random>
#include <string>

namespace raw {

constexpr uint32_t kWordMask = 0x6B1D4F93u;
constexpr uint8_t kByteMask = 0xC5;
constexpr int kAccepted = -1;
constexpr int kNoReply = -2;

struct Frame {
    uint8_t type = 0;
    uint8_t cmd = 0;
    uint16_t aux = 0;
    uint32_t size = 0;
    uint32_t crc = 0;
    std::string payload;
};

// A free loopback port (bound once and released).
uint16_t FreePort();

class Peer {
public:
    Peer() = default;
    explicit Peer(int fd) : fd_(fd) {}
    ~Peer();
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    bool Connect(uint16_t port);
    void Seed(uint16_t seed);
    // Sends a login and waits for the reply: kAccepted (generators seeded),
    // the refusal reason, or kNoReply.
    int Login(const std::string& name, uint16_t password);
    // Encodes with a token from the send generator and the check sum for
    // non-system types, unless plain is set.
    std::string Encode(Frame frame, bool plain = false);
    bool Send(uint8_t type, uint8_t cmd, uint16_t aux = 0, const std::string& payload = std::string());
    bool SendBytes(const std::string& bytes);
    // Reads one frame (no checks); false on close or after timeoutMs.
    bool Read(Frame* frame, int timeoutMs = 3000);
    // Reads frames, echoing pings, until one that is not a ping.
    bool ReadSkippingPings(Frame* frame, int timeoutMs = 3000);
    // Token and check sum of a received user frame, from the receive generator.
    bool Verify(const Frame& frame);
    // True when the other end closed the connection within timeoutMs
    // (frames arriving before that are skipped).
    bool ClosedWithin(int timeoutMs);
    void Close();

    std::mt19937 send;
    std::mt19937 receive;

private:
    bool ReadExactly(char* bytes, size_t length, int timeoutMs);
    bool WriteAll(const std::string& bytes);
    int fd_ = -1;
    std::mutex sendLock_;  // a reader thread's ping echo beside a sender thread
};

// A listening loopback socket for the client tests.
class Listener {
public:
    explicit Listener(uint16_t port);
    ~Listener();
    // The next connection, or an unconnected peer after timeoutMs.
    int Accept(int timeoutMs = 3000);

private:
    int fd_ = -1;
};

uint32_t CheckSum(const Frame& frame);
void Scramble(std::string& bytes);

}  // namespace raw

#endif
