// Property operations: values, states of check buttons, keys, masks,
// colours, pictures, input-box text, names, and ids that find nothing.
#include <memory>

#include "gui/button_test_helpers.h"

using button_test::ButtonTest;
using ButtonPropertiesTest = ButtonTest;

TEST_F(ButtonPropertiesTest, ValuesAreClampedForSlidersAndRefusedForOthers) {
    StorePictures("s", 8);
    IButtonNew desc = Desc(8);
    desc.range = 10;
    desc.value = 3;
    const int slider = IButton->Create(&desc, "s", 0, dpf);
    const int button = Make("b", 1, 0, 0);
    EXPECT_EQ(IButton->GetValue(slider), 3);
    EXPECT_EQ(IButton->GetRange(slider), 10);
    IButton->SetValue(slider, 15);
    EXPECT_EQ(IButton->GetValue(slider), 10);
    IButton->SetValue(slider, -3);
    EXPECT_EQ(IButton->GetValue(slider), 0);
    IButton->SetValue(button, 4);
    EXPECT_EQ(IButton->GetValue(button), -1);
    EXPECT_EQ(IButton->GetRange(button), -1);
}

TEST_F(ButtonPropertiesTest, CheckButtonStateSurvivesBeingDisabled) {
    const int check = Make("c", 32, 0, 0);
    EXPECT_EQ(IButton->GetState(check), 1);
    IButton->SetState(check, 4);
    EXPECT_EQ(IButton->GetState(check), 4);
    IButton->SetState(check, 16);
    EXPECT_EQ(IButton->GetState(check), 16);
    IButton->SetState(check, 16);  // disabling twice keeps the saved state
    EXPECT_EQ(IButton->GetState(check), 16);
    IButton->SetState(check, 1);
    EXPECT_EQ(IButton->GetState(check), 4);
    IButton->SetState(check, 3);  // not a state
    EXPECT_EQ(IButton->GetState(check), 4);
    const int button = Make("b", 1, 0, 0);
    IButton->SetState(button, 16);
    EXPECT_EQ(IButton->GetState(button), 16);
}

TEST_F(ButtonPropertiesTest, NothingFoundAnswers) {
    for (int id : {0, 33, 100, 133, 800, 999, 1000, 1100, -5}) {
        EXPECT_EQ(IButton->GetState(id), -1) << id;
        EXPECT_EQ(IButton->GetKey(id), 0) << id;
        EXPECT_EQ(IButton->GetColorSelect(id), 0) << id;
        EXPECT_EQ(IButton->GetMouseButtons(id), -1) << id;
        EXPECT_EQ(IButton->GetSurface(id, 1), nullptr) << id;
        EXPECT_EQ(IButton->GetText(id), nullptr) << id;
        EXPECT_EQ(IButton->GetAlpha(id, 1), -1) << id;
        IButton->SetPosition(id, 1, 1);
        IButton->SetState(id, 4);
        IButton->SetText(id, "x");
    }
}

TEST_F(ButtonPropertiesTest, KeysMasksAndColours) {
    const int id = Make("b", 1, 0, 0);
    IButton->SetKey(id, SDLK_RETURN);
    IButton->SetKey(id, 322);  // beyond SDL's key table
    IButton->SetKey(id, -1);
    EXPECT_EQ(IButton->GetKey(id), SDLK_RETURN);
    EXPECT_EQ(IButton->GetMouseButtons(id), 1);
    IButton->SetMouseButtons(id, 5);
    IButton->SetMouseButtons(id, 8);
    IButton->SetMouseButtons(id, 0);
    EXPECT_EQ(IButton->GetMouseButtons(id), 5);
    IButton->SetColorSelect(id, 0x12, 0x34, 0x56);
    EXPECT_EQ(IButton->GetColorSelect(id), 0x123456);
    IButton->SetColorSelect(id, 77);
    EXPECT_EQ(IButton->GetColorSelect(id), 77);
}

