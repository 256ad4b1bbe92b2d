// A software cursor stand-in that records what drawing asks of it; it takes
// the place of the registered one for its lifetime.
#ifndef VELTRANO_TESTS_SUPPORT_FAKE_SCREEN_CURSOR_H
#define VELTRANO_TESTS_SUPPORT_FAKE_SCREEN_CURSOR_H

#include <string>
#include <vector>

#include "core/hooks.h"

namespace testing_support {

class FakeScreenCursor final : public hooks::ScreenCursor {
public:
    explicit FakeScreenCursor(bool takesOff = true) : takesOff_(takesOff), previous_(hooks::CurrentScreenCursor()) {
        hooks::SetScreenCursor(this);
    }
    ~FakeScreenCursor() { hooks::SetScreenCursor(previous_); }
    FakeScreenCursor(const FakeScreenCursor&) = delete;
    FakeScreenCursor& operator=(const FakeScreenCursor&) = delete;

    bool TakeOff(SDL_Rect* area) override {
        calls.push_back(area != nullptr ? "off" : "off-anywhere");
        if (area != nullptr) lastArea = *area;
        return takesOff_;
    }
    void PutBack() override { calls.push_back("back"); }

    std::vector<std::string> calls;
    SDL_Rect lastArea{};

private:
    bool takesOff_;
    hooks::ScreenCursor* previous_;
};

}  // namespace testing_support

#endif
