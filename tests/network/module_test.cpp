// The module's life: Init and Quit with their messages, the settings, and a
// client thread that misses its stopping time.
#include <string>
#include <thread>

#include "net_fixture.h"

namespace {

using Module = NetworkFixture;

TEST_F(Module, InitQuitAndTheirWarnings) {
    EXPECT_EQ(0, INetwork->Init(2));
    EXPECT_TRUE(log_->Contains(" . [INetwork::Init] Warning: INetwork is already initialized.\n"));
    EXPECT_TRUE(testing_support::FileExists("Network.log"));
    INetwork->Quit();
    INetwork->Quit();
    EXPECT_TRUE(log_->Contains(" . [INetwork::Quit] Warning: INetwork is not initialized.\n"));
    EXPECT_EQ(0, INetwork->Features(1));
    EXPECT_EQ(0, INetwork->IsServer());
    EXPECT_EQ(nullptr, INetwork->GetMyUserName());
    EXPECT_EQ(0, INetwork->CreateServer(port_, 0, 0));
    EXPECT_TRUE(log_->Contains("Error(1): you must init network interface.\n"));
    EXPECT_EQ(0, INetwork->ConnectTo("127.0.0.1", port_, "me", 0));
    char* data = nullptr;
    unsigned int size = 0;
    EXPECT_EQ(128, INetwork->ReceiveData(&data, &size));
    ASSERT_EQ(1, INetwork->Init(2));
}

TEST_F(Module, SettingsKeepTheirBounds) {
    EXPECT_EQ(1, INetwork->Features(1));
    EXPECT_EQ(1, INetwork->Features(-1));
    EXPECT_EQ(0, INetwork->Features(1));
    INetwork->SetSimDelay(2501);
    INetwork->SetSimDelay(-1);
    INetwork->SetSimDelay(2500);
    INetwork->SetCoreServerCallback(nullptr);
    EXPECT_TRUE(log_->Contains(" [INetwork Server] Entering in non-authoritative mode\n"));
    sClientInfo* list = reinterpret_cast<sClientInfo*>(&list);
    sClientInfo* const before = list;
    EXPECT_EQ(0, INetwork->GetClientsInfo(&list));
    EXPECT_EQ(before, list);
}

TEST_F(Module, AClientThreadThatMissesItsTimeIsJoinedNotKilled) {
    net_timings::Current().clientStopStep = 0;
    net_timings::Current().partialLimit = 800;
    INetwork->SetSimDelay(20);  // Quit allows 3 x 20 ms
    raw::Listener listener(port_);
    std::thread server([&] {
        raw::Peer peer(listener.Accept());
        raw::Frame login;
        if (!peer.Read(&login)) return;
        peer.Send(0x20, 0x24, 1, login.payload);
        raw::Frame request;
        peer.Read(&request);
        peer.SendBytes(std::string(5, 'x'));  // a header that never completes
        peer.ClosedWithin(3000);
    });
    ASSERT_EQ(1, INetwork->ConnectTo("127.0.0.1", port_, "me", 0));
    SDL_Delay(100);
    INetwork->Quit();
    EXPECT_TRUE(log_->Contains(" [INetwork::Quit] Warning: client closed using the brute way.\n"));
    EXPECT_EQ(0, INetwork->IsClient());
    server.join();
    ASSERT_EQ(1, INetwork->Init(2));
}

TEST_F(Module, ABlockingServerReturnsWhenAClientClosesIt) {
    std::thread closer([this] {
        raw::Peer peer;
        for (int i = 0; i < 200 && !peer.Connect(port_); ++i) {
            peer.Close();
            SDL_Delay(10);
        }
        if (peer.Login("closer", 3) == raw::kAccepted) peer.Send(0x20, 0x2C);
        peer.ClosedWithin(3000);
    });
    EXPECT_EQ(1, INetwork->CreateServer(port_, 3, 1));
    closer.join();
    EXPECT_EQ(0, INetwork->IsServer());
    EXPECT_TRUE(log_->Contains(" [INetwork Server] Info: server closed.\n"));
}

TEST_F(Module, VeltranoQuitAloneShutsTheNetworkDown) {
    ASSERT_EQ(1, INetwork->CreateServer(port_, 0, 0));
    ASSERT_EQ(1, INetwork->ConnectTo("127.0.0.1", port_, "me", 0));
    session_.reset();  // Veltrano.Quit deletes INetwork with both threads running
    EXPECT_TRUE(log_->Contains(" . [INetwork:~INetwork()] Warning: INetwork is still initialized, do not forget to "
                               "call Quit(). Calling it now!\n"));
    EXPECT_TRUE(log_->Contains(" [INetwork::Quit] Warning: client closed using the smooth way.\n"));
    EXPECT_TRUE(log_->Contains(" [INetwork::Quit] Warning: server closed using the smooth way.\n"));
    session_.reset(new testing_support::SdkSession);
    ASSERT_EQ(1, INetwork->Init(2));
}

}  // namespace
