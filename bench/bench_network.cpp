// Networking on loopback in one process: round trips of user DataNets
// between the SDK client and the SDK server (validated and sent back),
// against a raw SDL_net echo of the same number of bytes; relay fan-out to
// six clients against one thread writing the same bytes to six sockets;
// and the reception queue filled with 512 entries and drained, against a
// std::deque of the same payloads.
#include <benchmark/benchmark.h>

#include <SDL.h>
#include <SDL_net.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_INetwork.h"
#include "Veltrano_Main.h"
#include "network/memory_io.h"
#include "network/reception_queue.h"
#include "time_collector.h"

namespace {

constexpr uint16_t kServerPort = 47311;
constexpr uint16_t kEchoPort = 47312;
constexpr uint16_t kFanPort = 47313;
constexpr int kReceivers = 6;

int AcceptAll(void*, int) { return 1; }

bool RecvAll(TCPsocket socket, char* bytes, int length) {
    for (int got = 0; got < length;) {
        const int n = SDLNet_TCP_Recv(socket, bytes + got, length - got);
        if (n <= 0) return false;
        got += n;
    }
    return true;
}

TCPsocket Open(uint16_t port) {
    IPaddress address;
    SDLNet_ResolveHost(&address, "127.0.0.1", port);
    return SDLNet_TCP_Open(&address);
}

TCPsocket Listen(uint16_t port) {
    IPaddress address;
    SDLNet_ResolveHost(&address, nullptr, port);
    return SDLNet_TCP_Open(&address);
}

TCPsocket AcceptOne(TCPsocket listener) {
    TCPsocket socket = nullptr;
    while (!(socket = SDLNet_TCP_Accept(listener))) SDL_Delay(1);
    return socket;
}

// The reference round trip: a thread sends back whatever it reads.
struct Echo {
    Echo() {
        listener = Listen(kEchoPort);
        thread = std::thread([this] {
            TCPsocket peer = AcceptOne(listener);
            std::vector<char> buffer(1 << 16);
            int n;
            while ((n = SDLNet_TCP_Recv(peer, buffer.data(), static_cast<int>(buffer.size()))) > 0)
                SDLNet_TCP_Send(peer, buffer.data(), n);
        });
        client = Open(kEchoPort);
    }
    TCPsocket listener, client;
    std::thread thread;
};

// A reader thread that counts the bytes arriving on a socket.
struct Counter {
    explicit Counter(TCPsocket s) : socket(s), thread([this] {
        char buffer[65536];
        int n;
        while ((n = SDLNet_TCP_Recv(socket, buffer, sizeof buffer)) > 0) bytes += static_cast<uint64_t>(n);
    }) {}
    TCPsocket socket;
    std::atomic<uint64_t> bytes{0};
    std::thread thread;
};

// A client logged in to the SDK server through the wire module, counting.
std::unique_ptr<Counter> RawReceiver(int id) {
    TCPsocket socket = Open(kServerPort);
    MersenneTwister send, receive;
    wire::Traffic traffic;
    const wire::Link link{&send, &receive, &traffic, "bench"};
    std::string name = "rx" + std::to_string(id);
    DataNet login{DN_SYSTEM, DN_LOGIN, 0, static_cast<int>(name.size() + 1), 0, &name[0]};
    wire::MemorySink sink;
    wire::Write(sink, login, link);
    SDLNet_TCP_Send(socket, sink.bytes.data(), static_cast<int>(sink.bytes.size()));
    char reply[12 + 4];
    RecvAll(socket, reply, static_cast<int>(12 + name.size() + 1));
    return std::unique_ptr<Counter>(new Counter(socket));
}

struct World {
    World() {
        ILogSystem.Init("/dev/null", 0, 0, "bench", nullptr, nullptr, nullptr);
        if (Veltrano.Init(SDL_INIT_TIMER) != 1 || INetwork->Init(0) != 1) std::abort();
        if (INetwork->CreateServer(kServerPort, 0, 0) != 1) std::abort();
        if (INetwork->ConnectTo("127.0.0.1", kServerPort, "bench", 0) != 1) std::abort();
        // The fan-out reference: six socket pairs written by one thread.
        TCPsocket listener = Listen(kFanPort);
        for (int i = 0; i < kReceivers; ++i) {
            TCPsocket writer = Open(kFanPort);
            writers.push_back(writer);
            references.emplace_back(new Counter(AcceptOne(listener)));
        }
        Drain();
    }
    // Takes whatever waits in the queue (arrivals, lists).
    static void Drain() {
        char* data;
        unsigned int size;
        for (int i = 0; i < 200; ++i) {
            while (INetwork->ReceiveData(&data, &size) != 0)
                if (data) INetwork->FreeData(data);
            SDL_Delay(1);
        }
    }
    // The six receivers log in at the first fan-out, after the round trips.
    const std::vector<std::unique_ptr<Counter>>& Receivers() {
        if (receivers.empty()) {
            for (int i = 0; i < kReceivers; ++i) receivers.push_back(RawReceiver(i));
            Drain();
        }
        return receivers;
    }
    Echo echo;
    std::vector<std::unique_ptr<Counter>> receivers, references;
    std::vector<TCPsocket> writers;
};

World& Shared() {
    static World* world = new World;  // the threads live until exit
    return *world;
}

void BM_SdkRoundTrip(benchmark::State& state) {
    Shared();
    INetwork->SetCoreServerCallback(AcceptAll);
    const std::string payload(static_cast<size_t>(state.range(0)), 'r');
    for (auto _ : state) {
        if (INetwork->SendData(payload.data(), static_cast<int>(payload.size()), 1) != 1) std::abort();
        char* data = nullptr;
        unsigned int size = 0;
        unsigned char cmd;
        while ((cmd = INetwork->ReceiveData(&data, &size)) != DN_DATA_VALID)
            if (cmd != 0 && data) INetwork->FreeData(data);
        INetwork->FreeData(data);
    }
    INetwork->SetCoreServerCallback(nullptr);
    state.SetBytesProcessed(state.iterations() * (12 + state.range(0)));
}

void BM_RawEchoRoundTrip(benchmark::State& state) {
    Echo& echo = Shared().echo;
    const int length = 12 + static_cast<int>(state.range(0));
    std::vector<char> out(static_cast<size_t>(length), 'r'), in(static_cast<size_t>(length));
    for (auto _ : state) {
        // Large frames are written by a thread of their own, as the SDK's
        // client thread reads beside the sender: one thread doing both
        // would fill the socket buffers and stall.
        if (length > (1 << 16)) {
            std::thread sender([&] { SDLNet_TCP_Send(echo.client, out.data(), length); });
            if (!RecvAll(echo.client, in.data(), length)) std::abort();
            sender.join();
        } else {
            SDLNet_TCP_Send(echo.client, out.data(), length);
            if (!RecvAll(echo.client, in.data(), length)) std::abort();
        }
    }
    state.SetBytesProcessed(state.iterations() * length);
}

void AwaitBytes(const std::vector<std::unique_ptr<Counter>>& counters, const std::vector<uint64_t>& targets) {
    for (size_t i = 0; i < counters.size(); ++i)
        while (counters[i]->bytes < targets[i]) std::this_thread::yield();
}

std::vector<uint64_t> Targets(const std::vector<std::unique_ptr<Counter>>& counters, uint64_t more) {
    std::vector<uint64_t> t;
    for (const auto& c : counters) t.push_back(c->bytes + more);
    return t;
}

void BM_SdkFanOut(benchmark::State& state) {
    const std::vector<std::unique_ptr<Counter>>& receivers = Shared().Receivers();
    const std::string payload(static_cast<size_t>(state.range(0)), 'f');
    for (auto _ : state) {
        const std::vector<uint64_t> targets = Targets(receivers, 12 + payload.size());
        if (INetwork->SendData(payload.data(), static_cast<int>(payload.size()), 0) != 1) std::abort();
        AwaitBytes(receivers, targets);
    }
}

void BM_RawFanOut(benchmark::State& state) {
    World& w = Shared();
    const std::string frame(12 + static_cast<size_t>(state.range(0)), 'f');
    for (auto _ : state) {
        const std::vector<uint64_t> targets = Targets(w.references, frame.size());
        for (TCPsocket s : w.writers) SDLNet_TCP_Send(s, frame.data(), static_cast<int>(frame.size()));
        AwaitBytes(w.references, targets);
    }
}

void BM_QueueFillDrain(benchmark::State& state) {
    reception::Queue queue;
    for (auto _ : state) {
        for (int i = 0; i < reception::kEntries; ++i) {
            DataNet net{DN_USER, DN_DATA_RELAY, 0, 64, 0, static_cast<char*>(std::malloc(64))};
            queue.Push(net);
        }
        DataNet net;
        while (queue.Take(&net)) queue.Free(net.Data);
    }
    state.SetItemsProcessed(state.iterations() * reception::kEntries);
}

void BM_DequeFillDrain(benchmark::State& state) {
    std::deque<DataNet> queue;
    for (auto _ : state) {
        for (int i = 0; i < reception::kEntries; ++i)
            queue.push_back(DataNet{DN_USER, DN_DATA_RELAY, 0, 64, 0, static_cast<char*>(std::malloc(64))});
        while (!queue.empty()) {
            std::free(queue.front().Data);
            queue.pop_front();
        }
    }
    state.SetItemsProcessed(state.iterations() * reception::kEntries);
}

struct Pair {
    std::string label, sdk, reference;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<Pair> pairs;
    for (int size : {1, 1024, 0x400000 - 12}) {
        const std::string sdk = "round_trip/sdk/" + std::to_string(size);
        const std::string reference = "round_trip/raw_echo/" + std::to_string(size);
        benchmark::RegisterBenchmark(reference.c_str(), BM_RawEchoRoundTrip)->Arg(size)->UseRealTime()->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(sdk.c_str(), BM_SdkRoundTrip)->Arg(size)->UseRealTime()->Unit(benchmark::kMicrosecond);
        pairs.push_back({"round trip " + std::to_string(size) + " bytes", sdk, reference});
    }
    benchmark::RegisterBenchmark("fan_out/raw/1024", BM_RawFanOut)->Arg(1024)->UseRealTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("fan_out/sdk/1024", BM_SdkFanOut)->Arg(1024)->UseRealTime()->Unit(benchmark::kMicrosecond);
    pairs.push_back({"relay 1 KiB to six clients", "fan_out/sdk", "fan_out/raw"});
    benchmark::RegisterBenchmark("queue/deque", BM_DequeFillDrain)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("queue/reception", BM_QueueFillDrain)->Unit(benchmark::kMicrosecond);
    pairs.push_back({"fill and drain 512 entries", "queue/reception", "queue/deque"});

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    // Wall time: the network cases wait on other threads.
    std::printf("\nRatios of wall time to the reference:\n");
    for (const Pair& pair : pairs) {
        const double sdk = collector.Time(pair.sdk), reference = collector.Time(pair.reference);
        if (sdk > 0.0 && reference > 0.0) std::printf("  %-36s %.2fx\n", pair.label.c_str(), sdk / reference);
    }
    benchmark::Shutdown();
    std::fflush(stdout);
    std::_Exit(0);  // the world's threads still block in their reads
}
