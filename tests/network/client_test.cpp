// The client: ConnectTo's codes against raw servers, the client thread's
// handling of what arrives, and a process that is a client of its own server.
#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "Veltrano_Main.h"
#include "net_fixture.h"
#include "veltrano_testing.h"

namespace {

using Client = NetworkFixture;

// Accepts one connection, reads its login and answers with reply.
class RawServer {
public:
    RawServer(uint16_t port, std::function<void(raw::Peer&)> reply)
        : listener_(port), thread_([this, reply] {
              raw::Peer peer(listener_.Accept());
              raw::Frame login;
              if (peer.Read(&login)) {
                  loginName_ = login.payload;
                  password_ = login.aux;
                  reply(peer);
              }
              done_ = true;
              while (!release_) std::this_thread::sleep_for(std::chrono::milliseconds(5));
          }) {}
    ~RawServer() {
        release_ = true;
        thread_.join();
    }
    std::string loginName_;
    uint16_t password_ = 0;
    std::atomic<bool> done_{false};
    std::atomic<bool> release_{false};

private:
    raw::Listener listener_;
    std::thread thread_;
};

unsigned char ConnectAgainst(uint16_t port, std::function<void(raw::Peer&)> reply) {
    RawServer server(port, reply);
    const unsigned char code = INetwork->ConnectTo("127.0.0.1", port, "me", 0x12345);
    server.release_ = true;
    return code;
}

void Accept(raw::Peer& peer, uint16_t seed) {
    peer.Send(0x20, 0x24, seed, std::string("me\0", 3));
    peer.Seed(seed);
}

TEST_F(Client, ParameterChecksComeFirst) {
    EXPECT_EQ(2, INetwork->ConnectTo("127.0.0.1", 0, "me", 0));
    EXPECT_EQ(3, INetwork->ConnectTo(nullptr, port_, "me", 0));
    EXPECT_EQ(4, INetwork->ConnectTo("127.0.0.1", port_, nullptr, 0));
    EXPECT_EQ(4, INetwork->ConnectTo("127.0.0.1", port_, "sixteen-letters!", 0));
    EXPECT_TRUE(log_->Contains("maximun length of user name reached."));
    EXPECT_EQ(0, INetwork->IsClient());
}

TEST_F(Client, AClosedPortFailsAfterTheTimeoutAndEscapeCancels) {
    INetwork->SetTimeOut(100);  // raised to 500
    const uint32_t start = SDL_GetTicks();
    EXPECT_EQ(7, INetwork->ConnectTo("127.0.0.1", port_, "me", 0));
    EXPECT_GE(SDL_GetTicks() - start, 500u);
    const std::string text = log_->Text();
    EXPECT_NE(std::string::npos, text.find("(timeout 500ms)..."));
    // A refused attempt returns at once; the attempts are still paced.
    const size_t dots = text.find('\n', text.find("(timeout 500ms)...")) - text.find("(timeout 500ms)...") - 18;
    EXPECT_GE(dots, 2u);
    EXPECT_LE(dots, 30u);

    SDL_Event other{};
    other.type = SDL_KEYDOWN;
    other.key.keysym.sym = SDLK_a;
    SDL_Event escape = other;
    escape.key.keysym.sym = SDLK_ESCAPE;
    ASSERT_EQ(0, SDL_PushEvent(&other));
    ASSERT_EQ(0, SDL_PushEvent(&escape));
    ASSERT_EQ(0, SDL_PushEvent(&other));
    EXPECT_EQ(255, INetwork->ConnectTo("127.0.0.1", port_, "me", 0));
    EXPECT_TRUE(log_->Contains("attempt to connect to server was cancelled by ESCAPE key."));
    SDL_Event left;
    EXPECT_EQ(0, SDL_PollEvent(&left));
}

// Under a game test's manual clock the attempts move the clock on by their
// pause, so the timeout still ends the call without the test moving it.
TEST_F(Client, AClosedPortTimesOutOnTheManualClockToo) {
    INetwork->SetTimeOut(600);
    VeltranoTesting::UseManualClock(1);
    VeltranoTesting::SetClock(10000);
    EXPECT_EQ(7, INetwork->ConnectTo("127.0.0.1", port_, "me", 0));
    EXPECT_GE(VeltranoTesting::Clock(), 10600u);
    VeltranoTesting::UseManualClock(0);
}

TEST_F(Client, EscapeArrivesThroughUpdateWhileAScreenIsOpen) {
    ASSERT_EQ(1, Veltrano.SetVideoMode());
    SDL_Event escape{};
    escape.type = SDL_KEYDOWN;
    escape.key.keysym.sym = SDLK_ESCAPE;
    ASSERT_EQ(0, SDL_PushEvent(&escape));
    EXPECT_EQ(255, INetwork->ConnectTo("127.0.0.1", port_, "me", 0));
}

TEST_F(Client, ReplyCodes) {
    EXPECT_EQ(13, ConnectAgainst(port_, [](raw::Peer& p) { p.Send(0x20, 0x22, 4); }));
    EXPECT_TRUE(log_->Contains(",'me',74565)] Error(12): access denied: wrong password.\n"));
    EXPECT_EQ(10, ConnectAgainst(port_, [](raw::Peer& p) { p.Send(0x20, 0x22, 1); }));
    EXPECT_EQ(15, ConnectAgainst(port_, [](raw::Peer& p) { p.Send(0x20, 0x22, 9); }));
    EXPECT_EQ(16, ConnectAgainst(port_, [](raw::Peer& p) { p.Send(0x20, 0x2E); }));
    EXPECT_EQ(17, ConnectAgainst(port_, [](raw::Peer& p) { p.Close(); }));
    EXPECT_EQ(17, ConnectAgainst(port_, [](raw::Peer& p) {
                  std::string h(12, '\0');
                  h[0] = 0x20;
                  h[1] = 0x24;
                  h[6] = 0x40;  // Size 0x400000
                  raw::Scramble(h);
                  p.SendBytes(h);
              }));
    EXPECT_EQ(0, ConnectAgainst(port_, [](raw::Peer&) {}));  // three waits, no reply
    EXPECT_TRUE(log_->Contains(" [INetwork::ConnectTo] Warning: access to server was denied to 'me'\n"));
    EXPECT_EQ(0, INetwork->IsClient());
}

TEST_F(Client, ConnectedClientQueuesAndEndsOnAKillOrABadToken) {
    RawServer server(port_, [](raw::Peer& p) {
        Accept(p, 321);
        raw::Frame f;
        p.Read(&f);  // the client's first request: the list
        if (f.cmd != 0x2E) return;
        std::string records(300, '\x11');  // longer than the eight records
        p.Send(0x20, 0x2E, 0, records);
        p.Send(0x20, 0x30);
        p.Read(&f);  // the ping's echo
        p.Send(0x40, 0x40, 0, "hello");
        p.Send(0x20, 0x2C);
    });
    ASSERT_EQ(1, INetwork->ConnectTo("127.0.0.1", port_, "me", 0x12345));
    EXPECT_EQ(std::string("me\0", 3), server.loginName_);
    EXPECT_EQ(0x2345, server.password_);
    EXPECT_STREQ("me", INetwork->GetMyUserName());
    EXPECT_EQ(0x7F000001u, INetwork->GetMyIP());
    EXPECT_EQ(254, INetwork->ConnectTo("127.0.0.1", port_, "me", 0));
    char* data = nullptr;
    unsigned int size = 0;
    EXPECT_EQ(DN_CLIENTS_INFO, NextData(&data, &size));
    EXPECT_EQ(nullptr, data);
    EXPECT_EQ(DN_PING, NextData(&data, &size));
    ASSERT_EQ(DN_DATA_RELAY, NextData(&data, &size));
    EXPECT_EQ("hello", std::string(data, size));
    INetwork->FreeData(data);
    EXPECT_EQ(nullptr, data);
    EXPECT_EQ(DN_CLOSE_SERVER, NextData(&data, &size));
    EXPECT_TRUE(Eventually([] { return INetwork->IsClient() == 0; }));
    EXPECT_TRUE(Eventually([&] { return INetwork->ReceiveData(&data, &size) == 128; }));
    sClientInfo* list = nullptr;
    EXPECT_LE(INetwork->GetClientsInfo(&list), 7);
}

TEST_F(Client, ABadTokenFromTheServerEndsTheConnectionWithNothingQueued) {
    RawServer server(port_, [](raw::Peer& p) {
        Accept(p, 99);
        p.send();  // out of step
        p.Send(0x40, 0x40, 0, "bad");
    });
    ASSERT_EQ(1, INetwork->ConnectTo("127.0.0.1", port_, "me", 0));
    EXPECT_TRUE(Eventually([] { return INetwork->IsClient() == 0; }));
    char* data = nullptr;
    unsigned int size = 0;
    EXPECT_EQ(128, INetwork->ReceiveData(&data, &size));
    EXPECT_TRUE(log_->Contains("Error(16): network connection failed!"));
}

int Judge(void* data, int size) { return size > 0 && static_cast<char*>(data)[0] == 'y' ? 1 : 0; }

TEST_F(Client, AProcessIsAClientOfItsOwnServer) {
    StartServer(5);
    ASSERT_EQ(1, INetwork->ConnectTo("127.0.0.1", port_, "me", 5));
    EXPECT_EQ(1, INetwork->IsClient());
    EXPECT_EQ(1, INetwork->IsServer());
    char* data = nullptr;
    unsigned int size = 0;
    auto peer = LoggedIn("peer", 5);
    unsigned char cmd;
    while ((cmd = NextData(&data, &size)) == DN_CLIENTS_INFO) {}
    ASSERT_EQ(DN_CLIENT_IN, cmd);
    EXPECT_STREQ("peer", data);
    INetwork->FreeData(data);
    sClientInfo* list = nullptr;
    EXPECT_EQ(2, INetwork->GetClientsInfo(&list));

    ASSERT_TRUE(peer->Send(0x40, 0x48, 0, "hi"));
    while ((cmd = NextData(&data, &size)) == DN_CLIENTS_INFO) {}
    ASSERT_EQ(DN_DATA_RELAY, cmd);
    EXPECT_EQ("hi", std::string(data, size));
    INetwork->FreeData(data);

    EXPECT_EQ(0, INetwork->SendData("", 0, 0));
    ASSERT_EQ(1, INetwork->SendData("yo", 2, 0));
    raw::Frame f;
    ASSERT_TRUE(peer->ReadSkippingPings(&f));
    EXPECT_EQ("yo", f.payload);
    EXPECT_TRUE(peer->Verify(f));

    INetwork->SetCoreServerCallback(Judge);
    ASSERT_EQ(1, INetwork->SendData("yes", 3, 1));
    ASSERT_EQ(1, INetwork->SendData("no", 2, 1));
    ASSERT_EQ(DN_DATA_VALID, NextData(&data, &size));
    INetwork->FreeData(data);
    ASSERT_EQ(DN_DATA_DENIED, NextData(&data, &size));
    EXPECT_EQ("no", std::string(data, size));
    INetwork->FreeData(data);
    ASSERT_TRUE(peer->ReadSkippingPings(&f));
    EXPECT_EQ("yes", f.payload);
    EXPECT_TRUE(peer->Verify(f));
    EXPECT_FALSE(peer->Read(&f, 200));  // the denied data went nowhere

    ASSERT_EQ(1, INetwork->QueryKillClient());
    EXPECT_TRUE(Eventually([] { return INetwork->IsClient() == 0; }));
    EXPECT_EQ(1, INetwork->IsServer());
    INetwork->Info();
    EXPECT_TRUE(log_->Contains("  -> Server features: 0x00\n"));
}

}  // namespace
