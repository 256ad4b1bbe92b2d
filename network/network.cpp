#include "Veltrano_INetwork.h"

#include <SDL.h>

#include <cstdarg>
#include <cstring>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "core/core_state.h"
#include "log/interface_lines.h"
#include "network/net_state.h"
#include "network/timings.h"

int NetworkState::SimDelay() {
    std::lock_guard<std::mutex> guard(settingsLock);
    return simDelay;
}

void NetworkState::ClearTables() {
    std::lock_guard<std::mutex> guard(clientsLock);
    for (ClientSlot& slot : clients) slot = ClientSlot();
    clientCount = 0;
    std::memset(list, 0, sizeof list);
    std::memset(listCopy, 0, sizeof listCopy);
}

void NetLog(NetworkState& s, char level, const char* fmt, ...) {
    if (!s.log) return;
    char line[512];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(line, sizeof line, fmt, args);
    va_end(args);
    s.log->Msg(level, "%s", line);
}

void LogDump(const char* role, const DataNet& net) {
    ILogSystem.Msg(0, " [INetwork %s] Info: DataNet 0x%x: - Type: %d - Cmd: %d - Aux: %d - Size: %d\n", role,
                   static_cast<unsigned>(reinterpret_cast<uintptr_t>(&net)), net.Type, net.Cmd, net.Aux, net.Size);
}

void NameOf(const DataNet& net, char out[kMaxNameLength + 1]) {
    std::memset(out, 0, kMaxNameLength + 1);
    if (net.Data && net.Size > 0)
        std::memcpy(out, net.Data, std::min(static_cast<size_t>(net.Size), static_cast<size_t>(kMaxNameLength)));
}

namespace {

// Waits in polling steps until the thread's state reads ended; false on timeout.
bool AwaitEnd(const std::atomic<uint8_t>& threadState, uint32_t limitMs) {
    const uint32_t step = net_timings::Current().stopPoll;
    for (uint32_t waited = 0; threadState != kEnded; waited += step) {
        if (waited >= limitMs) return false;
        SDL_Delay(step);
    }
    return true;
}

// Stops a network thread. Every wait of the threads is bounded, so a thread
// that missed its time is joined rather than cancelled: a cancelled thread
// could die holding a lock or half way through closing its sockets.
void StopThread(std::atomic<bool>& running, std::thread& thread, const std::atomic<uint8_t>& threadState,
                uint32_t limitMs, const char* which) {
    if (running) {
        ILogSystem.Msg(2, " [INetwork::Quit] Warning: we are closing the %s!\n", which);
        running = false;
        const bool smooth = AwaitEnd(threadState, limitMs);
        ILogSystem.Msg(2, " [INetwork::Quit] Warning: %s closed using the %s way.\n", which, smooth ? "smooth" : "brute");
    }
    if (thread.joinable()) thread.join();
}

void ZeroModule(NetworkState& s) {
    s.queue.Clear();
    s.clientTraffic.Reset();
    s.serverTraffic.Reset();
    s.ClearTables();
}

void PrintTraffic(const char* direction, const char* verb, const wire::Counters& c) {
    ILogSystem.Msg(0, "  -> %s DNs: System %d - User %d - Total data %s %llu bytes\n", direction, c.system, c.user, verb,
                   static_cast<unsigned long long>(c.bytes));
}

unsigned char SendCommand(NetworkState& s, unsigned char cmd) {
    if (!s.isClient) return 0;
    DataNet net{DN_SYSTEM, cmd, 0, 0, 0, nullptr};
    return client::Send(s, net) > 1 ? 1 : 0;
}

}  // namespace

Veltrano_INetwork::Veltrano_INetwork() : state(new NetworkState) { LogInterfaceCreated("INetwork"); }

Veltrano_INetwork::~Veltrano_INetwork() {
    if (state->initialized) {
        ILogSystem.Msg(2, " . [INetwork:~INetwork()] Warning: INetwork is still initialized, do not forget to call "
                          "Quit(). Calling it now!\n");
        Quit();
    }
    ZeroModule(*state);
    delete state->log;
    delete state;
    state = nullptr;
    LogInterfaceDeleted("INetwork");
}

