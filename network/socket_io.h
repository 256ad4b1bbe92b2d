// The wire module's byte streams on SDL_net TCP sockets.
#ifndef VELTRANO_NETWORK_SOCKET_IO_H
#define VELTRANO_NETWORK_SOCKET_IO_H

#include <SDL_net.h>

#include <cstdint>

#include "network/wire.h"

namespace socket_io {

class SocketSink : public wire::ByteSink {
public:
    explicit SocketSink(TCPsocket socket) : socket_(socket) {}
    int Write(const void* bytes, int length) override;

private:
    TCPsocket socket_;
};

// Reads that give up once the deadline, counted from the first read, has
// passed: a stalled peer cannot hold its reader for longer than that.
class SocketSource : public wire::ByteSource {
public:
    SocketSource(TCPsocket socket, uint32_t limitMs);
    ~SocketSource();
    SocketSource(const SocketSource&) = delete;
    SocketSource& operator=(const SocketSource&) = delete;
    int Read(void* bytes, int capacity) override;

private:
    TCPsocket socket_;
    SDLNet_SocketSet set_ = nullptr;
    uint32_t limit_;
    uint32_t start_ = 0;
    bool started_ = false;
};

}  // namespace socket_io

#endif
