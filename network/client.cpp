// The client: ConnectTo with its login, the client thread that reads what
// the server sends, and writing on the client connection.
#include <SDL.h>

#include <cstring>
#include <string>
#include <system_error>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "core/clock.h"
#include "network/net_state.h"
#include "network/socket_io.h"
#include "network/timings.h"

namespace client {

namespace {

constexpr const char* kVersion = "v5.00";
constexpr int kReplyWaits = 3;
constexpr int kMaxUpdatesPerAttempt = 1000;
constexpr int kCancelled = 255;

wire::Link LinkOf(NetworkState& s) {
    return wire::Link{&s.clientSend, &s.clientReceive, &s.clientTraffic, s.userName};
}

bool IsEscape(const SDL_Event& event) {
    return event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE;
}

// Lets an open screen live on while connecting; true when Escape came.
bool RunUpdates() {
    if (!Veltrano.screen) return false;
    bool escape = false;
    SDL_Event event;
    for (int n = 0; n < kMaxUpdatesPerAttempt && Veltrano.Update(&event) != 0; ++n)
        escape = escape || IsEscape(event);
    return escape;
}

// Consumes every pending event; true when one was an Escape key-down.
bool DrainEvents() {
    bool escape = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) escape = escape || IsEscape(event);
    return escape;
}

const char* DenialText(int reason) {
    static const char* const texts[] = {
        "access denied: unknown reason.",
        "access denied: invalid client name.",
        "access denied: duplicated client name.",
        "access denied: server can not add more client.",
        "access denied: wrong password.",
        "access denied: server does not allow login.",
    };
    return reason >= 1 && reason <= 5 ? texts[reason] : texts[0];
}

void LogAddress(const char* fmt, uint32_t ip, int port) {
    ILogSystem.Msg(2, fmt, ip >> 24, (ip >> 16) & 0xFF, (ip >> 8) & 0xFF, ip & 0xFF, port);
}

// One connection attempt's progress, for the clean-up of a failure.
struct Attempt {
    explicit Attempt(NetworkState& state) : s(state) {}
    NetworkState& s;
    IPaddress address{};
    int code = 0;
    std::string text;
    bool gateHeld = false;
    bool waitingReply = false;
    uint16_t seed = 0;

