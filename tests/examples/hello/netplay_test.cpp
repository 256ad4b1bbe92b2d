// The hello demo's two-player link: the second player's reports cross a
// real loopback connection to the server in this process, whose check
// passes only moves a critter could make.
#include <gtest/gtest.h>

#include <veltrano.h>

#include "level.h"
#include "netplay.h"

namespace {

class HelloNetPlay : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Veltrano.Init(SDL_INIT_TIMER), 1);
        ASSERT_TRUE(StartNetPlay());
    }
    void TearDown() override {
        StopNetPlay();
        Veltrano.Quit();
    }

    // Waits (a generous while: the server thread answers when scheduled)
    // until the server has judged this many reports in all.
    static void AwaitJudged(int count) {
        for (int i = 0; i < 1000 && AcceptedReports() + RefusedReports() < count; ++i) SDL_Delay(5);
        ASSERT_EQ(AcceptedReports() + RefusedReports(), count);
    }
};

TEST_F(HelloNetPlay, RelaysPlausibleMovesAndRefusesTheRest) {
    float x = -1, y = -1;
    EXPECT_FALSE(SecondPlayerAt(x, y)) << "nothing relayed yet";
    SendSecondPlayer(100, 100);
    AwaitJudged(1);
    SendSecondPlayer(103, 97);
    AwaitJudged(2);
    ASSERT_TRUE(SecondPlayerAt(x, y));
    EXPECT_EQ(x, 103);
    EXPECT_EQ(y, 97);
    EXPECT_EQ(AcceptedReports(), 2);

    SendSecondPlayer(200, 97);  // a jump no critter walks
    AwaitJudged(3);
    SendSecondPlayer(kFieldWidth + 50.0f, 97);  // off the field
    AwaitJudged(4);
    EXPECT_EQ(RefusedReports(), 2);
    ASSERT_TRUE(SecondPlayerAt(x, y));
    EXPECT_EQ(x, 103) << "refused reports leave the last good one";
}

}  // namespace
