// The software cursor: hot spots, clip region, smoothing, slots, colour
// keys, background save and restore, and calls it must survive.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "veltrano.h"
#include "veltrano_testing.h"

using testing_support::LogCapture;
using testing_support::ManualClock;
using testing_support::SdkSession;
using testing_support::TempDir;

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

SDL_Surface* SolidSurface(int w, int h, Uint8 r, Uint8 g, Uint8 b) {
    SDL_Surface* surface = SDL_CreateRGBSurface(0, w, h, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, r, g, b));
    return surface;
}

Uint32 PixelAt(SDL_Surface* surface, int x, int y) {
    SDL_LockSurface(surface);
    Uint32 value = static_cast<Uint32*>(surface->pixels)[y * surface->pitch / 4 + x];
    SDL_UnlockSurface(surface);
    return value & 0xFFFFFF;
}

std::vector<Uint32> Snapshot(SDL_Surface* surface) {
    std::vector<Uint32> pixels;
    for (int y = 0; y < surface->h; ++y)
        for (int x = 0; x < surface->w; ++x) pixels.push_back(PixelAt(surface, x, y));
    return pixels;
}

// A 32-bit screen on the headless driver with an initialised cursor, both
// rates unlimited: every Update pass runs a logic frame and renders.
class CursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.Started());
        Veltrano.Config.resolutionx = kWidth;
        Veltrano.Config.resolutiony = kHeight;
        Veltrano.Config.colordepth = 32;
        ASSERT_EQ(Veltrano.SetVideoMode(), 1);
        ITimeSystem->Init(0);
        ICursor->Init();
        ICursor->SetSmooth(0);
        PaintPattern();
    }
    // Every pixel different, so a misplaced restore shows.
    void PaintPattern() {
        SDL_Surface* screen = Veltrano.screen;
        SDL_LockSurface(screen);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                static_cast<Uint32*>(screen->pixels)[y * screen->pitch / 4 + x] =
                    static_cast<Uint32>((x * 7 + y * 13) << 8 | (x ^ y));
        SDL_UnlockSurface(screen);
    }
    // The mouse moves to (x, y) and one frame runs.
    void MoveAndRender(int x, int y) {
        SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
        Veltrano.Update(nullptr);
    }
    char GreenCursor(int size = 16, char type = 0) {
        SDL_Surface* image = SolidSurface(size, size, 0, 255, 0);
        const char slot = ICursor->Create(image, type);
        SDL_FreeSurface(image);
        return slot;
    }
    // Where the green cursor's top-left corner is, found on the screen.
    SDL_Rect FindGreen() {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (PixelAt(Veltrano.screen, x, y) == 0x00FF00) return SDL_Rect{Sint16(x), Sint16(y), 0, 0};
        return SDL_Rect{-1000, -1000, 0, 0};
    }

    SdkSession session;
};

}  // namespace

TEST_F(CursorTest, HotSpotTypesPlaceTheImage) {
    const char slot = GreenCursor(16, 4);
    ASSERT_EQ(slot, 0);
    ICursor->Select(slot);
    MoveAndRender(100, 50);
    SDL_Rect at = FindGreen();
    EXPECT_EQ(at.x, 92);
    EXPECT_EQ(at.y, 42);

    const struct {
        char type;
        int x, y;
    } expected[] = {{3, 84, 34}, {0, 100, 50}, {1, 84, 50}, {2, 100, 34}, {9, 92, 42}, {-3, 100, 50}};
    for (const auto& e : expected) {
        ICursor->ChangeType(slot, e.type);
        Veltrano.Update(nullptr);
        at = FindGreen();
        EXPECT_EQ(at.x, e.x) << "type " << int(e.type);
        EXPECT_EQ(at.y, e.y) << "type " << int(e.type);
    }
}

TEST_F(CursorTest, ClipRegionLimitsTheCoreMousePosition) {
    ICursor->Select(GreenCursor());
    ICursor->ClipRegion(10, 10, 200, 100);
    MoveAndRender(300, 5);
    EXPECT_EQ(Veltrano.mouseX, 200);
    EXPECT_EQ(Veltrano.mouseY, 10);
    SDL_Rect at = FindGreen();
    EXPECT_EQ(at.x, 200);
    EXPECT_EQ(at.y, 10);
    LogCapture log;
    ICursor->Info();
    EXPECT_TRUE(log.Contains("      -> Current cursor: '0' - Visible mode - Clip region: (10,10) to (210,110)\n"));
}

