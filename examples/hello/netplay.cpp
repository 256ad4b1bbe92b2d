#include "netplay.h"

#include "level.h"

#include <veltrano.h>

#include <cmath>
#include <cstring>

namespace {

constexpr unsigned short kFirstPort = 47600;  // tried upwards until one is free
constexpr int kPortsTried = 40;
constexpr unsigned int kPassword = 0x48454c4c;
constexpr float kFastest = 8.0f;  // pixels a report may move: a critter walks 3 a frame

// Sent as it is in memory: both ends are this program on this machine. Over
// a real network a game would fix the byte order of what it sends.
struct Report {
    float x, y;
};

// Written by the server's thread (in the check), read by the game's.
struct Relayed {
    SDL_mutex* lock = nullptr;
    Report last{};
    bool known = false;
    int accepted = 0, refused = 0;
};
Relayed relayed;
bool running = false;

// A count the server's thread keeps, read under the lock it writes under.
int Count(const int& count) {
    if (relayed.lock == nullptr) return count;
    SDL_mutexP(relayed.lock);
    const int value = count;
    SDL_mutexV(relayed.lock);
    return value;
}

bool Plausible(const Report& report) {
    if (!std::isfinite(report.x) || !std::isfinite(report.y)) return false;
    if (report.x < 0 || report.y < 0 || report.x > kFieldWidth || report.y > kFieldHeight) return false;
    return !relayed.known ||
           (std::fabs(report.x - relayed.last.x) <= kFastest && std::fabs(report.y - relayed.last.y) <= kFastest);
}

// The server's check of every report: 1 accepts it (and relays it to any
// other client), 0 refuses it.
int CheckReport(void* data, int size) {
    if (data == nullptr || size != static_cast<int>(sizeof(Report))) return 0;
    Report report;
    std::memcpy(&report, data, sizeof report);
    SDL_mutexP(relayed.lock);
    const bool ok = Plausible(report);
    if (ok) relayed.last = report, relayed.known = true, ++relayed.accepted;
    else ++relayed.refused;
    SDL_mutexV(relayed.lock);
    return ok ? 1 : 0;
}

bool HostOnAFreePort(unsigned short& port) {
    for (int i = 0; i < kPortsTried; ++i) {
        port = static_cast<unsigned short>(kFirstPort + i);
        if (INetwork->CreateServer(port, kPassword, 0) == 1) return true;
    }
    return false;
}

// The client's queue holds the server's answers to the reports: they are
// only counted by the server, so they are read and dropped.
void DrainAnswers() {
    char* data = nullptr;
    unsigned int size = 0;
    unsigned char cmd;
    while ((cmd = INetwork->ReceiveData(&data, &size)) != 0 && cmd != 128)
        if (data != nullptr) INetwork->FreeData(data);
}

}  // namespace

bool StartNetPlay() {
    if (running) return true;
    if (INetwork->Init(0) != 1) return false;
    relayed.lock = SDL_CreateMutex();
    relayed.known = false;
    relayed.accepted = relayed.refused = 0;
    INetwork->SetCoreServerCallback(CheckReport);
    unsigned short port = 0;
    if (!HostOnAFreePort(port)) {
        ILogSystem.Msg(0, " . Two players: no free port to host on\n");
        StopNetPlay();
        return false;
    }
    INetwork->SetTimeOut(3000);
    if (INetwork->ConnectTo("127.0.0.1", port, "player2", kPassword) != 1) {
        ILogSystem.Msg(0, " . Two players: the second player could not join port %d\n", port);
        StopNetPlay();
        return false;
    }
    running = true;
    ILogSystem.Msg(0, " . Two players: hosting on port %d, the second player joined\n", port);
    return true;
}

void StopNetPlay() {
    if (INetwork->IsClient()) INetwork->QueryKillClient();
    INetwork->Quit();
    if (relayed.lock != nullptr) SDL_DestroyMutex(relayed.lock);
    relayed.lock = nullptr;
    if (running) ILogSystem.Msg(0, " . Two players: %d reports accepted, %d refused\n", relayed.accepted, relayed.refused);
    running = false;
}

void SendSecondPlayer(float x, float y) {
    if (!running) return;
    const Report report{x, y};
    INetwork->SendData(reinterpret_cast<const char*>(&report), sizeof report, 1);  // 1: the server checks it
    DrainAnswers();
}

bool SecondPlayerAt(float& x, float& y) {
    if (!running) return false;
    SDL_mutexP(relayed.lock);
    const bool known = relayed.known;
    x = relayed.last.x;
    y = relayed.last.y;
    SDL_mutexV(relayed.lock);
    return known;
}

int AcceptedReports() { return Count(relayed.accepted); }
int RefusedReports() { return Count(relayed.refused); }
