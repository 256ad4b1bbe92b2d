// The video, audio and surface information dumps.
#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"
#include "veltrano.h"

using testing_support::LogCapture;
using testing_support::SdkSession;

TEST(VideoInfo, DescribesDriverScreenAndConversionCounters) {
    SdkSession session;
    ASSERT_TRUE(session.Started());
    Veltrano.Config.resolutionx = 160;
    Veltrano.Config.resolutiony = 120;
    Veltrano.Config.colordepth = 16;
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    LogCapture log;
    Veltrano.VideoInfo();
    const std::string text = log.Text();
    EXPECT_EQ(text.rfind("\n . Video subsystem info:\n   . Renderer: dummy\n     -> Video memory: ", 0), 0u) << text;
    EXPECT_NE(text.find("     -> Hardware surfaces: no\n     -> Hardware color fill: no\n"), std::string::npos);
    EXPECT_NE(text.find("     -> Hardware alpha blending blits: no\n"), std::string::npos);
    EXPECT_NE(text.find("\n   . Main screen surface info:\n     -> Resolution: 160 x 120 with 16 bits.\n"
                        "     -> Surface is stored on system memory(RAM) and window screen\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n   . Stats:\n     -> Surface to Texture conversions: at loading time 0 and at running "
                        "time 0\n\n"),
              std::string::npos);
}

TEST(AudioInfo, SaysWhatIsNotStarted) {
    {
        LogCapture log;
        Veltrano.AudioInfo();
        EXPECT_EQ(log.Text(), "\n . Audio subsystem info: Veltrano was not initiated.\n");
    }
    SdkSession session(0);
    ASSERT_TRUE(session.Started());
    LogCapture log;
    Veltrano.AudioInfo();
    EXPECT_EQ(log.Text(), "\n . Audio subsystem info: Audio subsystem was not initiated.\n");
}

TEST(SurfaceInfo, DescribesFormatAlphaAndColorKey) {
    SDL_Surface* surface = SDL_CreateRGBSurface(0, 10, 6, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    ASSERT_NE(surface, nullptr);
    SDL_SetColorKey(surface, SDL_SRCCOLORKEY, SDL_MapRGB(surface->format, 255, 0, 255));
    SDL_SetAlpha(surface, SDL_SRCALPHA, 128);
    SDL_SetClipRect(surface, nullptr);
    LogCapture log;
    Veltrano.SurfaceInfo(surface);
    const std::string text = log.Text();
    EXPECT_NE(text.find("   -> Flags: SDL_SWSURFACE SDL_SRCCOLORKEY SDL_SRCALPHA \n"), std::string::npos) << text;
    EXPECT_NE(text.find("   -> Width: 10 - Height: 6 - Pitch: 40\n"), std::string::npos);
    EXPECT_NE(text.find("   -> Alpha blending: per-surface (128) - Colorkey: RGB(255,0,255)\n"), std::string::npos);
    EXPECT_NE(text.find("   -> Palette: 0 - Bits(per each pixel): 32\n"), std::string::npos);
    EXPECT_NE(text.find("   -> Mask[16711680,65280,255,0] - Shift[16,8,0,0]\n"), std::string::npos);
    EXPECT_NE(text.find("   -> Loss[0,0,0,8] - Refcount: 1\n"), std::string::npos);
    EXPECT_NE(text.find("   -> ClipRegion (0,0) - (10,6)\n   -> Lock: 0 - FormatV: "), std::string::npos);
    SDL_FreeSurface(surface);

    SDL_Surface* paletted = SDL_CreateRGBSurface(0, 4, 4, 8, 0, 0, 0, 0);
    SDL_SetColorKey(paletted, SDL_SRCCOLORKEY, 7);
    log.Clear();
    Veltrano.SurfaceInfo(paletted);
    EXPECT_TRUE(log.Contains("   -> Alpha blending: disabled - Colorkey: palette color number 7\n"));
    EXPECT_TRUE(log.Contains("   -> Palette: 256 - Bits(per each pixel): 8\n"));
    SDL_FreeSurface(paletted);

    SDL_Surface* perPixel = SDL_CreateRGBSurface(SDL_SRCALPHA, 2, 2, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    log.Clear();
    Veltrano.SurfaceInfo(perPixel);
    EXPECT_TRUE(log.Contains("   -> Alpha blending: per-pixel - Colorkey: disabled\n"));
    SDL_FreeSurface(perPixel);

    log.Clear();
    Veltrano.SurfaceInfo(nullptr);  // a header, nothing to read
    EXPECT_EQ(log.Text(), "\n . Surface(0x0) info:\n");
}
