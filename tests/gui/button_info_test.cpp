// The information dump, line by line.
#include "gui/button_test_helpers.h"

using button_test::ButtonTest;
using ButtonInfoTest = ButtonTest;

namespace {

// The picture block of a 32x20 picture of 32 bits without alpha or key.
std::string PlainPicture(const std::string& label) {
    return "             + " + label + " state button of 2 Kb located at system memory (32x20 with 32bits)\n"
           "                Alpha blending: disabled - Colorkey: disabled\n";
}

}  // namespace

TEST_F(ButtonInfoTest, MasterDumpCountsTheMemoryItsClonesSave) {
    const int master = Make("m", 4, 10, 20, {32, 20}, 1);  // four pictures of 2560 bytes
    for (int i = 0; i < 3; ++i) IButton->Clone(master);
    log.Clear();
    EXPECT_EQ(IButton->Info(master), 1 + 3 + 3);
    EXPECT_EQ(log.Text(),
              "\n . IButton information:\n"
              "\n     -> Button name 'm' - MasterID '1000':\n"
              "         + Cloned buttons: 3 - Saved memory: 20.0 Kbytes\n"
              "         + Type: 'Complex button' - Visible: 'yes' - Position: (10,20) - SelectBox: 0\n"
              "         + State: 'Normal' - Last state: 'Normal' - Range: 0 - Value: 0\n"
              "         + Associated key: 'none' - Mouse sensibility: ' left ' buttons.\n" +
                  PlainPicture("Normal") + PlainPicture("Press") + PlainPicture("Select") + PlainPicture("Off"));
}

TEST_F(ButtonInfoTest, FullDumpListsMastersAndEveryLayer) {
    const int master = Make("chk", 32, 1, 2, {32, 20}, 1);
    IButton->SetState(master, 4);
    IButton->SetLayer(1);
    const int clone = IButton->Clone(master);
    IButton->SetKey(clone, SDLK_a);
    IButton->SetMouseButtons(clone, 5);
    IButton->SetLayerVisibility(0, 1);
    log.Clear();
    EXPECT_EQ(IButton->Info(-1), 3);
    std::string expected =
        "\n . IButton information:\n"
        "\n   - Masterbuttons: 1 - Cloned buttons: 1 - Total working buttons: 1 - Current layer 1.\n"
        "\n   - Dumping Master button list:\n"
        "\n     -> Button name 'chk' - MasterID '1000':\n"
        "         + Cloned buttons: 1 - Saved memory: 0.0 Kbytes\n"
        "         + Type: 'Check button' - Visible: 'yes' - Position: (1,2) - SelectBox: 0\n"
        "        + State: 'Pressed' - Last state: 'Normal' - Range: 4 - Value: 0\n"
        "         + Associated key: 'none' - Mouse sensibility: ' left ' buttons.\n" +
        PlainPicture("Normal") + PlainPicture("Press") + PlainPicture("Off") +
        "\n     -> Total saved memory: 0.0 KBytes\n"
        "\n   - Dumping Working layer list:\n"
        "\n     -> Layer 0 - Visible state\n"
        "\n     -> Layer 1 - Visible state\n"
        "\n        # Button name 'chk' - ID '101':\n"
        "          + Type: 'Check button' - Visible: 'yes' - Position: (1,2) - SelectBox: 0\n"
        "          + State: 'Pressed' - Last state: 'Normal' - Range: 4 - Value: 0\n"
        "          + Associated key: 'a' - Mouse sensibility: ' left right ' buttons.\n"
        "          + Cloned button. MasterID '1000'.\n";
    for (int layer = 2; layer < 8; ++layer) expected += "\n     -> Layer " + std::to_string(layer) + " - Hidden state\n";
    EXPECT_EQ(log.Text(), expected);
}

TEST_F(ButtonInfoTest, WithoutMastersTheListSaysNone) {
    log.Clear();
    EXPECT_EQ(IButton->Info(-1), 0);
    EXPECT_TRUE(log.Contains("\n   - Dumping Master button list: None\n\n\n   - Dumping Working layer list:\n"));
    EXPECT_FALSE(log.Contains("Total saved memory"));
}

TEST_F(ButtonInfoTest, WorkingDumpOfAnInputBoxShowsFontTextAndPictures) {
    Veltrano_CFont font;
    ASSERT_TRUE(button_test::MakeFont(font));
    font.SetName("small");
    const int box = Make("in", 64, 3, 4, {32, 20});
    IButton->SetTextFont(box, &font);
    IButton->SetText(box, "hi");
    IButton->SetAlpha(box, 1, 100);
    IButton->SetColorKey(box, 4, 0, 255, 0);
    log.Clear();
    EXPECT_EQ(IButton->Info(box), 1);
    EXPECT_EQ(log.Text(),
              "\n . IButton information:\n"
              "\n        # Button name 'in' - ID '1':\n"
              "          + Type: 'Input box' - Visible: 'yes' - Position: (3,4) - SelectBox: 0\n"
              "          + State: 'Normal' - Last state: 'Normal' - Font: 'small' - Value: 'hi'\n"
              "          + Associated key: 'none' - Mouse sensibility: ' left ' buttons.\n"
              "             + Normal state button of 2 Kb located at system memory (32x20 with 32bits)\n"
              "                Alpha blending: per-surface (100) - Colorkey: disabled\n"
              "             + Press state button of 2 Kb located at system memory (32x20 with 32bits)\n"
              "                Alpha blending: disabled - Colorkey: RGB(0,255,0)\n" +
                  PlainPicture("Off"));
    IButton->Remove(box);
}

TEST_F(ButtonInfoTest, CountOnlyWritesNothingAndUnknownIdsOnlyTheTitle) {
    Make("b", 1, 0, 0);
    log.Clear();
    EXPECT_EQ(IButton->Info(-2), 1);
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(IButton->Info(5), 1);
    EXPECT_EQ(IButton->Info(1050), 1);
    EXPECT_EQ(log.Text(), "\n . IButton information:\n\n . IButton information:\n");
}
