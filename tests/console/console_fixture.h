// A 640 x 480 screen with the developer windows made, a manual clock, keys
// pressed through SDL's key state array and the console's text at hand.
#ifndef VELTRANO_TESTS_CONSOLE_FIXTURE_H
#define VELTRANO_TESTS_CONSOLE_FIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/console.h"
#include "console/debug_window.h"
#include "support/test_support.h"
#include "veltrano.h"
#include "veltrano_testing.h"

namespace console_test {

class ConsoleFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.Started());
        ITimeSystem->Init(0);
        Veltrano.CleanUp();  // key report times of earlier tests would hold keys back
        Veltrano.Config.resolutionx = 640;
        Veltrano.Config.resolutiony = 480;
        ASSERT_EQ(Veltrano.SetVideoMode(), 1);
        SDL_Event pending;
        while (SDL_PollEvent(&pending)) {
        }
        keys = SDL_GetKeyState(nullptr);
        ReleaseKeys();
    }
    void TearDown() override {
        VeltranoTesting::ClearInput();
        ReleaseKeys();
    }

    void ReleaseKeys() {
        int count = 0;
        SDL_GetKeyState(&count);
        for (int i = 0; i < count; ++i) keys[i] = 0;
        SDL_SetModState(KMOD_NONE);
    }

    // Enabled and shown at once (features bit 2 for the show only).
    void OpenConsole() {
        Veltrano.ConEnable();
        Veltrano.ConFeatures(4);
        Veltrano.ConSetVisible(1);
        Veltrano.ConFeatures(4);
    }

    // One Update pass with the key held, long after the key's last report.
    void Press(int key, SDLMod modifiers = KMOD_NONE) {
        SDL_SetModState(modifiers);
        keys[key] = 1;
        clock.Advance(1000);
        Veltrano.Update(nullptr);
        keys[key] = 0;
        SDL_SetModState(KMOD_NONE);
    }

    // Lower-case letters, digits, blanks and the punctuation keys type themselves.
    void Type(const std::string& text) {
        for (char c : text) Press(static_cast<unsigned char>(c));
    }
    void Enter(const std::string& text) {
        Type(text);
        Press(SDLK_RETURN);
    }

    cConsole& Console() { return *cConsole::Active(); }
    cDebugWO& Debug() { return *cDebugWO::Active(); }
    std::string Input() { return Console().Input(); }

    // The lines printed since the call before.
    std::vector<std::string> NewLines() {
        const std::vector<std::string>& all = Console().Lines();
        std::vector<std::string> fresh(all.begin() + static_cast<long>(std::min(seen, all.size())), all.end());
        seen = all.size();
        return fresh;
    }

    testing_support::SdkSession session;
    testing_support::ManualClock clock{100000};
    Uint8* keys = nullptr;
    std::size_t seen = 0;
};

using Lines = std::vector<std::string>;

}  // namespace console_test

#endif
