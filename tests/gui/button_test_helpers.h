// Shared fixture and helpers of the widget tests: a 320x240 screen whose
// every Update pass runs one logic frame and one render, a manual clock and
// mouse, and widgets stored in an archive of the test's own folder.
#ifndef VELTRANO_TESTS_OBJECTS_BUTTON_TEST_HELPERS_H
#define VELTRANO_TESTS_OBJECTS_BUTTON_TEST_HELPERS_H

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "veltrano.h"
#include "veltrano_testing.h"

namespace button_test {

// Colours of the pictures a stored widget gets (0xRRGGBB).
constexpr uint32_t kNormalColor = 0x2040C0;
constexpr uint32_t kPressedColor = 0xC04020;
constexpr uint32_t kOffColor = 0x808080;
constexpr uint32_t kSelectedColor = 0x20C040;

// Mouse state the logic frame reads instead of SDL's, while alive.
class ManualMouse {
public:
    ManualMouse();
    ~ManualMouse();
    void MoveTo(int x, int y);
    void SetButtons(uint8_t buttons);
};

// Sizes of a stored widget's pictures; the pressed picture is the knob of
// a slider.
struct PictureSizes {
    int w = 40, h = 20;
    int pressedW = 0, pressedH = 0;  // 0: as the normal picture
};

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Stores the TILB2 pictures a type needs (name + "_n", "_p", "_o" and
    // "_s" for complex buttons) in the test archive.
    void StorePictures(const std::string& name, int type, PictureSizes sizes = {});
    void StorePicture(const std::string& blockName, int w, int h, uint32_t rgb);
    // A description of the type at (x, y) with nothing else set.
    static IButtonNew Desc(int type, int x = 0, int y = 0);
    // Stores the pictures and creates the widget from them; its id.
    int Make(const std::string& name, int type, int x, int y, PictureSizes sizes = {}, unsigned char master = 0);
    int Make(const std::string& name, const IButtonNew& desc, PictureSizes sizes = {}, unsigned char master = 0);
    // Clears the screen and asks for a render, so the next frame draws.
    void Repaint();
    // One pass of the core's loop: a logic frame, then a render that calls
    // IButton->Draw; the draw's result.
    int Frame();
    // Frames with the mouse at (x, y) and the buttons pressed, then released.
    void Click(int x, int y, uint8_t buttons = SDL_BUTTON_LMASK);
    void PressKey(int key, bool down);
    uint32_t ScreenRgb(int x, int y);

    std::string archivePath;
    int dpf = 0;
    testing_support::TempDir dir{true};
    testing_support::LogCapture log{5};
    testing_support::SdkSession session;
    testing_support::ManualClock clock{10000};
    ManualMouse mouse;
};

// A font cut from the font tests' generated image; false when it fails.
bool MakeFont(Veltrano_CFont& font);

// Counts callback calls and records what the widget's state was.
struct CallbackLog {
    int calls = 0;
    int stateAtCall = -1;
    int watchedId = 0;
};
void RecordCall(void* log, void* unused);

}  // namespace button_test

#endif
