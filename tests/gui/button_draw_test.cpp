// Drawing by state and type: select boxes, complex pictures, slider
// arithmetic, progress cells, check toggling and its callback order, input
// boxes with typing and deleting, and draws when no render is needed.
#include <string>

#include "gui/button_test_helpers.h"

using namespace button_test;
using ButtonDrawTest = ButtonTest;

TEST_F(ButtonDrawTest, NothingIsDrawnOrCalledWhenNoRenderIsNeeded) {
    const int id = Make("b", 1, 10, 10);
    Repaint();
    Frame();
    EXPECT_EQ(ScreenRgb(20, 15), kNormalColor);
    SDL_FillRect(Veltrano.screen, nullptr, 0);
    Frame();  // nothing changed: no render asked for
    EXPECT_EQ(ScreenRgb(20, 15), 0u);
    EXPECT_EQ(IButton->Draw(), -1);
    EXPECT_EQ(IButton->GetState(id), 1);
}

TEST_F(ButtonDrawTest, ButtonsShowTheirStatesAndTheSelectBox) {
    const int plain = Make("b", 1, 10, 10);
    const int complex = Make("c", 4, 100, 10);
    IButton->SetColorSelect(plain, 0xFF, 0xFF, 0);
    mouse.MoveTo(20, 15);
    Repaint();
    Frame();
    EXPECT_EQ(ScreenRgb(20, 15), kNormalColor);
    EXPECT_EQ(ScreenRgb(10, 10), 0xFFFF00u);  // the box over the picture's corner
    EXPECT_EQ(ScreenRgb(49, 29), 0xFFFF00u);
    mouse.MoveTo(110, 15);
    Frame();
    EXPECT_EQ(ScreenRgb(110, 15), kSelectedColor);
    mouse.SetButtons(SDL_BUTTON_LMASK);
    Frame();
    EXPECT_EQ(ScreenRgb(110, 15), kPressedColor);
    IButton->SetState(complex, 16);
    Repaint();
    Frame();
    EXPECT_EQ(ScreenRgb(110, 15), kOffColor);
}

TEST_F(ButtonDrawTest, SliderTakesItsValueFromTheMouseAndPlacesTheKnob) {
    IButtonNew desc = Desc(8, 20, 50);
    desc.range = 10;
    const int slider = Make("s", desc, {250, 20, 10, 10});
    EXPECT_EQ(IButton->GetValue(slider), 0);
    mouse.MoveTo(20 + 25 + 95, 60);
    mouse.SetButtons(SDL_BUTTON_LMASK);
    Repaint();
    Frame();
    EXPECT_EQ(IButton->GetValue(slider), 5);
    // Knob at x + 25 + (250 - 50 - 10) * 5 / 10 = x + 120, y + 10 - 5.
    EXPECT_EQ(ScreenRgb(140, 55), kPressedColor);
    EXPECT_EQ(ScreenRgb(149, 64), kPressedColor);
    EXPECT_EQ(ScreenRgb(139, 55), kNormalColor);
    EXPECT_EQ(ScreenRgb(150, 55), kNormalColor);
    // Half a step (10 pixels) is added before truncating: 89 + 10 -> 4, 90 + 10 -> 5.
    mouse.MoveTo(20 + 25 + 89, 60);
    Frame();
    EXPECT_EQ(IButton->GetValue(slider), 4);
    mouse.MoveTo(20 + 25 + 90, 60);
    Frame();
    EXPECT_EQ(IButton->GetValue(slider), 5);
    // Near the far end the half step would pass the range; it stays at 10.
    mouse.MoveTo(20 + 250 - 26, 60);
    Frame();
    EXPECT_EQ(IButton->GetValue(slider), 10);
}

TEST_F(ButtonDrawTest, SliderWithRangeZeroDrawsItsKnobAtTheStart) {
    IButtonNew desc = Desc(8, 20, 50);
    const int slider = Make("s", desc, {250, 20, 10, 10});
    mouse.MoveTo(150, 60);
    mouse.SetButtons(SDL_BUTTON_LMASK);
    Repaint();
    Frame();
    EXPECT_EQ(IButton->GetValue(slider), 0);
    EXPECT_EQ(ScreenRgb(45, 55), kPressedColor);
}

