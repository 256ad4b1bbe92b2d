#include "raw_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>

namespace raw {

namespace {

std::string Header(const Frame& f) {
    std::string h(12, '\0');
    h[0] = static_cast<char>(f.type);
    h[1] = static_cast<char>(f.cmd);
    for (int i = 0; i < 2; ++i) h[2 + i] = static_cast<char>(f.aux >> (8 * i));
    for (int i = 0; i < 4; ++i) h[4 + i] = static_cast<char>(f.size >> (8 * i));
    for (int i = 0; i < 4; ++i) h[8 + i] = static_cast<char>(f.crc >> (8 * i));
    return h;
}

uint32_t Le32(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
    return v;
}

sockaddr_in Loopback(uint16_t port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

uint16_t FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = Loopback(0);
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    close(fd);
    return ntohs(a.sin_port);
}

void Scramble(std::string& bytes) {
    size_t i = 0;
    for (; i + 4 <= bytes.size(); i += 4)
        for (int k = 0; k < 4; ++k) bytes[i + k] = static_cast<char>(bytes[i + k] ^ (kWordMask >> (8 * k)));
    for (; i < bytes.size(); ++i) bytes[i] = static_cast<char>(bytes[i] ^ kByteMask);
}

uint32_t CheckSum(const Frame& frame) {
    Frame zeroed = frame;
    zeroed.crc = 0;
    const std::string h = Header(zeroed);
    uint32_t sum = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(h.data()), 12));
    if (frame.size)
        sum += static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(frame.payload.data()), static_cast<uInt>(frame.payload.size())));
    return sum;
}

Peer::~Peer() { Close(); }

void Peer::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

bool Peer::Connect(uint16_t port) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = Loopback(port);
    return connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
}

void Peer::Seed(uint16_t seed) {
    send.seed(seed);
    receive.seed(seed);
}

std::string Peer::Encode(Frame frame, bool plain) {
    frame.size = static_cast<uint32_t>(frame.payload.size());
    if (frame.type != 0x20 && !plain) {
        frame.aux = static_cast<uint16_t>(send() & 0xFFFF);
        frame.crc = CheckSum(frame);
    }
    std::string bytes = Header(frame) + frame.payload;
    Scramble(bytes);
    return bytes;
}

bool Peer::Send(uint8_t type, uint8_t cmd, uint16_t aux, const std::string& payload) {
    Frame f;
    f.type = type;
    f.cmd = cmd;
    f.aux = aux;
    f.payload = payload;
    std::lock_guard<std::mutex> guard(sendLock_);
    return WriteAll(Encode(f));
}

bool Peer::SendBytes(const std::string& bytes) {
    std::lock_guard<std::mutex> guard(sendLock_);
    return WriteAll(bytes);
}

bool Peer::WriteAll(const std::string& bytes) {
    size_t at = 0;
    while (at < bytes.size()) {
        const ssize_t n = ::send(fd_, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
        if (n <= 0) return false;
        at += static_cast<size_t>(n);
    }
    return true;
}

bool Peer::ReadExactly(char* bytes, size_t length, int timeoutMs) {
    const int64_t end = NowMs() + timeoutMs;
    size_t got = 0;
    while (got < length) {
        pollfd p{fd_, POLLIN, 0};
        const int64_t left = end - NowMs();
        if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0) return false;
        const ssize_t n = recv(fd_, bytes + got, length - got, 0);
        if (n <= 0) return false;
        got += static_cast<size_t>(n);
    }
    return true;
}

bool Peer::Read(Frame* frame, int timeoutMs) {
    std::string h(12, '\0');
    if (!ReadExactly(&h[0], 12, timeoutMs)) return false;
    Scramble(h);
    frame->type = static_cast<uint8_t>(h[0]);
    frame->cmd = static_cast<uint8_t>(h[1]);
    frame->aux = static_cast<uint16_t>(static_cast<uint8_t>(h[2]) | (static_cast<uint8_t>(h[3]) << 8));
    frame->size = Le32(h, 4);
    frame->crc = Le32(h, 8);
    if (frame->size > 0x400000) return false;
    frame->payload.assign(frame->size, '\0');
    if (frame->size && !ReadExactly(&frame->payload[0], frame->size, timeoutMs)) return false;
    Scramble(frame->payload);
    return true;
}

bool Peer::ReadSkippingPings(Frame* frame, int timeoutMs) {
    while (Read(frame, timeoutMs)) {
        if (frame->type != 0x20 || frame->cmd != 0x30) return true;
        Send(0x20, 0x30);
    }
    return false;
}

bool Peer::Verify(const Frame& frame) {
    const uint16_t token = static_cast<uint16_t>(receive() & 0xFFFF);
    return token == frame.aux && CheckSum(frame) == frame.crc;
}

bool Peer::ClosedWithin(int timeoutMs) {
    const int64_t end = NowMs() + timeoutMs;
    char byte;
    while (NowMs() < end) {
        pollfd p{fd_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(end - NowMs())) <= 0) return false;
        if (recv(fd_, &byte, 1, 0) <= 0) return true;
    }
    return false;
}

int Peer::Login(const std::string& name, uint16_t password) {
    if (!Send(0x20, 0x26, password, name + std::string(1, '\0'))) return kNoReply;
    Frame reply;
    if (!Read(&reply)) return kNoReply;
    if (reply.type == 0x20 && reply.cmd == 0x24) {
        Seed(reply.aux);
        return kAccepted;
    }
    return reply.cmd == 0x22 ? reply.aux : kNoReply;
}

Listener::Listener(uint16_t port) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    const int on = 1;
    setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a = Loopback(port);
    bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(fd_, 8);
}

Listener::~Listener() { close(fd_); }

int Listener::Accept(int timeoutMs) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return -1;
    return accept(fd_, nullptr, nullptr);
}

}  // namespace raw
