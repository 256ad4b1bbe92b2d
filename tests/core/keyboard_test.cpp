// Keyboard helpers: key state, typed keys with repeat delay, translation
// with Shift and Num Lock, and printable key names. Keys are pressed by
// writing SDL's own key state array and modifier state.
#include <gtest/gtest.h>

#include "support/test_support.h"
#include "veltrano.h"

using testing_support::ManualClock;
using testing_support::SdkSession;

namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.Started());
        ITimeSystem->Init(0);
        keys = SDL_GetKeyState(nullptr);
        ReleaseAll();
        Veltrano.Update(nullptr);  // a logic frame captures the key state
    }
    void TearDown() override { ReleaseAll(); }

    void ReleaseAll() {
        int count = 0;
        SDL_GetKeyState(&count);
        for (int i = 0; i < count; ++i) keys[i] = 0;
        SDL_SetModState(KMOD_NONE);
    }
    // The character one key gives with the given modifiers, typed fresh.
    int Translate(int key, SDLMod modifiers = KMOD_NONE) {
        ReleaseAll();
        SDL_SetModState(modifiers);
        keys[key] = 1;
        clock.Advance(1000);
        const int typed = Veltrano.GetKeyPressed(0);
        keys[key] = 0;
        return typed;
    }

    SdkSession session;
    ManualClock clock{10000};
    Uint8* keys = nullptr;
};

}  // namespace

TEST_F(KeyboardTest, KeyStateFollowsSdlArrayAndRefusesCodesOutsideIt) {
    keys[SDLK_SPACE] = 1;
    EXPECT_EQ(Veltrano.GetKeystate(SDLK_SPACE), 1);
    EXPECT_EQ(Veltrano.GetKeystate(SDLK_a), 0);
    EXPECT_EQ(Veltrano.GetKeystate(-1), 0);
    EXPECT_EQ(Veltrano.GetKeystate(SDLK_LAST), 0);
    EXPECT_EQ(Veltrano.GetKeystate(1 << 30), 0);
}

TEST_F(KeyboardTest, HeldKeyRepeatsOnlyAfterItsDelay) {
    keys[SDLK_a] = 1;
    EXPECT_EQ(Veltrano.GetKeyPressed(100), 'a');
    EXPECT_EQ(Veltrano.GetKeyPressed(100), 0);
    clock.Advance(100);  // not more than the delay yet
    EXPECT_EQ(Veltrano.GetKeyPressed(100), 0);
    clock.Advance(1);
    EXPECT_EQ(Veltrano.GetKeyPressed(100), 'a');
    SDL_SetModState(KMOD_LSHIFT);
    clock.Advance(101);
    EXPECT_EQ(Veltrano.GetKeyPressed(100), 'A');
}

TEST_F(KeyboardTest, LowestDueKeyWinsAndHeldKeysWithinDelayAreSkipped) {
    keys[SDLK_b] = 1;
    keys[SDLK_c] = 1;
    EXPECT_EQ(Veltrano.GetKeyPressed(50), 'b');
    EXPECT_EQ(Veltrano.GetKeyPressed(50), 'c');
    EXPECT_EQ(Veltrano.GetKeyPressed(50), 0);
    // A delay so large the sum overflows 32 bits still means "not yet".
    clock.Advance(100);
    EXPECT_EQ(Veltrano.GetKeyPressed(0x7FFFFFFF), 0);
    EXPECT_EQ(Veltrano.GetKeyPressed(50), 'b');
}

TEST_F(KeyboardTest, ShiftGivesUpperCaseAndShiftedSymbols) {
    const char plain[] = "abz',-./0123456789;=[\\]`";
    const char shifted[] = "ABZ\"<_>?)!@#$%^&*(:+{|}~";
    for (size_t i = 0; plain[i] != '\0'; ++i) {
        EXPECT_EQ(Translate(plain[i], KMOD_RSHIFT), shifted[i]) << plain[i];
        EXPECT_EQ(Translate(plain[i]), plain[i]) << plain[i];
    }
    EXPECT_EQ(Translate(SDLK_F1, KMOD_LSHIFT), SDLK_F1);
}

TEST_F(KeyboardTest, KeypadFollowsNumLock) {
    EXPECT_EQ(Translate(SDLK_KP_DIVIDE), '/');
    EXPECT_EQ(Translate(SDLK_KP_MULTIPLY), '*');
    EXPECT_EQ(Translate(SDLK_KP_MINUS), '-');
    EXPECT_EQ(Translate(SDLK_KP_PLUS, KMOD_NUM), '+');
    EXPECT_EQ(Translate(SDLK_KP_ENTER), 13);
    for (int digit = 0; digit <= 9; ++digit)
        EXPECT_EQ(Translate(SDLK_KP0 + digit, KMOD_NUM), '0' + digit);
    EXPECT_EQ(Translate(SDLK_KP_PERIOD, KMOD_NUM), '.');

    const int navigation[] = {SDLK_INSERT, SDLK_END,  SDLK_DOWN, SDLK_PAGEDOWN, SDLK_LEFT,
                              SDLK_KP5,    SDLK_RIGHT, SDLK_HOME, SDLK_UP,       SDLK_PAGEUP};
    for (int digit = 0; digit <= 9; ++digit) EXPECT_EQ(Translate(SDLK_KP0 + digit), navigation[digit]);
    EXPECT_EQ(Translate(SDLK_KP_PERIOD), SDLK_DELETE);
    EXPECT_EQ(Translate(SDLK_KP5, KMOD_LSHIFT), SDLK_KP5);
    EXPECT_EQ(Translate(SDLK_UP), SDLK_UP);
}

TEST(KeyNames, PrintableCodesOnly) {
    SdkSession session;  // SDL names keys once its video has started
    ASSERT_TRUE(session.Started());
    EXPECT_STREQ(Veltrano.GetKeyName(32), " ");
    EXPECT_STREQ(Veltrano.GetKeyName(37), "%");
    EXPECT_STREQ(Veltrano.GetKeyName('A'), "A");
    EXPECT_STREQ(Veltrano.GetKeyName('Z'), "Z");
    EXPECT_STREQ(Veltrano.GetKeyName('{'), "{");
    EXPECT_STREQ(Veltrano.GetKeyName('~'), "~");
    EXPECT_STREQ(Veltrano.GetKeyName('a'), SDL_GetKeyName(SDLK_a));
    EXPECT_STREQ(Veltrano.GetKeyName('1'), "1");
    EXPECT_EQ(Veltrano.GetKeyName(31), nullptr);
    EXPECT_EQ(Veltrano.GetKeyName(127), nullptr);
    EXPECT_EQ(Veltrano.GetKeyName(282), nullptr);  // F1
    EXPECT_EQ(Veltrano.GetKeyName(-7), nullptr);
}
