// The input check through the core's real loop: mouse boxes and masks,
// clicks on release, activation keys with their repeat, keys blocked by an
// editing input box, the order in which layers are checked, and scripted
// clicks and keys of the testing aid.
#include "gui/button_test_helpers.h"

using button_test::ButtonTest;
using button_test::CallbackLog;
using button_test::RecordCall;
using ButtonInputTest = ButtonTest;

TEST_F(ButtonInputTest, ClickIsAReleaseOverTheWidgetWithAButtonOfItsMask) {
    const int id = Make("b", 1, 10, 10);
    CallbackLog calls;
    calls.watchedId = id;
    IButton->SetFunction(id, RecordCall, &calls, nullptr);
    mouse.MoveTo(20, 15);
    Frame();
    EXPECT_EQ(IButton->GetState(id), 2);
    EXPECT_EQ(IButton->WhoIsSelected(), id);
    mouse.SetButtons(SDL_BUTTON_RMASK);  // not in the mask
    Frame();
    EXPECT_EQ(IButton->GetState(id), 2);
    mouse.SetButtons(SDL_BUTTON_LMASK);
    EXPECT_EQ(Frame(), -1);
    EXPECT_EQ(IButton->GetState(id), 4);
    mouse.SetButtons(0);
    EXPECT_EQ(Frame(), id);  // the release: Action, and the draw fires once
    EXPECT_EQ(calls.calls, 1);
    EXPECT_EQ(calls.stateAtCall, 8);
    Frame();
    EXPECT_EQ(IButton->GetState(id), 2);
    EXPECT_EQ(calls.calls, 1);
    // Pressed over the widget, released outside: no click.
    mouse.SetButtons(SDL_BUTTON_LMASK);
    Frame();
    mouse.MoveTo(200, 200);
    mouse.SetButtons(0);
    Frame();
    EXPECT_EQ(IButton->GetState(id), 1);
    EXPECT_EQ(calls.calls, 1);
    // The right button acts once it is in the mask.
    IButton->SetMouseButtons(id, 4);
    Click(20, 15, SDL_BUTTON_RMASK);
    EXPECT_EQ(calls.calls, 2);
}

TEST_F(ButtonInputTest, BoxesAreStrict) {
    const int id = Make("b", 1, 10, 10);  // 40x20: box (10,10)-(49,29)
    for (auto point : {std::pair<int, int>{10, 15}, {49, 15}, {20, 10}, {20, 29}}) {
        mouse.MoveTo(point.first, point.second);
        Frame();
        EXPECT_EQ(IButton->WhoIsSelected(), -1) << point.first << "," << point.second;
    }
    mouse.MoveTo(48, 28);
    Frame();
    EXPECT_EQ(IButton->WhoIsSelected(), id);
    // A disabled widget keeps its state but is still found under the mouse.
    IButton->SetState(id, 16);
    Frame();
    EXPECT_EQ(IButton->GetState(id), 16);
    EXPECT_EQ(IButton->WhoIsSelected(), id);
}

TEST_F(ButtonInputTest, HeldKeyPressesThenFiresEvery120Milliseconds) {
    const int id = Make("b", 1, 10, 10);
    CallbackLog calls;
    IButton->SetFunction(id, RecordCall, &calls, nullptr);
    IButton->SetKey(id, SDLK_RETURN);
    PressKey(SDLK_RETURN, true);
    Frame();
    EXPECT_EQ(IButton->GetState(id), 4);
    clock.Advance(120);
    Frame();
    EXPECT_EQ(IButton->GetState(id), 4);
    clock.Advance(1);
    EXPECT_EQ(Frame(), id);  // reported, but a key activation runs no callback
    EXPECT_EQ(IButton->GetState(id), 8);
    EXPECT_EQ(IButton->Check(), id);
    EXPECT_EQ(calls.calls, 0);
    Frame();
    EXPECT_EQ(IButton->GetState(id), 4);
    EXPECT_EQ(IButton->Check(), -1);
    PressKey(SDLK_RETURN, false);
    Frame();
    EXPECT_EQ(IButton->GetState(id), 1);
}

