// Widgets driven by the testing aid's scripted input through the core's
// normal event pass: a scripted click fires a widget, and scripted keys
// press and activate one while the game's own key state reads agree.
#include "gui/button_test_helpers.h"
#include "veltrano_testing.h"

using button_test::CallbackLog;
using button_test::RecordCall;

namespace {

class ScriptedWidgetTest : public button_test::ButtonTest {
protected:
    void TearDown() override {
        VeltranoTesting::ClearInput();
        ButtonTest::TearDown();
    }
};

TEST_F(ScriptedWidgetTest, AClickFiresTheWidgetItLandsOn) {
    const int id = Make("b", 1, 10, 10);
    CallbackLog calls;
    calls.watchedId = id;
    IButton->SetFunction(id, RecordCall, &calls, nullptr);
    VeltranoTesting::Click(200, 200);
    Frame();
    Frame();
    EXPECT_EQ(calls.calls, 0);
    VeltranoTesting::Click(20, 15);
    Frame();
    EXPECT_EQ(IButton->GetState(id), 4);
    EXPECT_EQ(Frame(), id);
    EXPECT_EQ(calls.calls, 1);
}

TEST_F(ScriptedWidgetTest, ScriptedKeysPressAndActivateAWidgetAndTheGameSeesThem) {
    const int id = Make("b", 1, 10, 10);
    IButton->SetKey(id, SDLK_RETURN);
    const Uint8* keys = SDL_GetKeyState(nullptr);
    VeltranoTesting::TapKey(SDLK_RETURN);
    Frame();
    EXPECT_EQ(keys[SDLK_RETURN], 1);
    EXPECT_EQ(IButton->GetState(id), 4);
    Frame();
    EXPECT_EQ(keys[SDLK_RETURN], 0);
    EXPECT_EQ(IButton->GetState(id), 1);
    // Held past the repeat time, the key activates the widget.
    VeltranoTesting::PressKey(SDLK_RETURN);
    Frame();
    clock.Advance(121);
    EXPECT_EQ(Frame(), id);
    EXPECT_EQ(IButton->Check(), id);
    VeltranoTesting::ReleaseKey(SDLK_RETURN);
    Frame();
    EXPECT_EQ(IButton->GetState(id), 1);
}

}  // namespace
