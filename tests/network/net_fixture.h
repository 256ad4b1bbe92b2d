// A started SDK with networking initialised, short network waits and the
// global log captured; the working folder is a fresh temporary one.
#ifndef VELTRANO_TESTS_NETWORK_NET_FIXTURE_H
#define VELTRANO_TESTS_NETWORK_NET_FIXTURE_H

#include <gtest/gtest.h>

#include <SDL.h>

#include <functional>
#include <memory>

#include "Veltrano_INetwork.h"
#include "network/timings.h"
#include "raw_peer.h"
#include "support/test_support.h"

class NetworkFixture : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = net_timings::Current();
        net_timings::Timings& t = net_timings::Current();
        t.readinessWait = 20;
        t.pingInterval = 60000;  // no pings unless a test asks for them
        t.partialLimit = 1500;
        t.loginReplyWait = 400;
        t.attemptPause = 20;
        t.stopPoll = 10;
        session_.reset(new testing_support::SdkSession);
        ASSERT_TRUE(session_->Started());
        log_.reset(new testing_support::LogCapture(5));
        ASSERT_EQ(1, INetwork->Init(2));
        port_ = raw::FreePort();
    }
    void TearDown() override {
        INetwork->Quit();
        log_.reset();
        session_.reset();
        net_timings::Current() = saved_;
    }

    void StartServer(unsigned int password = 7) { ASSERT_EQ(1, INetwork->CreateServer(port_, password, 0)); }

    // Polls until the condition holds, for at most timeoutMs.
    static bool Eventually(const std::function<bool()>& condition, uint32_t timeoutMs = 3000) {
        const uint32_t start = SDL_GetTicks();
        while (!condition()) {
            if (SDL_GetTicks() - start > timeoutMs) return false;
            SDL_Delay(5);
        }
        return true;
    }

    // The next DataNet handed out by ReceiveData (its Cmd), waiting for it.
    unsigned char NextData(char** data, unsigned int* size, uint32_t timeoutMs = 3000) {
        unsigned char cmd = 0;
        Eventually([&] { return (cmd = INetwork->ReceiveData(data, size)) != 0; }, timeoutMs);
        return cmd;
    }

    std::unique_ptr<raw::Peer> LoggedIn(const std::string& name, uint16_t password = 7) {
        std::unique_ptr<raw::Peer> peer(new raw::Peer);
        EXPECT_TRUE(peer->Connect(port_));
        EXPECT_EQ(raw::kAccepted, peer->Login(name, password)) << name;
        return peer;
    }

    testing_support::TempDir dir_{true};
    std::unique_ptr<testing_support::SdkSession> session_;
    std::unique_ptr<testing_support::LogCapture> log_;
    net_timings::Timings saved_;
    uint16_t port_ = 0;
};

#endif
