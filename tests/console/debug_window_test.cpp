// The debug watch window: watches, the refresh twice a second, dragging with
// the mouse and the "debug" command.
#include "console_fixture.h"

#include "core/mouse_source.h"

namespace console_test {
namespace {

int mouseX = 0;
int mouseY = 0;

uint8_t ManualMouse(int* x, int* y) {
    *x = mouseX;
    *y = mouseY;
    return 0;
}

class DebugWindowTest : public ConsoleFixture {
protected:
    void SetUp() override {
        ConsoleFixture::SetUp();
        mouse_source::SetStateFunction(ManualMouse);
        OpenConsole();
        Veltrano.DwEnable();
    }
    void TearDown() override {
        mouse_source::SetStateFunction(nullptr);
        ConsoleFixture::TearDown();
    }
    // The pointer at (x, y) for the next logic frame, then the event.
    void Mouse(Uint8 type, int x, int y) {
        mouseX = x;
        mouseY = y;
        Veltrano.Update(nullptr);
        SDL_Event event{};
        event.type = type;
        ASSERT_EQ(SDL_PushEvent(&event), 0);
        SDL_Event got;
        Veltrano.Update(&got);
    }
    SDL_Rect Rect() { return *Veltrano.DwGetRect(); }

    int lives = 3;
    double speed = 0.5;
};

TEST_F(DebugWindowTest, SitsInTheMiddleGreenAndRefusesBadWatches) {
    EXPECT_EQ(Rect().x, 213);
    EXPECT_EQ(Rect().y, 240);
    EXPECT_EQ(Rect().w, 213);
    EXPECT_EQ(Rect().h, 160);
    EXPECT_EQ(Veltrano.DwGetBgColor(), SDL_MapRGB(Veltrano.screen->format, 0, 192, 0));
    EXPECT_EQ(Veltrano.DwAddWatch("lives", nullptr, nullptr), 0);
    EXPECT_EQ(Veltrano.DwAddWatch(nullptr, &lives, nullptr), 0);
    EXPECT_EQ(Veltrano.DwAddWatch("lives", &lives, &speed), 1);
    EXPECT_EQ(Veltrano.DwAddWatch("lives", &lives, nullptr), 0);
    EXPECT_EQ(Veltrano.DwRemoveWatch("lives"), 1);
    EXPECT_EQ(Veltrano.DwRemoveWatch("lives"), 0);
    EXPECT_EQ(Veltrano.DwRemoveWatch(nullptr), 0);
}

TEST_F(DebugWindowTest, RefreshesTwiceASecondOnlyWhileShown) {
    const std::string longName(300, 'n');
    Veltrano.DwAddWatch("lives", &lives, &speed);
    Veltrano.DwAddWatch("count", &lives, nullptr);
    Veltrano.DwAddWatch("speed", nullptr, &speed);
    Veltrano.DwAddWatch(longName.c_str(), &lives, nullptr);
    Veltrano.ConCmd("debug show");
    clock.Advance(10);
    Veltrano.Update(nullptr);  // fading in: the first refresh is due at once
    ASSERT_EQ(Debug().Lines().size(), 4u);
    EXPECT_EQ(Debug().Lines()[0], "lives 3 0.5000");
    EXPECT_EQ(Debug().Lines()[1], "count 3");
    EXPECT_EQ(Debug().Lines()[2], "speed 0.5000");
    EXPECT_EQ(Debug().Lines()[3], longName.substr(0, 127));

    lives = 4;
    Veltrano.Update(nullptr);  // timing restarts here
    clock.Advance(499);
    Veltrano.Update(nullptr);
    EXPECT_EQ(Debug().Lines()[1], "count 3");
    clock.Advance(1);
    Veltrano.Update(nullptr);
    EXPECT_EQ(Debug().Lines()[1], "count 4");
}

TEST_F(DebugWindowTest, AHiddenWindowKeepsItsLastValues) {
    Veltrano.DwAddWatch("count", &lives, nullptr);
    Veltrano.ConCmd("debug show");
    Veltrano.Update(nullptr);
    clock.Advance(1001);
    Veltrano.Update(nullptr);
    Veltrano.ConCmd("debug hide");
    Veltrano.Update(nullptr);
    clock.Advance(1001);
    Veltrano.Update(nullptr);
    ASSERT_EQ(Veltrano.DwisVisible(), 0);
    lives = 9;
    clock.Advance(5000);
    Veltrano.Update(nullptr);
    EXPECT_EQ(Debug().Lines(), (Lines{"count 3"}));
}

TEST_F(DebugWindowTest, DragsFromAPressInsideAndStaysOnTheScreen) {
    Mouse(SDL_MOUSEBUTTONDOWN, 100, 100);
    Mouse(SDL_MOUSEMOTION, 150, 150);
    EXPECT_EQ(Rect().x, 213) << "a press outside starts no drag";
    Mouse(SDL_MOUSEBUTTONUP, 150, 150);

    Mouse(SDL_MOUSEBUTTONDOWN, 213 + 213, 240 + 160);  // the far corner counts
    Mouse(SDL_MOUSEMOTION, 426 - 50, 400 - 10);
    EXPECT_EQ(Rect().x, 163);
    EXPECT_EQ(Rect().y, 230);
    Mouse(SDL_MOUSEMOTION, 376 + 1000, 390 + 1000);
    EXPECT_EQ(Rect().x, 640 - 213);
    EXPECT_EQ(Rect().y, 480 - 160);
    Mouse(SDL_MOUSEBUTTONUP, 0, 0);
    Mouse(SDL_MOUSEMOTION, 10, 10);
    EXPECT_EQ(Rect().x, 640 - 213);
}

TEST_F(DebugWindowTest, DebugCommandReportsAndRefusesLikeTheConsole) {
    Veltrano.DwAddWatch("lives", &lives, &speed);
    NewLines();
    Veltrano.ConCmd("debug list");
    Veltrano.ConCmd("debug remove ghost");
    Veltrano.ConCmd("debug alpha 1");
    Veltrano.ConCmd("debug move -1 0");
    Veltrano.ConCmd("debug resize 150 150");
    EXPECT_EQ(NewLines(), (Lines{" lives 3 0.5000", "", " Watch 'ghost' not found", "", " New alpha value 64 set", "",
                                 " New position (213,0) set", "", " New size (150x150) set", ""}));
    Veltrano.ConCmd("debug enable 0");
    Veltrano.ConCmd("debug enable");
    Veltrano.ConCmd("debug move 0 0");
    EXPECT_EQ(NewLines(), (Lines{" Debug window disabled", "", " Debug window is disabled", "",
                                 " New position (213,0) set", ""}));
    for (const char* refused : {"debug remove", "debug nonsense"}) {
        Veltrano.ConCmd(refused);
        EXPECT_EQ(NewLines().front(), " Syntax error or command not found") << refused;
    }
    Veltrano.ConCmd("debug remove lives");
    EXPECT_EQ(NewLines().front(), " Watch 'lives' removed");
    Veltrano.ConCmd("debug");
    EXPECT_EQ(NewLines().size(), 11u);
}

TEST_F(DebugWindowTest, TooSmallAScreenLeavesItDisabledWithAWarning) {
    testing_support::LogCapture log(2);
    Veltrano.Config.resolutionx = 360;
    Veltrano.Config.resolutiony = 240;
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    Veltrano.DwEnable();
    EXPECT_EQ(Veltrano.DwisEnabled(), 0);
    EXPECT_TRUE(log.Contains(" \xB7 [SimpleWin] Warning: the window size is too small (120x80)\n")) << log.Text();
}

}  // namespace
}  // namespace console_test
