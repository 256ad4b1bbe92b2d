// The server: CreateServer and the server thread with its logins, the
// servicing of clients, relaying, pings and logouts.
#include <SDL.h>
#include <strings.h>

#include <cstring>
#include <system_error>

#include "Veltrano_ILogSystem.h"
#include "core/clock.h"
#include "network/net_state.h"
#include "network/socket_io.h"
#include "network/timings.h"

namespace server {

namespace {

constexpr const char* kVersion = "v5.00";

void Ip4(uint32_t ip, int out[4]) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<int>((ip >> (24 - 8 * i)) & 0xFF);
}

wire::Link LinkOf(NetworkState& s, int index) {
    ClientSlot& c = s.clients[index];
    return wire::Link{&c.send, &c.receive, &s.serverTraffic, "server"};
}

bool SendRaw(NetworkState& s, int index, DataNet& net, const uint32_t* payloadSum = nullptr) {
    socket_io::SocketSink sink(s.clients[index].socket);
    return wire::Write(sink, net, LinkOf(s, index), payloadSum) > 0;
}

bool SendTo(NetworkState& s, int index, DataNet& net, const uint32_t* payloadSum = nullptr) {
    if (SendRaw(s, index, net, payloadSum)) return true;
    ILogSystem.Msg(0, " [INetwork Server] Error: DataNet could not be sent to '%s'.\n", s.clients[index].name);
    LogDump("SERVER", net);
    return false;
}

// Each destination draws its own token; the payload's sum is shared.
void SendToOthers(NetworkState& s, int except, DataNet net, const uint32_t* payloadSum = nullptr) {
    for (int i = 0; i < s.clientCount; ++i)
        if (i != except) SendTo(s, i, net, payloadSum);
}

DataNet NameNotice(unsigned char cmd, char* name) {
    return DataNet{DN_SYSTEM, cmd, 0, static_cast<int>(std::strlen(name) + 1), 0, name};
}

void UpdateSocketSet(NetworkState& s) {
    std::lock_guard<std::mutex> guard(s.socketsLock);
    if (s.serverSet) SDLNet_FreeSocketSet(s.serverSet);
    s.serverSet = SDLNet_AllocSocketSet(s.clientCount + 1);
    if (!s.serverSet) {
        ILogSystem.Msg(0, " . [Network->UpdateSocketSet()] Error: %s\n", SDL_GetError());
        return;
    }
    SDLNet_TCP_AddSocket(s.serverSet, s.listenSocket);
    for (int i = 0; i < s.clientCount; ++i) SDLNet_TCP_AddSocket(s.serverSet, s.clients[i].socket);
}

void CloseSocket(NetworkState& s, TCPsocket socket) {
    std::lock_guard<std::mutex> guard(s.socketsLock);
    SDLNet_TCP_Close(socket);
}

void LogOut(NetworkState& s, int index, bool kill) {
    if (index < 0 || index >= s.clientCount || !s.clients[index].name[0]) return;
    ClientSlot& c = s.clients[index];
    if (kill) {
        DataNet signal{DN_SYSTEM, DN_CLOSE_SERVER, 0, 0, 0, nullptr};
        SendRaw(s, index, signal);
    }
    CloseSocket(s, c.socket);
    ILogSystem.Msg(2, " [INetwork Server] Info: client '%s' logged out,it was using socket 0x%x.\n", c.name,
                   static_cast<unsigned>(reinterpret_cast<uintptr_t>(c.socket)));
    char name[kMaxNameLength + 1];
    std::memcpy(name, c.name, sizeof name);
    {
        std::lock_guard<std::mutex> guard(s.clientsLock);
        for (int i = index; i + 1 < s.clientCount; ++i) s.clients[i] = s.clients[i + 1];
        --s.clientCount;
        s.clients[s.clientCount] = ClientSlot();
    }
    UpdateSocketSet(s);
    SendToOthers(s, -1, NameNotice(DN_QUIT_CLIENT, name));
}

bool NameTaken(const char* name, const ClientSlot* table, int count) {
    for (int i = 0; i < count; ++i)
        if (strcasecmp(table[i].name, name) == 0) return true;
    return false;
}

void WarnRefusal(int reason, const char* name, int clientCount) {
    if (reason == 1) ILogSystem.Msg(2, " [INetwork Server] Warning: access denied to '%s': invalid client name.\n", name);
    if (reason == 2) ILogSystem.Msg(2, " [INetwork Server] Warning: access denied to '%s': duplicated client name.\n", name);
    if (reason == 3)
        ILogSystem.Msg(2, " [INetwork Server] Warning: access denied to '%s': server can not add more client (limit:%d).\n",
                       name, clientCount + 1);
}

void Admit(NetworkState& s, TCPsocket socket, DataNet& login) {
    ClientSlot slot = ClientSlot();
    slot.socket = socket;
    NameOf(login, slot.name);
    {
        std::lock_guard<std::mutex> guard(s.socketsLock);
        IPaddress* peer = SDLNet_TCP_GetPeerAddress(socket);
        slot.ip = peer ? SDLNet_Read32(&peer->host) : 0;
    }
    const uint16_t seed = static_cast<uint16_t>((s.seedGenerator.Next() & 0xFFFF) % 0xFFFF);
    const int index = s.clientCount;
    {
        std::lock_guard<std::mutex> guard(s.clientsLock);
        s.clients[index] = slot;
        ++s.clientCount;
    }
    login.Cmd = DN_LOGIN_ACCEPTED;
    login.Aux = seed;
    SendTo(s, index, login);
    s.clients[index].send.Seed(seed);
    s.clients[index].receive.Seed(seed);
    UpdateSocketSet(s);
    ILogSystem.Msg(2, " [INetwork Server] Info: client '%s' logged in, it's using socket 0x%x.\n", slot.name,
                   static_cast<unsigned>(reinterpret_cast<uintptr_t>(socket)));
    SendToOthers(s, index, NameNotice(DN_CLIENT_IN, s.clients[index].name));
}

void AcceptLogin(NetworkState& s) {
    { std::lock_guard<std::mutex> gate(s.connectGate); }
    TCPsocket socket;
    {
        std::lock_guard<std::mutex> guard(s.socketsLock);
        socket = SDLNet_TCP_Accept(s.listenSocket);
    }
    if (!socket) return;
    // No generator pair exists yet: a non-system first DataNet is checked
    // against throwaway ones and refused with reason 0 anyway.
    MersenneTwister send, receive;
    const wire::Link link{&send, &receive, &s.serverTraffic, "server"};
    DataNet first;
    socket_io::SocketSource source(socket, net_timings::Current().partialLimit);
    if (wire::Read(source, first, link) != 0) {
        CloseSocket(s, socket);
        return;
    }
    int features;
    {
        std::lock_guard<std::mutex> guard(s.settingsLock);
        features = s.serverFeatures;
    }
    const int reason = Refusal(first, features, s.serverPassword, s.clients, s.clientCount);
    if (reason == kAccepted) {
        Admit(s, socket, first);
    } else {
        char name[kMaxNameLength + 1];
        NameOf(first, name);
        WarnRefusal(reason, name, s.clientCount);
        DataNet denied{DN_SYSTEM, DN_LOGIN_DENIED, static_cast<uint16_t>(reason), 0, 0, nullptr};
        socket_io::SocketSink sink(socket);
        wire::Write(sink, denied, link);
        CloseSocket(s, socket);
    }
    wire::FreePayload(first);
}

void StoreRoundTrip(NetworkState& s, ClientSlot& c) {
    std::lock_guard<std::mutex> guard(s.clientsLock);
    if (c.pingIndex >= kPingSlots) c.pingIndex = 0;
    c.ping[c.pingIndex++] = static_cast<int>(clock_source::Ticks() - c.pingSentAt);
}

void SendList(NetworkState& s, int index, const DataNet& request) {
    const int count = BuildList(s);
    sClientInfo list[kListRecords];
    {
        std::lock_guard<std::mutex> guard(s.clientsLock);
        std::memcpy(list, s.list, sizeof list);
    }
    for (int i = 0; i < count; ++i) {
        int ip[4];
        Ip4(list[i].IP, ip);
        NetLog(s, 2, " [SERVER] '%s' - IP '%d.%d.%d.%d' - Current %dms - Average %dms.\n", list[i].Name, ip[0], ip[1],
               ip[2], ip[3], list[i].PingCurrent, list[i].PingAverage);
    }
    if (count == 0) return;
    DataNet reply = request;
    reply.Size = count * static_cast<int>(sizeof(sClientInfo));
    reply.Data = reinterpret_cast<char*>(list);
    SendTo(s, index, reply);
}

// False when the client was logged out.
bool HandleSystem(NetworkState& s, int index, const DataNet& net, bool* closeRequested) {
    ClientSlot& c = s.clients[index];
    switch (net.Cmd) {
    case DN_QUIT_CLIENT:
        NetLog(s, 2, " [SERVER] Client '%s' has requested a QUIT CLIENT signal.\n", c.name);
        LogOut(s, index, true);
        return false;
    case DN_CLOSE_SERVER:
        NetLog(s, 2, " [SERVER] Client '%s' has requested a CLOSE SERVER signal.\n", c.name);
        *closeRequested = true;
        return true;
    case DN_CLIENTS_INFO:
        NetLog(s, 2, " [SERVER] Client '%s' has requested a CLIENTS INFO signal.\n", c.name);
        SendList(s, index, net);
        return true;
    case DN_PING:
        StoreRoundTrip(s, c);
        return true;
    default:
        // One misbehaving client must not bring down the others' server.
        NetLog(s, 0, " [SERVER] Error: client '%s' sent an unknown system command (%d). Removing client.\n", c.name,
               net.Cmd);
        LogOut(s, index, true);
        return false;
    }
}

int Verdict(NetworkState& s, int index, const DataNet& net, ServerCallback callback) {
    if (net.Cmd == DN_DATA) return 1;
    if (net.Cmd != DN_DATA_CHECK) return 3;
    const int verdict = callback(net.Data, net.Size);
    if (verdict == 1)
        NetLog(s, 5, " [SERVER] Info: received data from '%s' was validated by CoreServer callback.\n",
               s.clients[index].name);
    if (verdict == 0)
        NetLog(s, 5, " [SERVER] Info: received data from '%s' was denied by CoreServer callback.\n",
               s.clients[index].name);
    return verdict;
}

void Relay(NetworkState& s, int index, DataNet net, uint32_t payloadSum) {
    NetLog(s, 5, " [SERVER] Info: sending data from '%s' to others (%d bytes).\n", s.clients[index].name, net.Size);
    net.Cmd = DN_DATA_RELAY;
    SendToOthers(s, index, net, &payloadSum);
}

void HandleUser(NetworkState& s, int index, const DataNet& net) {
    if (net.Size <= 0) {
        // Relayed, an empty user DataNet would break every receiving client.
        NetLog(s, 2, " [SERVER] Warning: empty user DataNet from '%s' was not relayed.\n", s.clients[index].name);
        return;
    }
    const uint32_t payloadSum = wire::PayloadSum(net);
    const ServerCallback callback = s.callback.load();
    if (!callback) return Relay(s, index, net, payloadSum);
    const int verdict = Verdict(s, index, net, callback);
    DataNet answer = net;
    if (verdict == 1) {
        answer.Cmd = DN_DATA_VALID;
        SendTo(s, index, answer, &payloadSum);
        Relay(s, index, net, payloadSum);
    } else if (verdict == 0) {
        answer.Cmd = DN_DATA_DENIED;
        SendTo(s, index, answer, &payloadSum);
    } else {
        NetLog(s, 2, " [SERVER] Warning: unknown CoreServer_Callback() returned value %d. Doing nothing!\n", verdict);
    }
}

// Reads and handles one DataNet of a ready client; false when it was logged out.
bool Service(NetworkState& s, int index, bool* closeRequested) {
    DataNet net;
    socket_io::SocketSource source(s.clients[index].socket, net_timings::Current().partialLimit);
    if (wire::Read(source, net, LinkOf(s, index)) != 0) {
        LogOut(s, index, false);
        return false;
    }
    bool kept = true;
    if (net.Type == DN_SYSTEM)
        kept = HandleSystem(s, index, net, closeRequested);
    else if (net.Type == DN_USER)
        HandleUser(s, index, net);
    else
        kept = false;
    wire::FreePayload(net);
    if (net.Type != DN_SYSTEM && net.Type != DN_USER) LogOut(s, index, true);
    return kept;
}

void ServicePass(NetworkState& s, bool* closeRequested) {
    for (int i = 0; i < s.clientCount;) {
        // A logout moves the next client into position i, still to be served.
        if (!SDLNet_SocketReady(s.clients[i].socket) || Service(s, i, closeRequested)) ++i;
    }
}

void PingPass(NetworkState& s) {
    const uint32_t now = clock_source::Ticks();
    if (now - s.lastPing < net_timings::Current().pingInterval) return;
    s.lastPing = now;
    for (int i = 0; i < s.clientCount;) {
        {
            std::lock_guard<std::mutex> guard(s.clientsLock);
            s.clients[i].pingSentAt = clock_source::Ticks();
        }
        DataNet ping{DN_SYSTEM, DN_PING, 0, 0, 0, nullptr};
        if (SendRaw(s, i, ping)) {
            ++i;
            continue;
        }
        ILogSystem.Msg(2, " [INetwork Server] Error: client '%s' doesn't respond to Ping signal. Removing client.\n",
                       s.clients[i].name);
        LogOut(s, i, false);
    }
}

void CloseServer(NetworkState& s) {
    while (s.clientCount > 0) LogOut(s, 0, true);
    {
        std::lock_guard<std::mutex> guard(s.socketsLock);
        if (s.serverSet) SDLNet_FreeSocketSet(s.serverSet);
        s.serverSet = nullptr;
        if (s.listenSocket) SDLNet_TCP_Close(s.listenSocket);
        s.listenSocket = nullptr;
    }
    ILogSystem.Msg(2, " [INetwork Server] Info: server closed.\n");
    s.isServer = false;
}

void ServerThread(NetworkState* state) {
    NetworkState& s = *state;
    s.serverThreadState = kRunning;
    int failure = 0;
    bool closeRequested = false;
    while (s.isServer) {
        const int ready = s.serverSet ? SDLNet_CheckSockets(s.serverSet, net_timings::Current().readinessWait) : -1;
        if (ready < 0) {
            failure = 10;
            break;
        }
        if (ready == 0) {
            PingPass(s);
            continue;
        }
        if (SDLNet_SocketReady(s.listenSocket)) AcceptLogin(s);
        ServicePass(s, &closeRequested);
        if (closeRequested) break;
    }
    if (failure) {
        NetLog(s, 0, " [SERVER] Error: internal failure! (bFlagErr:%d).\n", failure);
        LogDump("SERVER", DataNet());
    }
    CloseServer(s);
    NetLog(s, 2, " [SERVER] Info: server closed.\n");
    s.serverThreadState = kEnded;
}

int Fail(NetworkState& s, unsigned short port, unsigned int password, unsigned char blocking, int error,
         const char* text) {
    ILogSystem.Msg(0, " [INetwork::CreateServer(%d,%d,%d)] Error(%d): %s\n", port, static_cast<int>(password), blocking,
                   error, text);
    std::lock_guard<std::mutex> guard(s.socketsLock);
    if (s.serverSet) SDLNet_FreeSocketSet(s.serverSet);
    s.serverSet = nullptr;
    if (s.listenSocket) SDLNet_TCP_Close(s.listenSocket);
    s.listenSocket = nullptr;
    return 0;
}

// Opens the listening socket and logs the banner; 0 or the error value.
int Listen(NetworkState& s, unsigned short port) {
    std::lock_guard<std::mutex> guard(s.socketsLock);
    IPaddress any;
    if (SDLNet_ResolveHost(&any, nullptr, port) != 0) return 3;
    const char* hostName = SDLNet_ResolveIP(&any);
    s.listenSocket = SDLNet_TCP_Open(&any);
    if (!s.listenSocket) return 4;
    IPaddress self;
    s.serverIP = (hostName && SDLNet_ResolveHost(&self, hostName, port) == 0) ? SDLNet_Read32(&self.host) : 0;
    int ip[4];
    Ip4(s.serverIP, ip);
    ILogSystem.Msg(2, "\n [INetwork Server] INetwork Server %s\n", kVersion);
    ILogSystem.Msg(2, " [INetwork Server] IP %d.%d.%d.%d\n", ip[0], ip[1], ip[2], ip[3]);
    ILogSystem.Msg(2, " [INetwork Server] Host name: %s\n", hostName ? hostName : "N/A");
    ILogSystem.Msg(2, " [INetwork Server] Port: %d\n\n", port);
    s.serverSet = SDLNet_AllocSocketSet(1);
    if (!s.serverSet) return 5;
    if (SDLNet_TCP_AddSocket(s.serverSet, s.listenSocket) < 0) return 6;
    return 0;
}

}  // namespace

