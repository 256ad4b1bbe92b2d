// A running server on loopback fed one connection per input. Byte 0 picks
// what the connection sends: odd sends the rest as it is (the server's
// login step fed arbitrary first DataNets); even logs in properly as "fz"
// and then sends the rest as plain DataNets (type, cmd, length, payload)
// sealed with valid tokens, followed by whatever does not parse. The
// connection then closes and the harness waits, bounded, until the server
// has dropped it.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <SDL.h>

#include <cstdint>
#include <string>

#include "Veltrano_INetwork.h"
#include "fuzz_setup.h"
#include "net_fuzz_frames.h"
#include "network/memory_io.h"
#include "network/timings.h"

namespace {

constexpr unsigned int kPassword = 7;

uint16_t FreePort() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    close(fd);
    return ntohs(a.sin_port);
}

uint16_t Serve() {
    static uint16_t port = 0;
    if (INetwork->IsServer()) return port;
    // A server closed by the last input may still be finishing its thread.
    port = FreePort();
    for (int i = 0; i < 1000; ++i) {
        if (INetwork->CreateServer(port, kPassword, 0) == 1) return port;
        SDL_Delay(2);
    }
    std::abort();
}

int Connect(uint16_t port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) std::abort();
    return fd;
}

void SendAll(int fd, const std::string& bytes) {
    size_t at = 0;
    while (at < bytes.size()) {
        const ssize_t n = send(fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
        if (n <= 0) return;
        at += static_cast<size_t>(n);
    }
}

// Reads the login reply; its Aux seeds the generators when accepted.
bool LogIn(int fd, MersenneTwister& send, MersenneTwister& receive, wire::Traffic& traffic) {
    const wire::Link link{&send, &receive, &traffic, "fz"};
    wire::MemorySink sink;
    char name[] = "fz";
    DataNet login{DN_SYSTEM, DN_LOGIN, kPassword, 3, 0, name};
    wire::Write(sink, login, link);
    SendAll(fd, sink.bytes);
    uint8_t reply[15];
    size_t got = 0;
    while (got < sizeof reply) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 2000) <= 0) return false;
        const ssize_t n = recv(fd, reply + got, sizeof reply - got, 0);
        if (n <= 0) return false;
        got += static_cast<size_t>(n);
    }
    wire::Scramble(reply, 12);
    DataNet header;
    wire::GetHeader(reply, header);
    if (header.Cmd != DN_LOGIN_ACCEPTED) return false;
    send.Seed(header.Aux);
    receive.Seed(header.Aux);
    return true;
}

// Waits, bounded, until the server has no client left and reads the
// remaining bytes the server sent so the connection closes cleanly.
void Drain(int fd) {
    shutdown(fd, SHUT_WR);
    char buffer[4096];
    for (int i = 0; i < 400; ++i) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 10) > 0 && recv(fd, buffer, sizeof buffer, 0) <= 0) break;
    }
    close(fd);
    sClientInfo* list = nullptr;
    for (int i = 0; i < 400 && INetwork->GetClientsInfo(&list) > 0; ++i) SDL_Delay(2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = [] {
        fuzz_setup::Start("fuzz_net_server", "unused");
        net_timings::Timings& t = net_timings::Current();
        t.readinessWait = 5;
        t.partialLimit = 100;
        t.pingInterval = 20;
        return INetwork->Init(0) == 1;
    }();
    if (!started || size < 1) return 0;
    const int fd = Connect(Serve());
    if (data[0] & 1) {
        SendAll(fd, std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    } else {
        MersenneTwister send, receive;
        wire::Traffic traffic;
        if (LogIn(fd, send, receive, traffic)) SendAll(fd, SealFrames(data + 1, size - 1, send));
    }
    Drain(fd);
    return 0;
}
