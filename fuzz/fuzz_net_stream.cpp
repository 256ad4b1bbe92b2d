// The reading side of both ends on an in-memory stream: every DataNet read
// goes through the server's login checks and the client's handling and
// queue. Byte 0 picks the stream: odd takes the rest as scrambled wire bytes
// as they are; even reads the rest as plain DataNets (type, cmd, length,
// payload) and writes them with valid tokens and check sums, so garbage
// after them and the handling of well-formed ones are reached too.
#include <cstdint>
#include <cstring>

#include "fuzz_setup.h"
#include "net_fuzz_frames.h"
#include "network/memory_io.h"
#include "network/net_state.h"

namespace {

constexpr uint16_t kSeed = 4242;

std::string Sealed(const uint8_t* data, size_t size) {
    MersenneTwister send;
    send.Seed(kSeed);
    return SealFrames(data, size, send);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = (fuzz_setup::Start("fuzz_net_stream", "unused"), true);
    static NetworkState* state = new NetworkState;  // no sockets: echoes go nowhere
    (void)started;
    if (size < 1) return 0;
    const std::string stream = (data[0] & 1) ? std::string(reinterpret_cast<const char*>(data + 1), size - 1)
                                             : Sealed(data + 1, size - 1);
    NetworkState& s = *state;
    s.clientReceive.Seed(kSeed);
    MersenneTwister unused;
    wire::Traffic traffic;
    const wire::Link link{&unused, &s.clientReceive, &traffic, "fuzz"};
    wire::MemorySource source(stream.data(), stream.size(), 1 + data[0] % 64);
    bool first = true;
    DataNet net;
    while (wire::Read(source, net, link) == 0) {
        if (first) server::Refusal(net, data[0] >> 1, 7, s.clients, 0);
        first = false;
        bool kill = false;
        int delay = 0;
        if (client::Handle(s, net, &kill, &delay) != 0) {
            wire::FreePayload(net);
            break;
        }
        client::Enqueue(s, net);
        if (kill) break;
    }
    DataNet taken;
    while (s.queue.Take(&taken))
        if (taken.Data) s.queue.Free(taken.Data);
    s.queue.Clear();
    return 0;
}