int Refusal(const DataNet& first, int features, uint32_t password, const ClientSlot* table, int count) {
    if (first.Type != DN_SYSTEM || first.Cmd != DN_LOGIN) return 0;
    if (features & 0x1) return 5;
    if (first.Aux != (password & 0xFFFF)) return 4;
    const void* end = first.Data ? std::memchr(first.Data, 0, static_cast<size_t>(first.Size)) : nullptr;
    const int length = end ? static_cast<int>(static_cast<const char*>(end) - first.Data) : -1;
    if (length < 1 || length > kMaxNameLength) return 1;
    if (NameTaken(first.Data, table, count)) return 2;
    if (count >= kMaxClients) return 3;
    return kAccepted;
}

int BuildList(NetworkState& s) {
    std::lock_guard<std::mutex> guard(s.clientsLock);
    std::memset(s.list, 0, sizeof s.list);
    int n = 0;
    for (int i = 0; i < s.clientCount; ++i) {
        const ClientSlot& c = s.clients[i];
        if (!c.name[0]) continue;
        sClientInfo& info = s.list[n++];
        std::memcpy(info.Name, c.name, sizeof info.Name);
        info.IP = c.ip;
        info.PingCurrent = c.pingIndex > 0 ? c.ping[c.pingIndex - 1] : 0;
        int sum = 0;
        for (int p : c.ping) sum += p;
        info.PingAverage = sum / kPingSlots;
    }
    return n;
}

unsigned char Create(NetworkState& s, unsigned short port, unsigned int password, unsigned char blocking) {
    if (s.serverThreadState == kRunning) return 0;
    if (s.serverThread.joinable()) s.serverThread.join();
    if (!s.initialized) return Fail(s, port, password, blocking, 1, "you must init network interface.");
    s.serverPort = port;
    if (const int error = Listen(s, port)) return Fail(s, port, password, blocking, error, SDL_GetError());
    s.serverPassword = password;
    s.seedGenerator.Seed(clock_source::Ticks());
    s.lastPing = clock_source::Ticks();
    s.serverThreadState = kNeverStarted;
    s.isServer = true;
    try {
        s.serverThread = std::thread(ServerThread, &s);
    } catch (const std::system_error&) {
        s.isServer = false;
        return Fail(s, port, password, blocking, 7, "the server thread could not be started.");
    }
    while (s.serverThreadState < kRunning) SDL_Delay(5);
    if (blocking) s.serverThread.join();
    return 1;
}

}  // namespace server