TEST_F(ButtonPropertiesTest, PicturePropertiesAnswerPerPicture) {
    const int id = Make("c", 4, 0, 0);
    IButton->SetAlpha(id, 0, 128);
    EXPECT_EQ(IButton->GetAlpha(id, 2), 128);
    IButton->SetAlpha(id, 4, 255);
    EXPECT_EQ(IButton->GetAlpha(id, 4), 255);
    EXPECT_EQ(IButton->GetAlpha(id, 16), 128);
    EXPECT_EQ(IButton->GetAlpha(id, 0), -1);
    IButton->SetColorKey(id, 1, 0, 255, 0);
    EXPECT_EQ(IButton->GetColorKey(id, 1), 0x00FF00);
    IButton->SetColorKey(id, 1, -1, 0, 0);
    EXPECT_EQ(IButton->GetColorKey(id, 1), -1);
    EXPECT_NE(IButton->GetSurface(id, 2), nullptr);
    const int plain = Make("p", 1, 0, 0);
    EXPECT_EQ(IButton->GetSurface(plain, 2), nullptr);
}

TEST_F(ButtonPropertiesTest, InputBoxTextNeedsAFontAndFitsTheBox) {
    StorePictures("i", 64, {60, 20});
    IButtonNew desc = Desc(64);
    desc.value = 4;  // horizontal margin: text 60 - 8 - 1 = 51 wide
    const int box = IButton->Create(&desc, "i", 0, dpf);
    IButton->SetText(box, "no font");
    EXPECT_STREQ(IButton->GetText(box), "");
    Veltrano_CFont font;
    ASSERT_TRUE(button_test::MakeFont(font));
    IButton->SetTextFont(box, &font);
    IButton->SetText(box, "a text far too long for the box at all");
    const int limit = 51 - font.StringWidth("m");
    const std::string kept = IButton->GetText(box);
    EXPECT_LE(font.StringWidth(kept.c_str()), limit);
    EXPECT_GT(font.StringWidth((kept + "l").c_str()), limit);
    IButton->SetText(box, "abc");
    EXPECT_STREQ(IButton->GetText(box), "abc");
    const int button = Make("b", 1, 0, 0);
    EXPECT_EQ(IButton->GetText(button), nullptr);
    IButton->Remove(box);  // it borrows the font, which goes first
}

// A game that deletes the font first leaves its boxes without one: they
// draw and dump without reading the deleted font.
TEST_F(ButtonPropertiesTest, ADeletedFontIsDroppedFromTheBoxesThatBorrowIt) {
    StorePictures("i", 64, {60, 20});
    IButtonNew desc = Desc(64);
    const int box = IButton->Create(&desc, "i", 0, dpf);
    const int master = IButton->Create(&desc, "i", 1, dpf);
    auto font = std::make_unique<Veltrano_CFont>();
    ASSERT_TRUE(button_test::MakeFont(*font));
    IButton->SetTextFont(box, font.get());
    IButton->SetTextFont(master, font.get());
    IButton->SetText(box, "typed");
    font.reset();
    Repaint();
    Frame();
    log.Clear();
    IButton->Info(box);
    IButton->Info(master);
    EXPECT_TRUE(log.Contains("Font: 'none' - Value: 'typed'")) << log.Text();
    EXPECT_TRUE(log.Contains("Font: 'none' - Value: ''")) << log.Text();
    IButton->SetText(box, "needs a font");
    EXPECT_STREQ(IButton->GetText(box), "typed");
}

TEST_F(ButtonPropertiesTest, NamesAreCutToTheirField) {
    const int id = Make("b", 1, 0, 0);
    EXPECT_STREQ(IButton->GetName(id), "b");
    IButton->SetName(id, "a-name-far-longer-than-twenty-eight-characters");
    EXPECT_EQ(std::string(IButton->GetName(id)).size(), 27u);
    IButton->SetName(id, nullptr);
    EXPECT_EQ(IButton->GetName(1100), nullptr);
}

TEST_F(ButtonPropertiesTest, SetPositionRecomputesTheBoxPerType) {
    const int progress = Make("p", 16, 0, 0);
    mouse.MoveTo(15, 10);
    Frame();
    EXPECT_EQ(IButton->WhoIsSelected(), -1);  // never under the mouse after Create
    IButton->SetPosition(progress, 10, 5);
    Frame();
    EXPECT_EQ(IButton->WhoIsSelected(), progress);
    mouse.MoveTo(49, 10);  // x + W - 1 is the edge
    Frame();
    EXPECT_EQ(IButton->WhoIsSelected(), -1);
    const int complex = Make("c", 4, 100, 100);
    mouse.MoveTo(139, 119);  // inside (100,100)-(140,120)
    Frame();
    EXPECT_EQ(IButton->WhoIsSelected(), complex);
}
