// Opening the screen: back-end choice, depth and flag rules, the warnings
// about what SDL gave, failures, and the surface operations around it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/test_support.h"
#include "veltrano.h"

using testing_support::LogCapture;
using testing_support::SdkSession;

namespace {

const std::string kPrefix = " . [Veltrano.SetVideoMode()] ";
const std::string k24bppWarning = kPrefix + "Warning: failed attempt to set a 24bpp video mode.\n   It was changed to 32bpp.\n";
const std::string kDesktopDepthWarning =
    kPrefix + "Warning: running on window mode using different color depth of your desktop will slow down the application.\n";

class VideoModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.Started());
        // A back-end test may have pointed SDL at a driver that does not exist.
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        Veltrano.Config.resolutionx = 320;
        Veltrano.Config.resolutiony = 200;
    }
    void TearDown() override { setenv("SDL_VIDEODRIVER", "dummy", 1); }

    SdkSession session;
    LogCapture log;
};

}  // namespace

TEST(VideoModeWithoutVideo, RefusesWhenSdlVideoIsNotStarted) {
    SdkSession session(SDL_INIT_TIMER);
    ASSERT_TRUE(session.Started());
    LogCapture log;
    EXPECT_EQ(Veltrano.SetVideoMode(), 0);
    EXPECT_EQ(log.Text(), kPrefix + "Error: SDL_INIT_VIDEO was not initialized.\n");
    EXPECT_EQ(Veltrano.screen, nullptr);
}

TEST_F(VideoModeTest, AutomaticRendererKeepsSdlsDriverAndDesktopDepth) {
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    ASSERT_NE(Veltrano.screen, nullptr);
    EXPECT_EQ(Veltrano.screen->w, 320);
    EXPECT_EQ(Veltrano.screen->h, 200);
    EXPECT_EQ(Veltrano.Config.renderer, 1);  // "dummy" is none of the known back-ends
    EXPECT_EQ(Veltrano.Config.colordepth, 0);
    EXPECT_EQ(Veltrano.IsGL(), 0);
    EXPECT_EQ(Veltrano.surfaceLossCheck, 0);
    EXPECT_EQ(log.Text(), "");
}

TEST_F(VideoModeTest, DepthRules) {
    for (unsigned char window : {0, 1, 2}) {
        Veltrano.Config.window = window;
        Veltrano.Config.colordepth = 24;
        log.Clear();
        ASSERT_EQ(Veltrano.SetVideoMode(), 1);
        EXPECT_EQ(Veltrano.Config.colordepth, 32) << "window " << int(window);
        EXPECT_TRUE(log.Contains(k24bppWarning));
    }
    // Full screen with the desktop's depth asks for 32 bits; a window keeps 0.
    Veltrano.Config.window = 0;
    Veltrano.Config.colordepth = 0;
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    EXPECT_EQ(Veltrano.Config.colordepth, 32);
    EXPECT_EQ(Veltrano.screen->format->BitsPerPixel, 32);
    Veltrano.Config.window = 1;
    Veltrano.Config.colordepth = 0;
    log.Clear();
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    EXPECT_EQ(Veltrano.Config.colordepth, 0);
    EXPECT_FALSE(log.Contains(kDesktopDepthWarning));

    // A window at another depth than the desktop's is slow: warned.
    const int desktop = SDL_GetVideoInfo()->vfmt->BitsPerPixel;
    Veltrano.Config.colordepth = desktop == 16 ? 32 : 16;
    log.Clear();
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    EXPECT_TRUE(log.Contains(kDesktopDepthWarning));
}

TEST_F(VideoModeTest, ObtainedFlagsAreComparedWithTheRequest) {
    // The dummy driver has no hardware surfaces and no double buffer.
    Veltrano.Config.accel = 2;
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    EXPECT_TRUE(log.Contains(kPrefix + "Warning: running on software mode instead of your requested hardware mode.\n"));
    EXPECT_TRUE(log.Contains(kPrefix + "Warning: using a single-buffer instead of your requested double-buffer.\n"));
    EXPECT_EQ(Veltrano.IsRenderNeeded(), 0);

    Veltrano.Config.accel = 3;
    log.Clear();
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    EXPECT_TRUE(log.Contains("instead of your requested hardware mode"));
    EXPECT_FALSE(log.Contains("single-buffer"));

    Veltrano.Config.accel = 1;
    Veltrano.Config.window = 0;
    log.Clear();
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    EXPECT_TRUE(Veltrano.screen->flags & SDL_FULLSCREEN);
    EXPECT_FALSE(log.Contains("instead of your requested"));
}

TEST_F(VideoModeTest, ExplicitRendererRestartsVideo) {
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    Veltrano.Config.renderer = 8;  // x11: no environment change, SDL keeps the harness's driver
    log.Clear();
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    EXPECT_EQ(Veltrano.Config.renderer, 8);
    EXPECT_NE(Veltrano.screen, nullptr);
    EXPECT_EQ(log.Text(), "");
}

