// Masters, clones and layers: clone counting, shared pictures, removal in
// every form, and what happens to clones whose master goes first.
#include "gui/button_test_helpers.h"

using button_test::ButtonTest;

namespace {

class ButtonClonesTest : public ButtonTest {
protected:
    void SetUp() override {
        ButtonTest::SetUp();
        tilesBefore = Veltrano.tileCount;
        master = Make("m", 1, 10, 10, {}, 1);
        ASSERT_EQ(master, 1000);
    }
    int tilesBefore = 0;
    int master = 0;
};

}  // namespace

TEST_F(ButtonClonesTest, ClonesShareTheMastersPicturesAndAreCounted) {
    const int a = IButton->Clone(master);
    IButton->SetLayer(2);
    const int b = IButton->Clone(master);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 201);
    EXPECT_TRUE(log.Contains(" . [IButton->Clone(1000)] Info: added new clone button(0).\n"));
    EXPECT_EQ(IButton->GetSurface(a, 1), IButton->GetSurface(master, 1));
    EXPECT_EQ(Veltrano.tileCount, tilesBefore + 3);  // no picture was copied
    EXPECT_EQ(IButton->GetNum(), 2);
    EXPECT_EQ(IButton->Info(-2), 1 + 2 + 2);  // a clone counts as clone and as working widget
    IButton->Remove(a);
    EXPECT_TRUE(log.Contains(" . [IButton->Remove(1)] Info: button was deleted.\n"));
    EXPECT_EQ(Veltrano.tileCount, tilesBefore + 3);
    EXPECT_EQ(IButton->GetNum(), 1);
    IButton->RemoveAll();  // layer 2
    EXPECT_TRUE(log.Contains(" . [IButton->Remove()] Info: 1 buttons of layer 2 were deleted.\n"));
    log.Clear();
    IButton->RemoveMaster(master);
    EXPECT_FALSE(log.Contains("still has"));
    EXPECT_TRUE(log.Contains(" . [IButton->FreeMaster(0)] Info: master button deleted.\n"));
    EXPECT_EQ(Veltrano.tileCount, tilesBefore);
    EXPECT_EQ(IButton->Info(-2), 0);
}

TEST_F(ButtonClonesTest, UnknownMastersAndWrongKindsOfIdsDoNothing) {
    EXPECT_EQ(IButton->Clone(0), -1);  // a free master slot is no master
    EXPECT_TRUE(log.Contains(" . [IButton->Clone(0)] Error: master button not found\n"));
    EXPECT_EQ(IButton->Clone(1001), -1);
    const int clone = IButton->Clone(master);
    IButton->Remove(master);       // masters go through RemoveMaster
    IButton->RemoveMaster(0);      // 0 names no master
    IButton->RemoveMaster(clone);  // a working id
    IButton->RemoveMaster(1100);
    IButton->Remove(5);            // a free slot
    IButton->Remove(133);          // slot beyond 32
    EXPECT_EQ(IButton->Info(-2), 1 + 1 + 1);
    EXPECT_EQ(Veltrano.tileCount, tilesBefore + 3);
}

TEST_F(ButtonClonesTest, FullLayerRefusesClones) {
    for (int i = 0; i < 32; ++i) ASSERT_EQ(IButton->Clone(master), i + 1);
    EXPECT_EQ(IButton->Clone(master), -1);
    EXPECT_TRUE(log.Contains(
        " . [IButton->Clone(1000)] Warning: we have reached maximum buttons number(32) in this layer(0).\n"));
}

TEST_F(ButtonClonesTest, ClonesOfARemovedMasterAreDetachedAndDrawNothing) {
    const int clone = IButton->Clone(master);
    IButton->RemoveMaster(master);
    EXPECT_TRUE(log.Contains(" . [IButton->FreeMaster(0)] Warning: this master button still has 1 cloned buttons!\n"));
    EXPECT_EQ(Veltrano.tileCount, tilesBefore);
    EXPECT_EQ(IButton->GetSurface(clone, 1), nullptr);
    // Drawing and clicking the orphan touches no freed picture.
    IButton->SetPosition(clone, 10, 10);
    Click(20, 15);
    // A new master in the same slot keeps its own clone count.
    const int next = Make("n", 1, 0, 0, {}, 1);
    ASSERT_EQ(next, master);
    const int nextClone = IButton->Clone(next);
    IButton->Remove(clone);
    log.Clear();
    IButton->Info(next);
    EXPECT_TRUE(log.Contains("Cloned buttons: 1 - "));
    IButton->Remove(nextClone);
    IButton->RemoveMaster(-1);
    EXPECT_EQ(Veltrano.tileCount, tilesBefore);
}

TEST_F(ButtonClonesTest, RemoveMasterMinusOneRemovesEveryMaster) {
    Make("x", 4, 0, 0, {}, 1);
    EXPECT_EQ(IButton->Info(-2), 2);
    IButton->RemoveMaster(-1);
    EXPECT_EQ(IButton->Info(-2), 0);
    EXPECT_EQ(Veltrano.tileCount, tilesBefore);
    EXPECT_TRUE(log.Contains(" . [IButton->FreeMaster(-1)] Info: master button deleted.\n"));
}

TEST_F(ButtonClonesTest, DestructorRemovesLayersBeforeMastersAndReportsLeftovers) {
    IButton->SetLayer(5);
    IButton->Clone(master);
    Make("w", 64, 0, 0);
    log.Clear();
    delete IButton;
    IButton = new Veltrano_IButton;
    EXPECT_TRUE(log.Contains(" . [IButton] Warning! your application has left 4 buttons without deleting.\n"));
    EXPECT_TRUE(log.Contains("\n   - Masterbuttons: 1 - Cloned buttons: 1 - Total working buttons: 2 - Current layer 5.\n"));
    EXPECT_FALSE(log.Contains("still has"));
    EXPECT_TRUE(log.Contains(" . [IButton] Interfaz deleted.\n"));
    EXPECT_EQ(Veltrano.tileCount, tilesBefore);
}

TEST_F(ButtonClonesTest, LayersHideOthersAndLimitVisibilityFlags) {
    IButton->SetLayer(2);
    EXPECT_EQ(IButton->GetLayer(), 2);
    for (int layer = 0; layer < 8; ++layer) EXPECT_EQ(IButton->GetLayerVisibility(layer), layer == 2 ? 1 : 0);
    IButton->SetLayerVisibility(5, 9);
    EXPECT_EQ(IButton->GetLayerVisibility(5), 1);
    IButton->SetLayerVisibility(5, -3);
    EXPECT_EQ(IButton->GetLayerVisibility(5), 0);
    EXPECT_EQ(IButton->GetLayerVisibility(8), -1);
    IButton->SetLayer(8);
    EXPECT_EQ(IButton->GetLayer(), 2);
}
