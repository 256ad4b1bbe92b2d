// A real window on the x11 back-end: the frame loop draws, flips, and the
// X server shows what was drawn. The test command runs an Xvfb display.
#include <gtest/gtest.h>

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <memory>

#include "support/test_support.h"
#include "veltrano.h"

using testing_support::SdkSession;

namespace {

int framesDrawn = 0;

// Left half blue, right half yellow, a green square that moves each frame.
void DrawFrame(int) {
    SDL_Surface* screen = Veltrano.screen;
    SDL_Rect left{0, 0, 320, 480};
    SDL_Rect right{320, 0, 320, 480};
    SDL_FillRect(screen, &left, SDL_MapRGB(screen->format, 0, 0, 255));
    SDL_FillRect(screen, &right, SDL_MapRGB(screen->format, 255, 255, 0));
    SDL_Rect square{static_cast<Sint16>(100 + framesDrawn * 10), 200, 40, 40};
    SDL_FillRect(screen, &square, SDL_MapRGB(screen->format, 0, 255, 0));
    ++framesDrawn;
}

// The colour the X server holds at a point of the window.
void WindowPixel(int x, int y, int* r, int* g, int* b) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_EQ(SDL_GetWMInfo(&info), 1);
    info.info.x11.lock_func();
    XSync(info.info.x11.display, False);
    XImage* image = XGetImage(info.info.x11.display, info.info.x11.window, x, y, 1, 1, AllPlanes, ZPixmap);
    info.info.x11.unlock_func();
    ASSERT_NE(image, nullptr);
    const unsigned long pixel = XGetPixel(image, 0, 0);
    auto channel = [](unsigned long value, unsigned long mask) {
        int shift = 0;
        while (mask != 0 && !(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        return static_cast<int>(((value >> shift) & mask) * 255 / (mask ? mask : 1));
    };
    *r = channel(pixel, image->red_mask);
    *g = channel(pixel, image->green_mask);
    *b = channel(pixel, image->blue_mask);
    XDestroyImage(image);
}

void ScreenPixel(int x, int y, Uint8* r, Uint8* g, Uint8* b) {
    SDL_Surface* screen = Veltrano.screen;
    SDL_LockSurface(screen);
    const int bpp = screen->format->BytesPerPixel;
    const Uint8* at = static_cast<Uint8*>(screen->pixels) + y * screen->pitch + x * bpp;
    Uint32 value = 0;
    memcpy(&value, at, bpp);
    SDL_UnlockSurface(screen);
    SDL_GetRGB(value, screen->format, r, g, b);
}

}  // namespace

TEST(Window, FrameLoopDrawsIntoARealX11Window) {
    if (std::getenv("DISPLAY") == nullptr) {
        if (std::getenv("VELTRANO_REQUIRE_DISPLAY") != nullptr) FAIL() << "the test command's X display is missing";
        GTEST_SKIP() << "no X display";
    }
    setenv("SDL_VIDEODRIVER", "x11", 1);
    // An X server may refuse connections for a moment (while it starts or
    // resets): try a few times before calling the display missing.
    std::unique_ptr<SdkSession> session;
    for (int attempt = 0; attempt < 20 && session == nullptr; ++attempt) {
        session = std::make_unique<SdkSession>();
        if (!session->Started()) {
            session.reset();
            SDL_Delay(100);
        }
    }
    ASSERT_NE(session, nullptr) << "the X display cannot be opened: " << SDL_GetError();
    ASSERT_EQ(Veltrano.SetVideoMode(), 1);
    EXPECT_EQ(Veltrano.Config.renderer, 8);  // SDL chose x11: recorded
    ASSERT_EQ(Veltrano.screen->w, 640);
    ASSERT_EQ(Veltrano.screen->h, 480);

    ITimeSystem->Init(0);
    framesDrawn = 0;
    Veltrano.SetRenderCallback(DrawFrame);
    for (int pass = 0; pass < 5; ++pass) Veltrano.Update(nullptr);
    Veltrano.SetRenderCallback(nullptr);
    ASSERT_EQ(framesDrawn, 5);
    EXPECT_EQ(ITimeSystem->GetRenderedFrames(), 5);

    Uint8 r, g, b;
    ScreenPixel(10, 10, &r, &g, &b);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 255);
    int xr, xg, xb;
    WindowPixel(10, 10, &xr, &xg, &xb);
    EXPECT_EQ(xr, 0);
    EXPECT_EQ(xg, 0);
    EXPECT_EQ(xb, 255);
    WindowPixel(600, 400, &xr, &xg, &xb);
    EXPECT_EQ(xr, 255);
    EXPECT_EQ(xg, 255);
    EXPECT_EQ(xb, 0);
    // The square of the last frame (drawn at x = 140), not of the first.
    WindowPixel(150, 210, &xr, &xg, &xb);
    EXPECT_EQ(xg, 255);
    EXPECT_EQ(xb, 0);
    WindowPixel(105, 210, &xr, &xg, &xb);
    EXPECT_EQ(xb, 255);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
}