TEST_F(VideoModeTest, BackEndsMissingFromSdlFailAndLeaveNoScreen) {
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    ASSERT_NE(Veltrano.screen, nullptr);
    const struct {
        unsigned char renderer;
        const char* driver;
    } missing[] = {{2, "windib"}, {4, "directx"}, {64, "glSDL"}};
    for (const auto& backend : missing) {
        Veltrano.Config.renderer = backend.renderer;
        Veltrano.Config.colordepth = 16;
        log.Clear();
        EXPECT_EQ(Veltrano.SetVideoMode(), 0);
        // The screen SDL freed on restart is not left behind.
        EXPECT_EQ(Veltrano.screen, nullptr);
        EXPECT_STREQ(getenv("SDL_VIDEODRIVER"), backend.driver);
        EXPECT_TRUE(log.Contains(kPrefix + "Info: setting '" + backend.driver + "' backend for Win32\n"));
        EXPECT_TRUE(log.Contains(kPrefix + "Error: could not initialize SDL video system (" +
                                 std::to_string(backend.renderer) + ") ("));
        EXPECT_EQ(Veltrano.IsGL(), 0);
        EXPECT_EQ(Veltrano.Config.colordepth, 16);  // the call stopped before the depth rules
        EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
        // Video stays down until the game starts it again.
        log.Clear();
        EXPECT_EQ(Veltrano.SetVideoMode(), 0);
        EXPECT_TRUE(log.Contains(kPrefix + "Error: SDL_INIT_VIDEO was not initialized.\n"));
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    }
}

TEST_F(VideoModeTest, ImpossibleModeFailsWithSdlsReason) {
    Veltrano.Config.colordepth = 7;
    Veltrano.Config.resolutionx = 0;
    Veltrano.Config.resolutiony = 0;
    // SDL may or may not accept this mode; whichever way, the result and the
    // screen agree and a refusal is logged.
    const int result = Veltrano.SetVideoMode();
    EXPECT_EQ(result == 1, Veltrano.screen != nullptr);
    if (result == 0) {
        EXPECT_TRUE(log.Contains(kPrefix + "Error: Couldn't set video mode 0x0 with 7bpp: "));
    }
}

TEST_F(VideoModeTest, FreeSurfaceAndBlit) {
    SDL_Surface* nothing = nullptr;
    Veltrano.FreeSurface(nothing);
    EXPECT_EQ(nothing, nullptr);
    EXPECT_EQ(log.Text(), " . [Veltrano.FreeSurface()] Warning: an attempt to free a null surface was detected and avoided.\n");

    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    SDL_Surface* red = SDL_CreateRGBSurface(0, 8, 8, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(red, nullptr, 0xFF0000);
    SDL_Rect at{10, 20, 0, 0};
    EXPECT_EQ(Veltrano.Blit(red, nullptr, Veltrano.screen, &at), 0);
    Uint8 r, g, b;
    SDL_LockSurface(Veltrano.screen);
    const Uint8* row = static_cast<Uint8*>(Veltrano.screen->pixels) + 20 * Veltrano.screen->pitch;
    Uint32 pixel = 0;
    const int bpp = Veltrano.screen->format->BytesPerPixel;
    memcpy(&pixel, row + 10 * bpp, bpp);
    SDL_UnlockSurface(Veltrano.screen);
    SDL_GetRGB(pixel, Veltrano.screen->format, &r, &g, &b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);

    SDL_Surface* other = SDL_CreateRGBSurface(0, 8, 8, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    EXPECT_EQ(Veltrano.Blit(red, nullptr, other, nullptr), 0);
    EXPECT_EQ(Veltrano.Blit(nullptr, nullptr, other, nullptr), -1);
    Veltrano.FreeSurface(red);
    EXPECT_EQ(red, nullptr);
    SDL_FreeSurface(other);
}

TEST_F(VideoModeTest, TexturesAreNeverMadeWithoutOpenGl) {
    SDL_Surface* surface = SDL_CreateRGBSurface(0, 4, 4, 16, 0xF800, 0x7E0, 0x1F, 0);
    EXPECT_EQ(Veltrano.IsGL(), 0);
    EXPECT_EQ(Veltrano.IsTexture(surface), 0);
    EXPECT_EQ(Veltrano.Surface2Texture(surface), 0);
    EXPECT_EQ(Veltrano.SurfaceAutomaticConversion(0), 1);
    EXPECT_EQ(Veltrano.SurfaceAutomaticConversion(1), 1);
    Veltrano.VideoInfo();
    EXPECT_TRUE(log.Contains("     -> Surface to Texture conversions: at loading time 0 and at running time 0\n"));
    SDL_FreeSurface(surface);
}
