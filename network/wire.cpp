#include "network/wire.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include "Veltrano_ILogSystem.h"
#include <zlib.h>

namespace wire {

namespace {

// zlib's CRC-32 is the same reflected CRC (0xEDB88320, initial all ones,
// final inversion) with a faster loop, and keeps no lazily built state that
// the network threads could race on.
uint32_t Crc32(const void* data, uint32_t length) {
    return static_cast<uint32_t>(crc32(0, static_cast<const Bytef*>(data), length));
}

void PutLe16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void PutLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t GetLe32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void Count(std::mutex& lock, Counters& counters, const DataNet& net) {
    std::lock_guard<std::mutex> guard(lock);
    counters.bytes += kHeaderSize + static_cast<uint32_t>(net.Size);
    if (net.Type == DN_SYSTEM) ++counters.system;
    if (net.Type == DN_USER) ++counters.user;
}

// Reads exactly length bytes; the count read so far goes to *got.
bool ReadExactly(ByteSource& source, uint8_t* bytes, uint32_t length, uint32_t* got) {
    *got = 0;
    while (*got < length) {
        const uint32_t left = length - *got;
        const int n = source.Read(bytes + *got, left > 0x40000000u ? 0x40000000 : static_cast<int>(left));
        if (n <= 0) return false;
        *got += static_cast<uint32_t>(n);
    }
    return true;
}

int Fail(DataNet& net, int error, uint32_t got) {
    ILogSystem.Msg(0, " [INetwork::ReceiveDataNet(%d,%d)] Error(%d): network connection failed! (%d-%d)\n",
                   net.Type, net.Cmd, error, static_cast<int>(got), static_cast<int>(kHeaderSize));
    FreePayload(net);
    return error;
}

}  // namespace

void Traffic::Reset() {
    {
        std::lock_guard<std::mutex> guard(inLock);
        in = Counters();
    }
    std::lock_guard<std::mutex> guard(outLock);
    out = Counters();
}

Counters Traffic::In() {
    std::lock_guard<std::mutex> guard(inLock);
    return in;
}

Counters Traffic::Out() {
    std::lock_guard<std::mutex> guard(outLock);
    return out;
}

bool FitsLimit(int size) {
    return kHeaderSize + static_cast<uint64_t>(static_cast<uint32_t>(size)) <= kSizeLimit;
}

void PutHeader(const DataNet& net, uint8_t out[kHeaderSize]) {
    out[0] = net.Type;
    out[1] = net.Cmd;
    PutLe16(out + 2, net.Aux);
    PutLe32(out + 4, static_cast<uint32_t>(net.Size));
    PutLe32(out + 8, net.CRC);
}

void GetHeader(const uint8_t in[kHeaderSize], DataNet& net) {
    net.Type = in[0];
    net.Cmd = in[1];
    net.Aux = static_cast<uint16_t>(in[2] | (in[3] << 8));
    net.Size = static_cast<int>(GetLe32(in + 4));
    net.CRC = GetLe32(in + 8);
}

void Scramble(uint8_t* bytes, size_t length) {
    size_t i = 0;
    for (; i + 4 <= length; i += 4) PutLe32(bytes + i, GetLe32(bytes + i) ^ kWordMask);
    for (; i < length; ++i) bytes[i] ^= kByteMask;
}

uint32_t PayloadSum(const DataNet& net) {
    return net.Size != 0 && net.Data ? Crc32(net.Data, static_cast<uint32_t>(net.Size)) : 0;
}

uint32_t CheckSum(const DataNet& net, const uint32_t* payloadSum) {
    DataNet zeroed = net;
    zeroed.CRC = 0;
    uint8_t header[kHeaderSize];
    PutHeader(zeroed, header);
    return Crc32(header, kHeaderSize) + (payloadSum ? *payloadSum : PayloadSum(net));
}

uint16_t Token(MersenneTwister& generator) { return static_cast<uint16_t>(generator.Next() & 0xFFFF); }

int Write(ByteSink& sink, DataNet& net, const Link& link, const uint32_t* payloadSum) {
    const uint32_t total = kHeaderSize + static_cast<uint32_t>(net.Size);
    if (!FitsLimit(net.Size) || (net.Size > 0 && !net.Data)) {
        ILogSystem.Msg(0, " [INetwork::SendDataNet(%d,%d)] - Error: size limit exceed (%d) (Sent by '%s').\n",
                       net.Type, net.Cmd, static_cast<int>(total), link.name);
        return 0;
    }
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[total]);
    if (net.Type != DN_SYSTEM) net.Aux = Token(*link.send);
    net.CRC = 0;
    if (net.Type != DN_SYSTEM) net.CRC = CheckSum(net, payloadSum);
    PutHeader(net, buffer.get());
    if (net.Size > 0) std::memcpy(buffer.get() + kHeaderSize, net.Data, static_cast<uint32_t>(net.Size));
    Scramble(buffer.get(), total);
    const int sent = sink.Write(buffer.get(), static_cast<int>(total));
    if (sent != static_cast<int>(total)) {
        ILogSystem.Msg(0, " [INetwork::SendDataNet(%d,%d)] - Error: %d/%d bytes were transmitted (Sent by '%s').\n",
                       net.Type, net.Cmd, sent, static_cast<int>(total), link.name);
        return 0;
    }
    Count(link.traffic->outLock, link.traffic->out, net);
    return sent;
}

int Read(ByteSource& source, DataNet& net, const Link& link) {
    net = DataNet();
    uint8_t header[kHeaderSize];
    uint32_t got = 0;
    if (!ReadExactly(source, header, kHeaderSize, &got)) return Fail(net, kHeaderLost, got);
    Scramble(header, kHeaderSize);
    GetHeader(header, net);
    if (net.Size != 0) {
        if (!FitsLimit(net.Size)) return Fail(net, kTooLarge, 0);
        const uint32_t size = static_cast<uint32_t>(net.Size);
        net.Data = static_cast<char*>(std::malloc(size));
        if (!net.Data || !ReadExactly(source, reinterpret_cast<uint8_t*>(net.Data), size, &got))
            return Fail(net, kPayloadLost, got);
        Scramble(reinterpret_cast<uint8_t*>(net.Data), size);
    }
    int error = 0;
    if (net.Type != DN_SYSTEM) {
        if (CheckSum(net) != net.CRC) error |= kBadCheckSum;
        if (Token(*link.receive) != net.Aux) error |= kBadToken;
    }
    Count(link.traffic->inLock, link.traffic->in, net);
    return error ? Fail(net, error, kHeaderSize + static_cast<uint32_t>(net.Size)) : 0;
}

void FreePayload(DataNet& net) {
    std::free(net.Data);
    net.Data = nullptr;
}

}  // namespace wire
