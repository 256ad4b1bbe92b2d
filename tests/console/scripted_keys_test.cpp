// The console opened, typed into and closed by the testing aid's scripted
// keys, through the core's normal event pass.
#include "console_fixture.h"
#include "veltrano_testing.h"

namespace console_test {
namespace {

class ScriptedConsoleTest : public ConsoleFixture {
protected:
    void TearDown() override {
        VeltranoTesting::ClearInput();
        ConsoleFixture::TearDown();
    }
    void Tap(SDLKey key, SDLMod modifiers = KMOD_NONE) {
        VeltranoTesting::TapKey(key, modifiers);
        Veltrano.Update(nullptr);
        Veltrano.Update(nullptr);
    }
};

TEST_F(ScriptedConsoleTest, BackquoteOpensAndClosesItAndTypedKeysReachTheCommandLine) {
    Veltrano.ConEnable();
    Veltrano.ConFeatures(4);
    Tap(SDLK_BACKQUOTE);
    EXPECT_EQ(Veltrano.ConisVisible(), 1);
    Tap(SDLK_h);
    Tap(SDLK_i, KMOD_LSHIFT);
    EXPECT_EQ(Input(), ">hI");
    Tap(SDLK_BACKQUOTE, KMOD_RSHIFT);
    EXPECT_EQ(Veltrano.ConisVisible(), 1);
    Tap(SDLK_BACKQUOTE);
    EXPECT_EQ(Veltrano.ConisVisible(), 0);
}

}  // namespace
}  // namespace console_test