    void ReleaseGate() {
        if (gateHeld) s.connectGate.unlock();
        gateHeld = false;
    }
    bool Fail(int failure, const std::string& why) {
        code = failure;
        text = why;
        return false;
    }
};

bool CheckParameters(Attempt& a, const char* host, unsigned short port, const char* userName) {
    if (!a.s.initialized) return a.Fail(0, "you must init network interface.");
    if (port == 0) return a.Fail(1, "remote server port parameter is null.");
    if (!host) return a.Fail(2, "remote server name parameter is null.");
    if (!userName) return a.Fail(3, "user name parameter is null.");
    if (std::strlen(userName) > kMaxNameLength) return a.Fail(3, "maximun length of user name reached.");
    return true;
}

bool Resolve(Attempt& a, const char* host, unsigned short port) {
    NetworkState& s = a.s;
    std::lock_guard<std::mutex> guard(s.socketsLock);
    s.clientSet = SDLNet_AllocSocketSet(1);
    if (!s.clientSet) return a.Fail(4, SDL_GetError());
    s.clientPort = port;
    if (SDLNet_ResolveHost(&a.address, host, port) != 0) return a.Fail(5, "it was not possible to resolve the host name.");
    return true;
}

// Tries to open the connection until the timeout; false on cancel or failure.
bool Open(Attempt& a) {
    NetworkState& s = a.s;
    const uint32_t ip = SDLNet_Read32(&a.address.host);
    int timeout;
    {
        std::lock_guard<std::mutex> guard(s.settingsLock);
        timeout = s.timeout;
    }
    ILogSystem.Msg(2, " [INetwork Client] Info: connecting to '%d.%d.%d.%d:%d' (timeout %dms)...", ip >> 24,
                   (ip >> 16) & 0xFF, (ip >> 8) & 0xFF, ip & 0xFF, s.clientPort, timeout);
    const uint32_t start = clock_source::Ticks();
    TCPsocket socket = nullptr;
    bool cancelled = false;
    while (!socket && !cancelled && clock_source::Ticks() - start < static_cast<uint32_t>(timeout)) {
        cancelled = RunUpdates();
        if (cancelled) break;
        if (s.serverThreadState == kRunning) {
            s.connectGate.lock();
            a.gateHeld = true;
        }
        {
            std::lock_guard<std::mutex> guard(s.socketsLock);
            socket = SDLNet_TCP_Open(&a.address);
        }
        if (socket) break;
        a.ReleaseGate();
        ILogSystem.Msg(2, ".");
        cancelled = DrainEvents();
        // A closed port on loopback refuses at once; pace the attempts.
        if (!cancelled) clock_source::Wait(net_timings::Current().attemptPause);
    }
    ILogSystem.Msg(2, socket ? "connected!\n" : "\n");
    if (cancelled) return a.Fail(kCancelled, "");
    if (!socket) return a.Fail(6, SDL_GetError());
    std::lock_guard<std::mutex> guard(s.clientSendLock);
    s.clientSocket = socket;
    if (SDLNet_TCP_AddSocket(s.clientSet, socket) < 0) return a.Fail(7, SDL_GetError());
    return true;
}

bool SendCredentials(Attempt& a, const char* userName, unsigned int password) {
    NetworkState& s = a.s;
    s.clientIP = SDLNet_Read32(&a.address.host);
    std::memset(s.userName, 0, sizeof s.userName);
    std::strncpy(s.userName, userName, kMaxNameLength);
    DataNet login{DN_SYSTEM, DN_LOGIN, static_cast<uint16_t>(password & 0xFFFF),
                  static_cast<int>(std::strlen(s.userName) + 1), 0, s.userName};
    const bool sent = Send(s, login) > 0;
    a.ReleaseGate();
    return sent || a.Fail(8, "we can not send credentials, login failed.");
}

bool AwaitReply(Attempt& a) {
    NetworkState& s = a.s;
    a.waitingReply = true;
    for (int wait = 0; wait < kReplyWaits; ++wait) {
        const int ready = SDLNet_CheckSockets(s.clientSet, net_timings::Current().loginReplyWait);
        if (ready < 0) return a.Fail(18, "broken server pipe.");
        if (ready == 0) continue;
        DataNet reply;
        socket_io::SocketSource source(s.clientSocket, net_timings::Current().partialLimit);
        if (wire::Read(source, reply, LinkOf(s)) != 0) return a.Fail(16, "DataNet received was invalid.");
        wire::FreePayload(reply);
        if (reply.Type == DN_SYSTEM && reply.Cmd == DN_LOGIN_ACCEPTED) {
            a.seed = reply.Aux;
            return true;
        }
        if (reply.Type == DN_SYSTEM && reply.Cmd == DN_LOGIN_DENIED)
            return a.Fail(reply.Aux >= 1 && reply.Aux <= 5 ? 8 + reply.Aux : 14, DenialText(reply.Aux));
        return a.Fail(15, "unexpected DataNet type after a login attempt.");
    }
    return a.Fail(0, "no reply from the server.");
}

void FailCleanup(Attempt& a, const char* userName, unsigned int password) {
    NetworkState& s = a.s;
    if (a.waitingReply) {
        ILogSystem.Msg(2, " [INetwork::ConnectTo] Warning: access to server was denied to '%s'\n", s.userName);
        ILogSystem.Msg(2, " [INetwork::ConnectTo] Info: client closed.\n");
    }
    Close(s);
    std::memset(s.userName, 0, sizeof s.userName);
    s.isClient = false;
    a.ReleaseGate();
    if (a.code == kCancelled) {
        ILogSystem.Msg(2, "\n [INetwork::ConnectTo] Info: attempt to connect to server was cancelled by ESCAPE key.\n");
        return;
    }
    const uint32_t ip = SDLNet_Read32(&a.address.host);
    ILogSystem.Msg(0, " [INetwork::ConnectTo('%d.%d.%d.%d',%d,'%s',%d)] Error(%d): %s\n", ip >> 24, (ip >> 16) & 0xFF,
                   (ip >> 8) & 0xFF, ip & 0xFF, s.clientPort, userName ? userName : "", static_cast<int>(password),
                   a.code, a.text.c_str());
}

void ReplaceList(NetworkState& s, const DataNet& net) {
    std::lock_guard<std::mutex> guard(s.clientsLock);
    for (sClientInfo& info : s.list) info.IP = 0;
    const size_t bytes = std::min(static_cast<size_t>(net.Size), sizeof s.list);
    if (net.Data) std::memcpy(s.list, net.Data, bytes);
    for (sClientInfo& info : s.list) info.Name[kMaxNameLength] = '\0';
}

// Acts on a system DataNet; 0 or the client thread's error code.
int HandleSystem(NetworkState& s, DataNet& net, bool* kill, int* delay) {
    char name[kMaxNameLength + 1];
    switch (net.Cmd) {
    case DN_CLIENT_IN:
    case DN_QUIT_CLIENT:
        if (net.Size <= 0) return net.Cmd == DN_CLIENT_IN ? 1 : 2;
        NameOf(net, name);
        NetLog(s, 2, net.Cmd == DN_CLIENT_IN ? " [CLIENT] Client '%s' logged in.\n" : " [CLIENT] Client '%s' logged out.\n",
               name);
        return 0;
    case DN_CLOSE_SERVER:
        NetLog(s, 2, " [CLIENT] Server send us kill signal.\n");
        *kill = true;
        return 0;
    case DN_CLIENTS_INFO:
        ReplaceList(s, net);
        wire::FreePayload(net);
        net.Size = 0;
        NetLog(s, 5, " [CLIENT] Server send us the list of clients with updated information.\n");
        return 0;
    case DN_PING: {
        DataNet echo = net;  // the header alone
        echo.Size = 0;
        echo.Data = nullptr;
        Send(s, echo);
        NetLog(s, 5, " [CLIENT] Server send us ping signal.\n");
        *delay = s.SimDelay();
        return 0;
    }
    default:
        return 3;
    }
}

}  // namespace