unsigned char Veltrano_INetwork::Init(char logMode) {
    NetworkState& s = *state;
    if (Veltrano.initTicks == kTicksNotInitialized) {
        ILogSystem.Msg(0, " . [INetwork::Init] Error: Veltrano was not initialized.\n");
        return 0;
    }
    if (s.initialized) {
        ILogSystem.Msg(2, " . [INetwork::Init] Warning: INetwork is already initialized.\n");
        return 0;
    }
    if (SDLNet_Init() < 0)
        ILogSystem.Msg(0, " . [INetwork::Init] Error: %s\n", SDL_GetError());
    else
        s.initialized = true;
    s.logMode = logMode;
    ZeroModule(s);
    delete s.log;
    s.log = new Veltrano_ILogSystem;
    s.log->Init("Network.log", logMode, 2, "INetwork Debug Information", nullptr, nullptr, nullptr);
    s.log->ShowTime(1);
    return s.initialized ? 1 : 0;
}

void Veltrano_INetwork::Quit() {
    NetworkState& s = *state;
    if (!s.initialized) {
        ILogSystem.Msg(2, " . [INetwork::Quit] Warning: INetwork is not initialized.\n");
        return;
    }
    const net_timings::Timings& t = net_timings::Current();
    StopThread(s.isClient, s.clientThread, s.clientThreadState, 3 * (static_cast<uint32_t>(s.SimDelay()) + t.clientStopStep),
               "client");
    StopThread(s.isServer, s.serverThread, s.serverThreadState, t.serverStopWait, "server");
    const int released = s.queue.ReleaseReady();
    if (released > 0)
        ILogSystem.Msg(2, " [INetwork::Quit] Info: %d DataNets were deleted before quit due to they were not handled.\n",
                       released);
    s.clientTraffic.Reset();
    s.serverTraffic.Reset();
    s.ClearTables();
    SDLNet_Quit();
    s.initialized = false;
    delete s.log;
    s.log = nullptr;
}

void Veltrano_INetwork::Info() {
    NetworkState& s = *state;
    if (!s.initialized) return;
    if (s.isClient) {
        const reception::QueueCounts q = s.queue.Counts();
        ILogSystem.Msg(0, "\n . INetwork Client info:\n");
        ILogSystem.Msg(0, "  -> Simulated delay %d ms\n", s.SimDelay());
        ILogSystem.Msg(0, "  -> Reception DN queue: Waiting %d - Maximum population %d/%d - DN dropped %d\n", q.waiting,
                       q.maximum + 1, reception::kEntries, q.dropped);
        PrintTraffic("Incoming", "received", s.clientTraffic.In());
        PrintTraffic("Outgoing", "sent", s.clientTraffic.Out());
    }
    if (s.isServer) {
        ILogSystem.Msg(0, " . INetwork Server info:\n");
        ILogSystem.Msg(0, "  -> Server features: 0x0%x\n", Features(-1));
        PrintTraffic("Incoming", "received", s.serverTraffic.In());
        PrintTraffic("Outgoing", "sent", s.serverTraffic.Out());
    }
    ILogSystem.Msg(0, "\n");
}

int Veltrano_INetwork::Features(int mask) {
    NetworkState& s = *state;
    if (!s.initialized) return 0;
    std::lock_guard<std::mutex> guard(s.settingsLock);
    if (mask != -1) s.serverFeatures ^= mask;
    return s.serverFeatures;
}

void Veltrano_INetwork::SetSimDelay(int milliseconds, int) {
    if (static_cast<unsigned>(milliseconds) > 2500u) return;
    std::lock_guard<std::mutex> guard(state->settingsLock);
    state->simDelay = milliseconds;
}

void Veltrano_INetwork::SetTimeOut(int milliseconds) {
    std::lock_guard<std::mutex> guard(state->settingsLock);
    state->timeout = milliseconds < 500 ? 500 : milliseconds;
}

