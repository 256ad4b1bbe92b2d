// The one rule for drawing under the software cursor: only the screen
// concerns it, and the screen is saved again only when the cursor came off.
#include <gtest/gtest.h>

#include "Veltrano_Main.h"
#include "core/cursor_guard.h"
#include "support/fake_screen_cursor.h"

using testing_support::FakeScreenCursor;

namespace {

// A software surface standing in as the screen for the test's lifetime.
class CursorGuardTest : public ::testing::Test {
protected:
    CursorGuardTest() : previousScreen(Veltrano.screen) { Veltrano.screen = screen; }
    ~CursorGuardTest() override {
        Veltrano.screen = previousScreen;
        SDL_FreeSurface(screen);
        SDL_FreeSurface(offScreen);
    }

    SDL_Surface* screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 16, 16, 32, 0, 0, 0, 0);
    SDL_Surface* offScreen = SDL_CreateRGBSurface(SDL_SWSURFACE, 16, 16, 32, 0, 0, 0, 0);
    SDL_Surface* previousScreen;
    SDL_Rect area{2, 3, 4, 5};
};

}  // namespace

TEST_F(CursorGuardTest, OnTheScreenTheCursorComesOffAndIsSavedAgainAfterwards) {
    FakeScreenCursor cursor;
    {
        CursorGuard guard(screen, &area);
        EXPECT_EQ(cursor.calls, (std::vector<std::string>{"off"}));
        EXPECT_EQ(cursor.lastArea.x, 2);
        EXPECT_EQ(cursor.lastArea.h, 5);
    }
    EXPECT_EQ(cursor.calls, (std::vector<std::string>{"off", "back"}));
    {
        CursorGuard anywhere(screen, nullptr);
    }
    EXPECT_EQ(cursor.calls.at(2), "off-anywhere");
}

TEST_F(CursorGuardTest, ACursorThatDidNotComeOffIsNotSavedAgain) {
    FakeScreenCursor cursor(false);
    { CursorGuard guard(screen, &area); }
    EXPECT_EQ(cursor.calls, (std::vector<std::string>{"off"}));
}

TEST_F(CursorGuardTest, OtherTargetsAndAMissingCursorAreLeftAlone) {
    {
        FakeScreenCursor cursor;
        { CursorGuard guard(offScreen, &area); }
        { CursorGuard guard(nullptr, &area); }
        EXPECT_TRUE(cursor.calls.empty());
    }
    hooks::ScreenCursor* registered = hooks::CurrentScreenCursor();
    hooks::SetScreenCursor(nullptr);
    { CursorGuard guard(screen, &area); }
    hooks::SetScreenCursor(registered);
}