int Handle(NetworkState& s, DataNet& net, bool* kill, int* delay) {
    if (net.Type == DN_SYSTEM) return HandleSystem(s, net, kill, delay);
    if (net.Type == DN_USER) return net.Size > 0 ? 0 : 4;
    return 5;
}

void Enqueue(NetworkState& s, const DataNet& net) {
    if (!s.queue.Push(net))
        NetLog(s, 2, " [CLIENT] Warning: client has dropped an incoming %s DataNet due to full queue.\n",
               net.Type == DN_USER ? "User" : "System");
}

namespace {

void ClientThread(NetworkState* state) {
    NetworkState& s = *state;
    s.clientThreadState = kRunning;
    int delay = s.SimDelay();
    int error = 0;
    DataNet net;
    while (s.isClient && !error) {
        const int ready = SDLNet_CheckSockets(s.clientSet, net_timings::Current().readinessWait);
        if (ready < 0) error = 10;
        if (ready <= 0) continue;
        socket_io::SocketSource source(s.clientSocket, net_timings::Current().partialLimit);
        const int readError = wire::Read(source, net, LinkOf(s));
        if (delay > 0) SDL_Delay(static_cast<uint32_t>(delay));
        if (readError) {
            error = 33;
            continue;
        }
        bool kill = false;
        error = Handle(s, net, &kill, &delay);
        if (error) break;
        Enqueue(s, net);
        if (kill) break;
    }
    if (error) {
        wire::FreePayload(net);
        NetLog(s, 0, " [CLIENT] Error(%d): client lost connection with server.\n", error);
        LogDump("CLIENT", net);
    }
    NetLog(s, 2, " [CLIENT] Info: client closed.\n");
    Close(s);
    ILogSystem.Msg(2, " [INetwork Client] Info: client closed.\n");
    s.isClient = false;
    s.clientThreadState = kEnded;
}

bool Start(Attempt& a) {
    NetworkState& s = a.s;
    const uint32_t ip = s.clientIP;
    ILogSystem.Msg(2, "\n [INetwork Client] INetwork Client %s.\n", kVersion);
    LogAddress(" [INetwork Client] Connected to server '%d.%d.%d.%d' at port %d.\n", SDLNet_Read32(&a.address.host),
               s.clientPort);
    ILogSystem.Msg(2, " [INetwork Client] IP '%d.%d.%d.%d'. Client name '%s'.\n\n", ip >> 24, (ip >> 16) & 0xFF,
                   (ip >> 8) & 0xFF, ip & 0xFF, s.userName);
    s.isClient = true;
    s.clientSend.Seed(a.seed);
    s.clientReceive.Seed(a.seed);
    if (s.clientThread.joinable()) s.clientThread.join();
    s.clientThreadState = kNeverStarted;
    try {
        s.clientThread = std::thread(ClientThread, &s);
    } catch (const std::system_error&) {
        return a.Fail(0, "the client thread could not be started.");
    }
    while (s.clientThreadState < kRunning) SDL_Delay(5);
    return true;
}

}  // namespace

unsigned char Connect(NetworkState& s, const char* host, unsigned short port, const char* userName,
                      unsigned int password) {
    if (s.isClient) return 254;
    // A previous client thread is ending by itself (isClient is clear).
    if (s.clientThread.joinable()) s.clientThread.join();
    Attempt a(s);
    const bool parametersOk = CheckParameters(a, host, port, userName);
    if (parametersOk && Resolve(a, host, port) && Open(a) && SendCredentials(a, userName, password) &&
        AwaitReply(a) && Start(a)) {
        DataNet request{DN_SYSTEM, DN_CLIENTS_INFO, 0, 0, 0, nullptr};
        Send(s, request);
        return 1;
    }
    if (parametersOk) {
        FailCleanup(a, userName, password);
    } else {
        ILogSystem.Msg(0, " [INetwork::ConnectTo('0.0.0.0',%d,'%s',%d)] Error(%d): %s\n", port,
                       userName ? userName : "", static_cast<int>(password), a.code, a.text.c_str());
    }
    if (a.code == kCancelled) return kCancelled;
    return a.code == 0 ? 0 : static_cast<unsigned char>(a.code + 1);
}

int Send(NetworkState& s, DataNet& net) {
    std::lock_guard<std::mutex> guard(s.clientSendLock);
    if (!s.clientSocket) return 0;
    socket_io::SocketSink sink(s.clientSocket);
    return wire::Write(sink, net, LinkOf(s));
}

void Close(NetworkState& s) {
    std::lock_guard<std::mutex> sending(s.clientSendLock);
    std::lock_guard<std::mutex> guard(s.socketsLock);
    if (s.clientSet) {
        if (s.clientSocket) SDLNet_TCP_DelSocket(s.clientSet, s.clientSocket);
        SDLNet_FreeSocketSet(s.clientSet);
    }
    s.clientSet = nullptr;
    if (s.clientSocket) SDLNet_TCP_Close(s.clientSocket);
    s.clientSocket = nullptr;
}

}  // namespace client