TEST_F(CursorTest, SmoothingDrawsBetweenTheLastTwoLogicFrames) {
    ManualClock clock(1000);
    ITimeSystem->Init(0);
    ITimeSystem->SetRate(0, 50);
    Veltrano.CleanUp();
    ICursor->SetSmooth(1);
    ICursor->Select(GreenCursor(4));
    SDL_WarpMouse(0, 0);
    // Run until a logic frame has seen the mouse at 0,0.
    clock.Advance(20);
    for (int i = 0; i < 4; ++i) Veltrano.Update(nullptr);
    ASSERT_EQ(Veltrano.mouseX, 0);
    SDL_WarpMouse(100, 0);
    clock.Advance(20);  // one logic frame: the mouse goes from 0 to 100
    for (int i = 0; i < 3; ++i) Veltrano.Update(nullptr);
    ASSERT_EQ(Veltrano.mouseX, 100);
    clock.Advance(10);  // half a logic frame more
    Veltrano.Update(nullptr);
    Veltrano.Update(nullptr);
    const float t = Veltrano.GetLogicTime();
    const float f = t - std::floor(t);
    ASSERT_GT(f, 0.3f);
    ASSERT_LT(f, 0.7f);
    EXPECT_EQ(FindGreen().x, static_cast<int>(std::floor(f * 100.0f)));
}

TEST_F(CursorTest, ThirtyTwoSlotsLowestFreeFirst) {
    for (int i = 0; i < 32; ++i) ASSERT_EQ(GreenCursor(2), i);
    EXPECT_EQ(GreenCursor(2), -1);
    ICursor->Delete(3);
    EXPECT_EQ(GreenCursor(2), 3);
    ICursor->Delete(40);
    ICursor->Delete(-1);
    EXPECT_EQ(GreenCursor(2), -1);
}