void Veltrano_INetwork::SetCoreServerCallback(int (*callback)(void* data, int size)) {
    NetworkState& s = *state;
    if (!s.initialized) return;
    if (!s.isServer) ILogSystem.Msg(2, " [INetwork Server] Entering in %sauthoritative mode\n", callback ? "" : "non-");
    s.callback = callback;
}

unsigned char Veltrano_INetwork::CreateServer(unsigned short port, unsigned int password, unsigned char blocking) {
    return server::Create(*state, port, password, blocking);
}

int Veltrano_INetwork::GetClientsInfo(sClientInfo** list) {
    NetworkState& s = *state;
    if (s.isServer) server::BuildList(s);
    std::lock_guard<std::mutex> guard(s.clientsLock);
    std::memset(s.listCopy, 0, sizeof s.listCopy);
    int count = 0;
    for (const sClientInfo& info : s.list)
        if (info.IP != 0 && count < kMaxClients) s.listCopy[count++] = info;
    if (count > 0 && list) *list = s.listCopy;
    return count;
}

unsigned char Veltrano_INetwork::IsServer() { return state->initialized && state->isServer ? 1 : 0; }

unsigned char Veltrano_INetwork::IsClient() { return state->initialized && state->isClient ? 1 : 0; }

unsigned int Veltrano_INetwork::GetMyIP() {
    if (state->isServer) return state->serverIP;
    if (state->isClient) return state->clientIP;
    return 0;
}

char* Veltrano_INetwork::GetMyUserName() {
    return state->initialized && state->isClient ? state->userName : nullptr;
}

unsigned char Veltrano_INetwork::ConnectTo(const char* host, unsigned short port, const char* userName,
                                           unsigned int password) {
    return client::Connect(*state, host, port, userName, password);
}

unsigned char Veltrano_INetwork::SendData(const char* data, int size, char validate) {
    NetworkState& s = *state;
    if (!s.isClient) return 0;
    if (size < 1 || !data) {
        // The server would relay an empty payload that every receiver rejects.
        ILogSystem.Msg(0, " [INetwork::SendData] Error: data of %d bytes can not be sent, at least 1 is needed.\n", size);
        return 0;
    }
    DataNet net{DN_USER, validate == 1 ? DN_DATA_CHECK : DN_DATA, 0, size, 0, const_cast<char*>(data)};
    const int sent = client::Send(s, net);
    if (sent == size + 12) return 1;
    ILogSystem.Msg(0, " [INetwork::SendData] Error: %d bytes were sent of a total of %d\n", sent, size + 12);
    return 0;
}

unsigned char Veltrano_INetwork::ReceiveData(char** data, unsigned int* size) {
    NetworkState& s = *state;
    DataNet net;
    if (!s.queue.Take(&net)) {
        *data = nullptr;
        *size = 0;
        return s.clientThreadState == kRunning || s.serverThreadState == kRunning ? 0 : 128;
    }
    *data = net.Data;
    *size = static_cast<unsigned int>(net.Size);
    // The list follows every arrival and departure.
    if (net.Type == DN_SYSTEM && (net.Cmd == DN_CLIENT_IN || net.Cmd == DN_QUIT_CLIENT)) QueryClientsInfo();
    return net.Cmd;
}

void Veltrano_INetwork::FreeData(char*& data) {
    if (data && state->queue.Free(data)) data = nullptr;
}

unsigned char Veltrano_INetwork::QueryKillClient() { return SendCommand(*state, DN_QUIT_CLIENT); }

unsigned char Veltrano_INetwork::QueryKillServer() {
    NetworkState& s = *state;
    if (!s.isClient && s.isServer) {
        s.isServer = false;
        return 0;
    }
    return SendCommand(s, DN_CLOSE_SERVER);
}

unsigned char Veltrano_INetwork::QueryClientsInfo() { return SendCommand(*state, DN_CLIENTS_INFO); }