TEST_F(ButtonInputTest, EditingInputBoxBlocksShortcutKeys) {
    const int button = Make("b", 1, 10, 10);
    IButton->SetKey(button, SDLK_RETURN);
    Make("i", 64, 10, 100);
    mouse.MoveTo(20, 110);
    Frame();  // the box is selected and takes the keyboard at this draw
    PressKey(SDLK_RETURN, true);
    for (int i = 0; i < 5; ++i) {
        clock.Advance(100);
        Frame();
        EXPECT_EQ(IButton->GetState(button), 1);
    }
    mouse.MoveTo(200, 200);
    Frame();  // the box is idle at this draw
    Frame();
    EXPECT_EQ(IButton->GetState(button), 4);
}

TEST_F(ButtonInputTest, LayersAreCheckedInOrderAndHiddenOnesIgnored) {
    IButton->SetLayer(1);
    const int upper = Make("a", 1, 10, 10);
    IButton->SetLayer(0);
    const int lower = Make("b", 1, 10, 10);
    IButton->SetLayerVisibility(1, 1);
    mouse.MoveTo(20, 15);
    mouse.SetButtons(SDL_BUTTON_LMASK);
    Frame();
    mouse.SetButtons(0);
    EXPECT_EQ(Frame(), upper);  // the last widget that fired
    EXPECT_EQ(IButton->Check(), lower);
    IButton->SetLayerVisibility(0, 0);
    Frame();
    EXPECT_EQ(IButton->WhoIsSelected(), upper);
    IButton->SetVisible(upper, 0);
    Frame();
    EXPECT_EQ(IButton->WhoIsSelected(), -1);
}

TEST_F(ButtonInputTest, InputBoxesAreNeverPressedAndProgressBarsOnlyAfterSetPosition) {
    const int box = Make("i", 64, 10, 10);
    const int bar = Make("p", 16, 10, 100);
    mouse.MoveTo(20, 15);
    mouse.SetButtons(SDL_BUTTON_LMASK);
    Frame();
    EXPECT_EQ(IButton->GetState(box), 2);
    mouse.SetButtons(0);
    Frame();
    EXPECT_EQ(IButton->GetState(box), 2);
    Click(20, 105);
    EXPECT_EQ(IButton->GetState(bar), 1);
    IButton->SetPosition(bar, 10, 100);
    mouse.SetButtons(SDL_BUTTON_LMASK);
    Frame();
    EXPECT_EQ(IButton->GetState(bar), 4);
}

TEST_F(ButtonInputTest, CheckAndDrawWithoutAScreenFail) {
    Make("b", 1, 10, 10);
    SDL_Surface* screen = Veltrano.screen;
    Veltrano.screen = nullptr;
    EXPECT_EQ(IButton->Check(), -1);
    EXPECT_EQ(IButton->Draw(), -1);
    Veltrano.screen = screen;
    EXPECT_TRUE(log.Contains(" . [IButton->Draw()] Error: Veltrano.screen was not initialized.\n"));
}

TEST_F(ButtonInputTest, ScriptedClicksAndKeysPressAndFireWidgetsWhileTheGameSeesTheKeys) {
    const int id = Make("b", 1, 10, 10);
    CallbackLog calls;
    IButton->SetFunction(id, RecordCall, &calls, nullptr);
    IButton->SetKey(id, SDLK_RETURN);
    VeltranoTesting::Click(20, 15);
    Frame();
    EXPECT_EQ(IButton->GetState(id), 4);
    EXPECT_EQ(Frame(), id);
    EXPECT_EQ(calls.calls, 1);
    VeltranoTesting::TapKey(SDLK_RETURN);
    Frame();
    EXPECT_EQ(SDL_GetKeyState(nullptr)[SDLK_RETURN], 1);
    EXPECT_EQ(IButton->GetState(id), 4);
    Frame();
    EXPECT_EQ(SDL_GetKeyState(nullptr)[SDLK_RETURN], 0);
    VeltranoTesting::PressKey(SDLK_RETURN);  // held past the repeat time, it activates
    Frame();
    clock.Advance(121);
    EXPECT_EQ(Frame(), id);
}
