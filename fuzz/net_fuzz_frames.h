// The network fuzzers' plain DataNet descriptions: (type, cmd, length,
// payload) records written as properly sealed wire bytes, with whatever does
// not parse as a record appended as it is.
#ifndef VELTRANO_FUZZ_NET_FUZZ_FRAMES_H
#define VELTRANO_FUZZ_NET_FUZZ_FRAMES_H

#include <cstdint>
#include <string>

#include "network/memory_io.h"
#include "network/wire.h"

inline std::string SealFrames(const uint8_t* data, size_t size, MersenneTwister& send) {
    MersenneTwister unused;
    wire::Traffic traffic;
    const wire::Link link{&send, &unused, &traffic, "fuzz"};
    wire::MemorySink sink;
    size_t at = 0;
    while (at + 3 <= size && at + 3 + data[at + 2] <= size) {
        std::string payload(reinterpret_cast<const char*>(data + at + 3), data[at + 2]);
        DataNet net{data[at], data[at + 1], 0, static_cast<int>(payload.size()), 0,
                    payload.empty() ? nullptr : &payload[0]};
        wire::Write(sink, net, link);
        at += 3 + payload.size();
    }
    sink.bytes.append(reinterpret_cast<const char*>(data + at), size - at);
    return sink.bytes;
}

#endif
