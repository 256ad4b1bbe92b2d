#include "network/socket_io.h"

#include "core/clock.h"
#include "network/timings.h"

namespace net_timings {

Timings& Current() {
    static Timings timings;
    return timings;
}

}  // namespace net_timings

namespace socket_io {

int SocketSink::Write(const void* bytes, int length) { return SDLNet_TCP_Send(socket_, bytes, length); }

SocketSource::SocketSource(TCPsocket socket, uint32_t limitMs) : socket_(socket), limit_(limitMs) {
    set_ = SDLNet_AllocSocketSet(1);
    if (set_) SDLNet_TCP_AddSocket(set_, socket_);
}

SocketSource::~SocketSource() {
    if (set_) SDLNet_FreeSocketSet(set_);
}

int SocketSource::Read(void* bytes, int capacity) {
    if (!set_) return -1;
    const uint32_t now = clock_source::Ticks();
    if (!started_) {
        started_ = true;
        start_ = now;
    }
    const uint32_t spent = now - start_;
    if (spent >= limit_) return -1;
    if (SDLNet_CheckSockets(set_, limit_ - spent) <= 0) return -1;
    return SDLNet_TCP_Recv(socket_, bytes, capacity);
}

}  // namespace socket_io
