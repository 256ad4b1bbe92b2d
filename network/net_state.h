// The network module's private record and the pieces the interface, the
// server and the client share.
#ifndef VELTRANO_NETWORK_NET_STATE_H
#define VELTRANO_NETWORK_NET_STATE_H

#include <SDL_net.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>

#include "Veltrano_ILogSystem.h"
#include "core/random.h"
#include "network/reception_queue.h"
#include "network/wire.h"

constexpr int kMaxClients = 7;
constexpr int kListRecords = 8;
constexpr int kPingSlots = 10;
constexpr int kMaxNameLength = 15;

enum ThreadState : uint8_t { kNeverStarted = 0, kRunning = 1, kEnded = 2 };

// One logged-in client of the server; the table keeps them from index 0.
struct ClientSlot {
    TCPsocket socket;
    char name[kMaxNameLength + 1];
    uint32_t ip;
    int ping[kPingSlots];
    int pingIndex;
    uint32_t pingSentAt;
    MersenneTwister send;
    MersenneTwister receive;
};

using ServerCallback = int (*)(void* data, int size);

struct NetworkState {
    // The client connection.
    MersenneTwister clientSend;
    MersenneTwister clientReceive;
    std::atomic<ServerCallback> callback{nullptr};

    std::mutex socketsLock;  // open, accept, close, resolve, socket sets
    std::mutex clientsLock;  // client table, client list, list copy
    std::mutex connectGate;  // a process connecting to its own server
    std::mutex settingsLock; // serverFeatures, simDelay, timeout
    // One writer at a time on the client socket (the application and the
    // ping echo of the client thread), and the socket's lifetime.
    std::mutex clientSendLock;

    reception::Queue queue;
    wire::Traffic clientTraffic;
    wire::Traffic serverTraffic;
    Veltrano_ILogSystem* log = nullptr;

    std::atomic<bool> initialized{false};
    std::atomic<bool> isServer{false};
    std::atomic<bool> isClient{false};
    std::atomic<uint8_t> clientThreadState{kNeverStarted};
    std::atomic<uint8_t> serverThreadState{kNeverStarted};
    char logMode = 0;
    std::atomic<uint32_t> serverIP{0};
    std::atomic<uint32_t> clientIP{0};
    uint16_t serverPort = 0;
    uint16_t clientPort = 0;
    uint32_t serverPassword = 0;
    std::thread serverThread;
    std::thread clientThread;
    char userName[kMaxNameLength + 1] = {};
    int timeout = 2000;
    int serverFeatures = 0;
    int simDelay = 0;
    int clientCount = 0;
    TCPsocket listenSocket = nullptr;
    TCPsocket clientSocket = nullptr;
    SDLNet_SocketSet serverSet = nullptr;
    SDLNet_SocketSet clientSet = nullptr;
    ClientSlot clients[kListRecords] = {};
    sClientInfo list[kListRecords] = {};
    sClientInfo listCopy[kListRecords] = {};
    uint32_t lastPing = 0;
    MersenneTwister seedGenerator;  // login seeds; never the core's generator

    int SimDelay();
    void ClearTables();
};

static_assert(sizeof(sClientInfo) == 28, "sClientInfo is its 28 wire bytes");

// The module's own log ("Network.log").
void NetLog(NetworkState& s, char level, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
// " [INetwork SERVER|CLIENT] Info: DataNet 0x..." line of a failed DataNet.
void LogDump(const char* role, const DataNet& net);
// A name payload as a terminated string of at most 15 characters.
void NameOf(const DataNet& net, char out[kMaxNameLength + 1]);

namespace server {
unsigned char Create(NetworkState& s, unsigned short port, unsigned int password, unsigned char blocking);
constexpr int kAccepted = -1;
// The refusal reason for a first DataNet (0..5), or kAccepted. Checks in
// order: a login at all, logins open, password (its low 16 bits, all a
// client can send), then the name: valid, not taken, room left.
int Refusal(const DataNet& first, int features, uint32_t password, const ClientSlot* table, int count);
// Rebuilds the client list from the table under the clients lock; the count.
int BuildList(NetworkState& s);
}  // namespace server

namespace client {
unsigned char Connect(NetworkState& s, const char* host, unsigned short port, const char* userName,
                      unsigned int password);
// Sends on the client connection; bytes sent, 0 when not connected or failed.
int Send(NetworkState& s, DataNet& net);
// Frees the set and closes the socket.
void Close(NetworkState& s);
// Acts on a DataNet the client read (pings are echoed, lists replaced);
// 0 when it is to be queued, else the client thread's error code.
int Handle(NetworkState& s, DataNet& net, bool* kill, int* delay);
// Queues it for the application; drops it with a warning when full.
void Enqueue(NetworkState& s, const DataNet& net);
}  // namespace client

#endif
