// Clones: slaves share their master's sheet, keep their own records, and
// report (instead of touching freed memory) once the master is gone.
#include "Veltrano_CSprite.h"
#include "Veltrano_Main.h"
#include "sprites/sprite_test_helpers.h"

namespace {

using namespace sprite_test;

class SpriteCloneTest : public SpriteTest {
protected:
    void SetUp() override {
        SpriteTest::SetUp();
        sheet = SheetSurface(4, 4, {2, 3}, 24, tile_test::kRGB24);
    }
    void TearDown() override {
        SDL_FreeSurface(sheet);
        SpriteTest::TearDown();
    }
    SDL_Surface* sheet = nullptr;
};

TEST_F(SpriteCloneTest, ASlaveSharesTheSheetAndCopiesTheRecords) {
    Veltrano_CSprite master;
    ASSERT_EQ(master.Create(sheet, "hero", 4, 4), 2);
    master.SetAlpha(120);
    Veltrano_CSprite slave;
    EXPECT_EQ(slave.Clone(nullptr), 0);
    ASSERT_EQ(slave.Clone(&master), 2);
    EXPECT_EQ(slave.GetSurface(), master.GetSurface());
    EXPECT_STREQ(slave.GetName(), "hero");
    EXPECT_EQ(slave.GetAlpha(), 120);
    EXPECT_EQ(slave.GetColorKey(), master.GetColorKey());
    int w = 0, h = 0;
    slave.GetOffset(&w, &h);
    EXPECT_EQ(w, 4);
    const std::vector<AnimSummary> anims = Animations(slave, log);
    ASSERT_EQ(anims.size(), 2u);
    EXPECT_EQ(anims[1].frameCount, 3);
    EXPECT_TRUE(log.Text().empty());
    master.Info();
    EXPECT_TRUE(log.Contains("Sprite type: Master"));
    log.Clear();
    slave.Info();
    EXPECT_TRUE(log.Contains("Sprite type: Slave"));

    // A slave's own alpha goes onto the sheet they share.
    slave.SetAlpha(40);
    EXPECT_EQ(master.GetSurface()->format->alpha, 40);
    EXPECT_EQ(master.GetAlpha(), 120);
}

TEST_F(SpriteCloneTest, ASlaveSelectsItsOwnAnimation) {
    Veltrano_CSprite master, slave;
    ASSERT_EQ(master.Create(sheet, "hero", 4, 4), 2);
    ASSERT_EQ(slave.Clone(&master), 2);
    slave.SelectAnim(0x8001);
    slave.SetAnimProperties(2, SPRITE_ANIM_PINGPONG, KEEP_VALUE, 1, 2, KEEP_VALUE, KEEP_VALUE);
    EXPECT_EQ(slave.GetAnim(), 0x8001);
    EXPECT_EQ(master.GetAnim(), 0x8000);
    unsigned short type = 0, state = 0, frames = 0, start = 0, end = 0;
    short hotSpotX = 0, hotSpotY = 0;
    master.GetAnimProperties(2, &type, &state, &frames, &hotSpotX, &hotSpotY, &start, &end);
    EXPECT_EQ(type, SPRITE_ANIM_LOOP);
    EXPECT_EQ(hotSpotX, 0);
}

TEST_F(SpriteCloneTest, ClonesOfClonesAndOfExistingSpritesAreRefused) {
    Veltrano_CSprite master, slave, third;
    ASSERT_EQ(master.Create(sheet, "hero", 4, 4), 2);
    ASSERT_EQ(slave.Clone(&master), 2);
    EXPECT_EQ(third.Clone(&slave), 0);
    EXPECT_TRUE(log.Contains(" . [CSprite::Clone()] Warning: the given sprite is already a clone. You can only clone a "
                             "master sprite.\n"));
    EXPECT_EQ(slave.Clone(&master), 0);
    EXPECT_TRUE(log.Contains(
        " . [CSprite::Clone()] Warning: sprite already exists. It is not possible to create another one.\n"));
    Veltrano_CSprite empty;
    EXPECT_EQ(third.Clone(&empty), 0);
    EXPECT_EQ(third.GetAlpha(), -1);
}

// Deleting the master first is the game's mistake; its slaves say so and
// refuse, and can still be deleted safely.
TEST_F(SpriteCloneTest, SlavesOfADeletedMasterReportAndRefuse) {
    auto* master = new Veltrano_CSprite;
    ASSERT_EQ(master->Create(sheet, "hero", 4, 4), 2);
    auto* slave = new Veltrano_CSprite;
    Veltrano_CSprite survivor;
    ASSERT_EQ(slave->Clone(master), 2);
    ASSERT_EQ(survivor.Clone(master), 2);
    delete master;
    log.Clear();
    EXPECT_EQ(slave->GetSurface(), nullptr);
    EXPECT_TRUE(
        log.Contains(" . [CSprite::GetSurface()] Error: the master of sprite 'hero' was deleted or cleaned.\n"));
    EXPECT_EQ(slave->Save("sprites.dpf", "SPR2"), 0);
    slave->SetAlpha(10);
    slave->SetColorKey(1, 2, 3);
    slave->Info();
    EXPECT_TRUE(log.Contains(" . [CSprite::Info()] Error: the master of sprite 'hero' was deleted or cleaned.\n"));
    EXPECT_EQ(slave->GetAlpha(), 255);
    delete slave;
    EXPECT_EQ(survivor.GetSurface(), nullptr);
}

TEST_F(SpriteCloneTest, CleaningAMasterTellsItsSlavesAndASlaveLeavesTheSheetAlone) {
    Veltrano_CSprite master, slave, other;
    ASSERT_EQ(master.Create(sheet, "hero", 4, 4), 2);
    ASSERT_EQ(slave.Clone(&master), 2);
    ASSERT_EQ(other.Clone(&master), 2);
    SDL_Surface* shared = master.GetSurface();
    slave.Clean();
    EXPECT_EQ(slave.GetAlpha(), -1);
    EXPECT_EQ(master.GetSurface(), shared);
    EXPECT_EQ(FirstPixelDifference(shared, sheet), "");
    // The cleaned slave is no longer on the master's list; a new clone is.
    ASSERT_EQ(slave.Clone(&master), 2);
    master.Clean();
    EXPECT_EQ(other.GetSurface(), nullptr);
    EXPECT_EQ(slave.GetSurface(), nullptr);
    // Made again, the master has new slaves, not the old ones.
    ASSERT_EQ(master.Create(sheet, "hero", 4, 4), 2);
    EXPECT_EQ(other.GetSurface(), nullptr);
}

TEST_F(SpriteCloneTest, TheLiveCountFollowsMastersAndSlaves) {
    const int before = Veltrano.spriteCount;
    {
        Veltrano_CSprite master;
        ASSERT_EQ(master.Create(sheet, "hero", 4, 4), 2);
        Veltrano_CSprite slave;
        ASSERT_EQ(slave.Clone(&master), 2);
        EXPECT_EQ(Veltrano.spriteCount, before + 2);
    }
    EXPECT_EQ(Veltrano.spriteCount, before);
}

}  // namespace
