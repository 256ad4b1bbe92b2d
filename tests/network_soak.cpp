// Soak: a server, one SDK client and six raw clients in this process; each
// of the seven sends the given number of user DataNets and must receive
// every other client's, in order, with valid tokens and check sums.
//   usage: network_soak [MESSAGES_PER_CLIENT]   (default 300)
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <SDL.h>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_INetwork.h"
#include "Veltrano_Main.h"
#include "network/raw_peer.h"

namespace {

constexpr int kRawClients = 6;
constexpr int kClients = kRawClients + 1;
// Messages a raw client may have in flight towards the SDK client, whose
// queue of 512 drops what the application has not taken in time.
constexpr int kWindow = 48;

std::string Message(int sender, int index) {
    return "c" + std::to_string(sender) + "#" + std::to_string(index) + std::string(static_cast<size_t>(index % 200), 'p');
}

// What one receiver has seen: the next index expected from each sender.
struct Tally {
    std::atomic<int> next[kClients] = {};
    int faults = 0;
    int received = 0;

    void Take(const std::string& payload, int messages) {
        const int sender = payload.size() > 1 ? payload[1] - '0' : -1;
        const size_t hash = payload.find('#');
        if (sender < 0 || sender >= kClients || hash == std::string::npos || next[sender] >= messages ||
            payload != Message(sender, next[sender])) {
            ++faults;
            return;
        }
        ++next[sender];
        ++received;
    }
};

void RawClient(uint16_t port, int id, int messages, Tally* tally, const Tally* sdk, std::atomic<int>* ready) {
    raw::Peer peer;
    if (!peer.Connect(port) || peer.Login("raw" + std::to_string(id), 1) != raw::kAccepted) {
        ++tally->faults;
        ++*ready;
        return;
    }
    ++*ready;
    while (*ready < kClients) SDL_Delay(1);
    std::thread sender([&] {
        for (int i = 0; i < messages; ++i) {
            for (int spins = 0; i - sdk->next[id] > kWindow && spins < 20000; ++spins) SDL_Delay(1);
            peer.Send(0x40, 0x48, 0, Message(id, i));
        }
    });
    const int expected = (kClients - 1) * messages;
    raw::Frame frame;
    while (tally->received < expected && peer.ReadSkippingPings(&frame, 10000)) {
        if (frame.type != 0x40) continue;  // arrivals of the other clients
        if (!peer.Verify(frame)) ++tally->faults;
        tally->Take(frame.payload, messages);
    }
    sender.join();
}

}  // namespace

int main(int argc, char** argv) {
    const int messages = argc > 1 ? std::atoi(argv[1]) : 300;
    ILogSystem.Init("network_soak.log", 2, 0, "network soak", nullptr, nullptr, nullptr);
    if (Veltrano.Init(SDL_INIT_TIMER) != 1 || INetwork->Init(0) != 1) return 2;
    const uint16_t port = raw::FreePort();
    if (INetwork->CreateServer(port, 1, 0) != 1) return 2;
    if (INetwork->ConnectTo("127.0.0.1", port, "sdk", 1) != 1) return 2;
    const uint32_t start = SDL_GetTicks();
    std::atomic<int> ready{1};
    Tally tallies[kClients];
    std::vector<std::thread> raws;
    for (int id = 1; id <= kRawClients; ++id) raws.emplace_back(RawClient, port, id, messages, &tallies[id], &tallies[0], &ready);
    while (ready < kClients) SDL_Delay(1);
    int sent = 0;
    const int expected = (kClients - 1) * messages;
    // The SDK client sends its share while draining its queue, for at most a minute.
    while ((sent < messages || tallies[0].received < expected) && SDL_GetTicks() - start < 60000) {
        if (sent < messages) {
            const std::string m = Message(0, sent);
            if (INetwork->SendData(m.data(), static_cast<int>(m.size()), 0) == 1) ++sent;
        }
        char* data = nullptr;
        unsigned int size = 0;
        while (const unsigned char cmd = INetwork->ReceiveData(&data, &size)) {
            if (cmd == 128) break;
            if (cmd == DN_DATA_RELAY) tallies[0].Take(std::string(data, size), messages);
            if (data) INetwork->FreeData(data);
        }
    }
    for (std::thread& t : raws) t.join();
    const uint32_t elapsed = SDL_GetTicks() - start;
    int faults = 0, received = 0;
    for (const Tally& t : tallies) {
        if (t.faults) std::printf("soak: client %d: %d faults, %d received\n", static_cast<int>(&t - tallies), t.faults, t.received);
        faults += t.faults;
        received += t.received;
    }
    INetwork->Info();
    INetwork->Quit();
    Veltrano.Quit();
    const int wanted = kClients * expected;
    std::printf("soak: %d clients, %d DataNets sent, %d/%d relayed DataNets received, %d faults, %u ms\n", kClients,
                kClients * messages, received, wanted, faults, elapsed);
    return received == wanted && faults == 0 ? 0 : 1;
}