TEST_F(ButtonDrawTest, ProgressBarDrawsFilledEmptyAndOffCells) {
    IButtonNew desc = Desc(16, 10, 100);
    desc.range = 5;
    desc.value = 2;
    const int bar = Make("p", desc, {20, 10});
    Repaint();
    Frame();
    for (int k = 0; k < 5; ++k) EXPECT_EQ(ScreenRgb(15 + 20 * k, 105), k < 2 ? kNormalColor : kPressedColor) << k;
    EXPECT_EQ(ScreenRgb(115, 105), 0u);
    IButton->SetState(bar, 16);
    Repaint();
    Frame();
    for (int k = 0; k < 5; ++k) EXPECT_EQ(ScreenRgb(15 + 20 * k, 105), kOffColor) << k;
    EXPECT_EQ(ScreenRgb(5, 105), 0u);
}

TEST_F(ButtonDrawTest, CheckButtonCallsBackBeforeItToggles) {
    const int check = Make("c", 32, 10, 10);
    CallbackLog calls;
    calls.watchedId = check;
    IButton->SetFunction(check, RecordCall, &calls, nullptr);
    Repaint();
    Click(20, 15);
    EXPECT_EQ(calls.calls, 1);
    EXPECT_EQ(calls.stateAtCall, 1);
    EXPECT_EQ(IButton->GetState(check), 4);
    EXPECT_EQ(ScreenRgb(20, 15), kNormalColor);  // the firing draw shows the old state
    Repaint();
    Frame();
    EXPECT_EQ(ScreenRgb(20, 15), kPressedColor);
    Click(20, 15);
    EXPECT_EQ(calls.stateAtCall, 4);
    EXPECT_EQ(IButton->GetState(check), 1);
    // A key activation is reported but toggles nothing.
    IButton->SetKey(check, SDLK_SPACE);
    mouse.MoveTo(200, 200);
    PressKey(SDLK_SPACE, true);
    Frame();
    clock.Advance(121);
    EXPECT_EQ(Frame(), check);
    EXPECT_EQ(IButton->GetState(check), 1);
    EXPECT_EQ(calls.calls, 2);
}

class ButtonTypingTest : public ButtonTest {
protected:
    void SetUp() override {
        ButtonTest::SetUp();
        ASSERT_TRUE(MakeFont(font));
        IButtonNew desc = Desc(64, 10, 100);
        desc.value = 2;
        box = Make("i", desc, {300, 20});
        IButton->SetTextFont(box, &font);
        mouse.MoveTo(20, 110);
        Frame();
    }
    void TearDown() override {
        IButton->Remove(box);
        ButtonTest::TearDown();
    }
    // One key down for one frame, then up, with time for the repeat delay.
    void Type(int key) {
        PressKey(key, true);
        Frame();
        PressKey(key, false);
        clock.Advance(200);
    }
    Veltrano_CFont font;
    int box = 0;
};

TEST_F(ButtonTypingTest, TypingAppendsAndBackspaceRemovesOnePerAcceptedPress) {
    Type(SDLK_a);
    Type(SDLK_b);
    Type(SDLK_c);
    EXPECT_STREQ(IButton->GetText(box), "abc");
    PressKey(SDLK_BACKSPACE, true);
    Frame();
    clock.Advance(100);  // within the 150 ms delay: not accepted again
    Frame();
    EXPECT_STREQ(IButton->GetText(box), "ab");
    clock.Advance(60);
    Frame();
    EXPECT_STREQ(IButton->GetText(box), "a");
    PressKey(SDLK_BACKSPACE, false);
    // Away from the box nothing is typed.
    mouse.MoveTo(200, 200);
    Frame();
    Type(SDLK_d);
    EXPECT_STREQ(IButton->GetText(box), "a");
}

TEST_F(ButtonTypingTest, ThirtyOneCharactersAreTheLimit) {
    const std::string full(31, 'a');
    IButton->SetText(box, full.c_str());
    ASSERT_EQ(std::string(IButton->GetText(box)), full);
    Type(SDLK_b);
    EXPECT_EQ(std::string(IButton->GetText(box)), full);
    Type(SDLK_DELETE);
    Type(SDLK_b);
    EXPECT_EQ(std::string(IButton->GetText(box)), std::string(30, 'a') + "b");
}
