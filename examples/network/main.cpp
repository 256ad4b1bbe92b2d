// Chat over loopback: this process runs a server and the client "alice";
// a second process, forked before the SDK starts (one process holds one
// client connection), is the client "bob". Each says three lines and
// prints what it hears; both end after hearing the other's three lines.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "veltrano.h"

namespace {

constexpr unsigned short kPort = 47420;
constexpr unsigned int kPassword = 1234;
constexpr int kLines = 3;
constexpr unsigned int kPatienceMs = 15000;

// Waits until both clients are in, so that every line has a listener.
void AwaitBothClients() {
    sClientInfo* list = nullptr;
    for (int i = 0; i < 500 && INetwork->GetClientsInfo(&list) < 2; ++i) {
        INetwork->QueryClientsInfo();
        SDL_Delay(10);
    }
}

// Says its lines and listens until the other has said all of theirs.
bool Chat(const char* me) {
    AwaitBothClients();
    int heard = 0;
    const unsigned int start = SDL_GetTicks();
    for (int said = 0; (heard < kLines || said < kLines) && SDL_GetTicks() - start < kPatienceMs;) {
        if (said < kLines) {
            const std::string line = std::string(me) + ": line " + std::to_string(++said);
            INetwork->SendData(line.c_str(), static_cast<int>(line.size() + 1), 0);
        }
        char* data = nullptr;
        unsigned int size = 0;
        unsigned char cmd;
        while ((cmd = INetwork->ReceiveData(&data, &size)) != 0 && cmd != 128) {
            if (cmd == DN_DATA_RELAY) {
                std::printf("[%s] heard \"%s\"\n", me, data);
                ++heard;
            } else if (cmd == DN_CLIENT_IN) {
                std::printf("[%s] %s joined\n", me, data);
            }
            if (data) INetwork->FreeData(data);
        }
        SDL_Delay(10);
    }
    return heard == kLines;
}

bool StartSdk() {
    ILogSystem.Init("network_example.log", 2, 2, "network example", nullptr, nullptr, nullptr);
    return Veltrano.Init(SDL_INIT_TIMER) == 1 && INetwork->Init(0) == 1;
}

// The second process: bob connects (waiting for the server to be up).
int Bob() {
    if (!StartSdk()) return 1;
    INetwork->SetTimeOut(5000);
    if (INetwork->ConnectTo("127.0.0.1", kPort, "bob", kPassword) != 1) return 1;
    const bool ok = Chat("bob");
    INetwork->QueryKillClient();
    INetwork->Quit();
    Veltrano.Quit();
    return ok ? 0 : 1;
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const pid_t child = fork();
    if (child == 0) _exit(Bob());
    if (!StartSdk() || INetwork->CreateServer(kPort, kPassword, 0) != 1) return 1;
    if (INetwork->ConnectTo("127.0.0.1", kPort, "alice", kPassword) != 1) return 1;
    const bool ok = Chat("alice");
    // The server's view before closing.
    sClientInfo* list = nullptr;
    const int clients = INetwork->GetClientsInfo(&list);
    std::printf("[server] %d client(s) listed\n", clients);
    int status = 1;
    waitpid(child, &status, 0);
    INetwork->Quit();
    Veltrano.Quit();
    const bool bobOk = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    std::printf("chat %s\n", ok && bobOk ? "complete" : "failed");
    return ok && bobOk ? 0 : 1;
}
