// An SDK session with a 32-bit screen for the film tests, and a frame
// callback that records what it is handed.
#ifndef VELTRANO_TESTS_MEDIA_VIDEO_TEST_FIXTURE_H
#define VELTRANO_TESTS_MEDIA_VIDEO_TEST_FIXTURE_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "veltrano.h"

namespace video_test {

inline std::string Film(const char* name) {
    return std::string(std::getenv("VELTRANO_SOURCE_DIR")) + "/tests/data/media/" + name;
}

// A sum over every pixel, to tell frames apart.
inline Uint32 Checksum(SDL_Surface* s) {
    Uint32 sum = 0;
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) sum = sum * 31 + static_cast<const Uint32*>(s->pixels)[y * s->pitch / 4 + x];
    SDL_UnlockSurface(s);
    return sum;
}

inline Uint32 PixelAt(SDL_Surface* s, int x, int y) {
    SDL_LockSurface(s);
    const Uint32 p = static_cast<const Uint32*>(s->pixels)[y * s->pitch / 4 + x];
    SDL_UnlockSurface(s);
    return p;
}

// What the callback saw, frame by frame.
struct Seen {
    int key;
    int w, h;          // the surface's size
    SDL_Rect position;
    Uint32 pixel;      // at (8, 8) of the frame
    Uint32 checksum;
};

struct Recorder {
    std::vector<Seen> frames;
    int stopAfter = 0;                // return 0 on this call (0 = never)
    int pushAfter = 0;                // push pushEvent on this call
    SDL_Event pushEvent{};

    static Recorder& Get() {
        static Recorder recorder;
        return recorder;
    }
    static int Callback(int key, SDL_Surface* frame, SDL_Rect* position) {
        Recorder& r = Get();
        r.frames.push_back({key, frame->w, frame->h, *position, PixelAt(frame, 8, 8), Checksum(frame)});
        const int calls = static_cast<int>(r.frames.size());
        if (calls == r.pushAfter) SDL_PushEvent(&r.pushEvent);
        return calls == r.stopAfter ? 0 : 1;
    }
};

class VideoTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.Started());
        Veltrano.Config.resolutionx = 320;
        Veltrano.Config.resolutiony = 240;
        Veltrano.Config.colordepth = 32;
        Veltrano.Config.window = 1;
        ASSERT_EQ(Veltrano.SetVideoMode(), 1);
        Recorder::Get() = Recorder();
        IVideo->SetFunction(Recorder::Callback);
        SDL_FillRect(Veltrano.screen, nullptr, 0);
    }
    static std::vector<Seen>& Frames() { return Recorder::Get().frames; }

    testing_support::SdkSession session;
    testing_support::LogCapture log;
};

}  // namespace video_test

#endif