TEST_F(CursorTest, TopLeftPixelOfABmpBecomesItsColorKey) {
    TempDir dir;
    SDL_Surface* image = SDL_CreateRGBSurface(0, 8, 8, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(image, nullptr, SDL_MapRGB(image->format, 255, 0, 255));
    SDL_Rect bar{0, 3, 8, 2};
    SDL_FillRect(image, &bar, SDL_MapRGB(image->format, 255, 255, 255));
    const std::string file = dir.file("arrow.bmp");
    ASSERT_EQ(SDL_SaveBMP(image, file.c_str()), 0);
    SDL_FreeSurface(image);

    const char slot = ICursor->Create(file.c_str(), 0);
    ASSERT_GE(slot, 0);
    SDL_FillRect(Veltrano.screen, nullptr, SDL_MapRGB(Veltrano.screen->format, 0, 0, 255));
    ICursor->Select(slot);
    MoveAndRender(40, 40);
    EXPECT_EQ(PixelAt(Veltrano.screen, 41, 41), 0x0000FFu);  // magenta left out
    EXPECT_EQ(PixelAt(Veltrano.screen, 41, 43), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(Veltrano.screen, 47, 44), 0xFFFFFFu);
}

TEST_F(CursorTest, SelectAndChangeTypeRules) {
    const char first = GreenCursor();
    const char second = GreenCursor(8);
    ICursor->Select(first);
    MoveAndRender(60, 60);
    LogCapture log;
    ICursor->Select(first);  // already current: nothing
    ICursor->ChangeType(first, 0);  // same type: nothing
    ICursor->Hide();
    Veltrano.Update(nullptr);
    EXPECT_EQ(FindGreen().x, -1000);  // hidden and taken off
    ICursor->ChangeType(first, 2);  // shows it again
    Veltrano.Update(nullptr);
    EXPECT_EQ(FindGreen().x, 60);
    EXPECT_EQ(FindGreen().y, 44);
    ICursor->Select(second);
    Veltrano.Update(nullptr);
    EXPECT_EQ(FindGreen().y, 60);
}

TEST_F(CursorTest, StillCursorIsRedrawnOnlyAfterSomethingTookItOff) {
    const std::vector<Uint32> pattern = Snapshot(Veltrano.screen);
    ICursor->Select(GreenCursor());
    MoveAndRender(50, 50);
    ASSERT_EQ(FindGreen().x, 50);
    // Painting past the SDK erases the cursor; a still cursor is not redrawn.
    SDL_Rect cover{40, 40, 40, 40};
    SDL_FillRect(Veltrano.screen, &cover, 0x123456);
    Veltrano.Update(nullptr);
    EXPECT_EQ(PixelAt(Veltrano.screen, 55, 55), 0x123456u);
    // A blit through the SDK that touches the cursor takes it off first and
    // makes the next render draw it again.
    SDL_Surface* red = SolidSurface(4, 4, 255, 0, 0);
    SDL_Rect at{48, 48, 0, 0};
    Veltrano.Blit(red, nullptr, Veltrano.screen, &at);
    EXPECT_EQ(PixelAt(Veltrano.screen, 55, 55), pattern[55 * kWidth + 55]);  // the saved background
    Veltrano.Update(nullptr);
    EXPECT_EQ(PixelAt(Veltrano.screen, 55, 55), 0x00FF00u);
    // A blit that ends one pixel before the cursor does not touch it.
    SDL_Rect before{46, 60, 0, 0};
    Veltrano.Blit(red, nullptr, Veltrano.screen, &before);
    EXPECT_EQ(PixelAt(Veltrano.screen, 50, 50), 0x00FF00u);
    SDL_Rect touching{47, 60, 0, 0};
    Veltrano.Blit(red, nullptr, Veltrano.screen, &touching);
    EXPECT_NE(PixelAt(Veltrano.screen, 52, 52), 0x00FF00u);
    SDL_FreeSurface(red);
}

TEST_F(CursorTest, SaveAndRestoreLeaveTheScreenExactlyAsItWas) {
    const std::vector<Uint32> pattern = Snapshot(Veltrano.screen);
    const char slot = GreenCursor(16, 3);
    ICursor->Select(slot);
    // Centre, the top-left corner (image partly above and left of the
    // screen), the bottom-right corner (partly past it).
    const struct {
        char type;
        int x, y;
    } places[] = {{4, 160, 120}, {3, 5, 5}, {0, 312, 236}, {4, 0, 239}};
    for (const auto& place : places) {
        ICursor->ChangeType(slot, place.type);
        MoveAndRender(place.x, place.y);
        EXPECT_NE(Snapshot(Veltrano.screen), pattern);
        MoveAndRender(150, 100);
        MoveAndRender(place.x, place.y);
        // A box drawn over the cursor between frames, then removed again.
        IPrimitives->BoxColor(Veltrano.screen, static_cast<short>(place.x - 3), static_cast<short>(place.y - 3),
                              static_cast<short>(place.x + 3), static_cast<short>(place.y + 3),
                              pattern[place.y * kWidth + place.x]);
        ICursor->Hide();
        std::vector<Uint32> now = Snapshot(Veltrano.screen);
        // The box painted one colour; put the pattern back there before comparing.
        for (int y = place.y - 3; y < place.y + 3; ++y)
            for (int x = place.x - 3; x < place.x + 3; ++x)
                if (x >= 0 && y >= 0 && x < kWidth && y < kHeight) now[y * kWidth + x] = pattern[y * kWidth + x];
        int differing = 0;
        for (size_t i = 0; i < now.size(); ++i)
            if (now[i] != pattern[i] && differing++ < 5)
                ADD_FAILURE() << "pixel " << i % kWidth << "," << i / kWidth << " is " << now[i] << " not "
                              << pattern[i] << " (cursor at " << place.x << "," << place.y << ")";
        EXPECT_EQ(differing, 0);
        PaintPattern();  // the cursor is hidden: nothing of it is on the screen
        ICursor->Show();
    }
}

TEST_F(CursorTest, DeletingTheCurrentCursorTakesItOffAndDrawsNothing) {
    const std::vector<Uint32> pattern = Snapshot(Veltrano.screen);
    const char first = GreenCursor();
    const char second = GreenCursor(8);
    ICursor->Select(first);
    MoveAndRender(30, 30);
    ICursor->Delete(first);
    EXPECT_EQ(Snapshot(Veltrano.screen), pattern);
    SDL_Rect at{25, 25, 0, 0};
    SDL_Surface* red = SolidSurface(10, 10, 255, 0, 0);
    Veltrano.Blit(red, nullptr, Veltrano.screen, &at);
    SDL_FreeSurface(red);
    MoveAndRender(80, 80);
    EXPECT_EQ(FindGreen().x, -1000);
    ICursor->Select(second);
    Veltrano.Update(nullptr);
    EXPECT_EQ(FindGreen().x, 80);
}

TEST_F(CursorTest, InfoDescribesEveryLoadedCursor) {
    GreenCursor();
    SDL_Surface* keyed = SolidSurface(8, 4, 255, 0, 255);
    SDL_SetColorKey(keyed, SDL_SRCCOLORKEY, SDL_MapRGB(keyed->format, 255, 0, 255));
    ICursor->Create(keyed, 4);
    SDL_FreeSurface(keyed);
    ICursor->Delete(0);
    LogCapture log;
    ICursor->Info();
    EXPECT_EQ(log.Text(),
              "\n . Cursor interface information:\n"
              "      -> Number of loaded cursors: 1 - Auto Restore: on - Smooth movement: off\n"
              "      -> Current cursor: '-1' - Hidden mode - Clip region: (0,0) to (320,240)\n"
              "\n      -> Cursor '0' details:\n"
              "          + Surface of 0 Kb located at system memory\n"
              "          + Cursor size: 8x4 - Type: Center - Color depth: 32bits\n"
              "          + Alpha blending: disabled - Colorkey: RGB(255,0,255)\n"
              "\n");
}

TEST(CursorBadInput, RefusesWithoutChangingAnything) {
    SdkSession session;
    ASSERT_TRUE(session.Started());
    LogCapture log;
    SDL_Surface* image = SolidSurface(4, 4, 1, 2, 3);
    EXPECT_EQ(ICursor->Create(image, 0), -1);
    EXPECT_TRUE(log.Contains("] Error: ICursor was not initialized.\n"));
    EXPECT_EQ(ICursor->Create("cursor.png", 0), -1);
    EXPECT_TRUE(log.Contains(" . [ICursor->Create('cursor.png',0)] Error: ICursor was not initialized.\n"));
    EXPECT_EQ(ICursor->Load("a.dpf", "arrow", 1), -1);
    EXPECT_TRUE(log.Contains(" . [ICursor->Load('a.dpf','arrow',1)] Error: ICursor was not initialized.\n"));
    ICursor->Init();
    EXPECT_TRUE(log.Contains(" . [ICursor->Init()] Error: Veltrano.screen was not initialized.\n"));
    ICursor->Select(0);
    ICursor->Show();
    ICursor->Info();
    EXPECT_TRUE(log.Contains("\n . Cursor interface information: not initialized.\n"));

    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    ICursor->Init();
    EXPECT_EQ(ICursor->Create(static_cast<SDL_Surface*>(nullptr), 0), -1);
    EXPECT_EQ(ICursor->Create(static_cast<const char*>(nullptr), 0), -1);
    log.Clear();
    EXPECT_EQ(ICursor->Create("no-such-file.png", 0), -1);
    EXPECT_TRUE(log.Contains(" . [ICursor->Create('no-such-file.png',0)] Error: it was not possible to load the "
                             "given image file.\n"));
    TempDir dir;
    testing_support::WriteFile(dir.file("text.png"), "not an image at all");
    EXPECT_EQ(ICursor->Create(dir.file("text.png").c_str(), 0), -1);
    EXPECT_EQ(ICursor->Load(0, "arrow", 0), -1);
    EXPECT_EQ(ICursor->Load(-4, "arrow", 0), -1);
    EXPECT_EQ(ICursor->Load(dir.file("missing.dpf").c_str(), "arrow", 0), -1);
    EXPECT_EQ(ICursor->Load(dir.file("missing.dpf").c_str(), nullptr, 0), -1);
    ICursor->Select(-1);
    ICursor->Select(32);
    ICursor->Select(5);
    ICursor->ChangeType(77, 2);
    ICursor->Delete(-100);
    Veltrano.Update(nullptr);
    EXPECT_EQ(ICursor->Create(image, 0), 0);  // nothing above took a slot
    SDL_FreeSurface(image);
}

TEST_F(CursorTest, ScriptedMouseMovesDrawTheCursorWhereTheyLead) {
    ICursor->Select(GreenCursor());
    VeltranoTesting::MoveMouse(100, 50);
    VeltranoTesting::MoveMouse(30, 200);
    for (int i = 0; i < 2; ++i) Veltrano.Update(nullptr);
    const SDL_Rect at = FindGreen();
    EXPECT_EQ(at.x, 30);
    EXPECT_EQ(at.y, 200);
    VeltranoTesting::ClearInput();
}
