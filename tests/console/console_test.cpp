// The command console: construction, showing and fading, the command line's
// keys and history, command execution and the built-in commands, and the
// keys of the testing aid reaching it through the normal event pass.
#include "console_fixture.h"

#include <thread>

#include "Veltrano_CFont.h"

namespace console_test {
namespace {

int gameCalls = 0;
std::vector<std::string> gameWords;

int GameCommand(std::vector<std::string>* words) {
    ++gameCalls;
    gameWords = *words;
    Veltrano.ConPrint(" spawned %s", words->size() > 1 ? (*words)[1].c_str() : "nothing");
    return words->size() > 1 ? 1 : 0;
}

using ConsoleTest = ConsoleFixture;

TEST(ConsoleWithoutScreen, EveryCallIsHarmlessAndGettersGiveTheirEmptyValues) {
    testing_support::SdkSession session;
    Veltrano.ConPrint("%s", "nothing to print to");
    Veltrano.ConCmd("help");
    Veltrano.ConSetVisible(1);
    EXPECT_EQ(Veltrano.ConGetAlpha(), 255);
    EXPECT_EQ(Veltrano.DwGetAlpha(), 255);
    EXPECT_EQ(Veltrano.ConGetRect(), nullptr);
    EXPECT_EQ(Veltrano.ConGetFont(), nullptr);
    EXPECT_EQ(Veltrano.ConisEnabled(), 0);
    EXPECT_EQ(Veltrano.ConFeatures(1), 0);
    EXPECT_EQ(Veltrano.ConAddCmdHandler("spawn", "Spawn", GameCommand), 0);
    int value = 0;
    EXPECT_EQ(Veltrano.DwAddWatch("value", &value, nullptr), 0);
}

TEST_F(ConsoleTest, IsMadeDisabledHiddenAndBlueOverTheTopThirdWithTheBuiltinFont) {
    const SDL_Rect rect = *Veltrano.ConGetRect();
    EXPECT_EQ(rect.x, 0);
    EXPECT_EQ(rect.y, 0);
    EXPECT_EQ(rect.w, 640);
    EXPECT_EQ(rect.h, 160);
    EXPECT_EQ(Veltrano.ConisEnabled(), 0);
    EXPECT_EQ(Veltrano.ConisVisible(), 0);
    EXPECT_EQ(Veltrano.ConGetAlpha(), 128);
    EXPECT_EQ(Veltrano.ConGetBgColor(), SDL_MapRGB(Veltrano.screen->format, 0, 0, 192));
    ASSERT_NE(Veltrano.ConGetFont(), nullptr);
    EXPECT_STREQ(Veltrano.ConGetFont()->GetName(), "KOVA builtin font");
    EXPECT_EQ(Veltrano.ConGetFont()->GetCursorChar(), '_');
    EXPECT_EQ(Veltrano.fontCount, 2);  // the console's and the debug window's

    // Setters wait for ConEnable; the title does not.
    Veltrano.ConMove(10, 10);
    Veltrano.ConTitle("Game console");
    EXPECT_EQ(Veltrano.ConGetRect()->x, 0);
    Veltrano.ConEnable();
    Veltrano.ConEnable();
    EXPECT_EQ(Console().Lines(), (Lines{"Game console", "", "Game console", ""}));
}

TEST_F(ConsoleTest, FadesInAndOutOverASecondAndOnlyOneFadeRunsAtATime) {
    Veltrano.ConEnable();
    Veltrano.ConSetVisible(1);
    EXPECT_EQ(Veltrano.ConisVisible(), 33);
    Veltrano.Update(nullptr);  // the fade starts on this step
    clock.Advance(1000);
    Veltrano.Update(nullptr);
    EXPECT_EQ(Veltrano.ConisVisible(), 33) << "ends only after more than a second";
    Veltrano.ConSetVisible(0);
    EXPECT_EQ(Veltrano.ConisVisible(), 33) << "ignored during a fade";
    clock.Advance(1);
    Veltrano.Update(nullptr);
    EXPECT_EQ(Veltrano.ConisVisible(), 1);
    Veltrano.ConSetVisible(1);
    EXPECT_EQ(Veltrano.ConisVisible(), 1);

    Veltrano.ConSetVisible(0);
    EXPECT_EQ(Veltrano.ConisVisible(), 223);
    Veltrano.Update(nullptr);
    Veltrano.ConFeatures(4);  // immediate, even while fading
    Veltrano.ConSetVisible(1);
    EXPECT_EQ(Veltrano.ConisVisible(), 1);
    Veltrano.ConSetVisible(0);
    EXPECT_EQ(Veltrano.ConisVisible(), 0);
}

TEST_F(ConsoleTest, BackquoteTogglesUnlessShiftOrFeatureBitZero) {
    Veltrano.ConEnable();
    Veltrano.ConFeatures(4);
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_BACKQUOTE;
    auto send = [&](SDLMod modifiers) {
        key.key.keysym.mod = modifiers;
        ASSERT_EQ(SDL_PushEvent(&key), 0);
        SDL_Event got;
        Veltrano.Update(&got);
    };
    send(KMOD_NONE);
    EXPECT_EQ(Veltrano.ConisVisible(), 1);
    send(KMOD_LSHIFT);
    EXPECT_EQ(Veltrano.ConisVisible(), 1);
    Veltrano.ConFeatures(1);
    send(KMOD_NONE);
    EXPECT_EQ(Veltrano.ConisVisible(), 1);
    Veltrano.ConFeatures(1);
    send(KMOD_NONE);
    EXPECT_EQ(Veltrano.ConisVisible(), 0);
}

TEST_F(ConsoleTest, ScriptedKeysOfTheTestingAidToggleItAndReachTheCommandLine) {
    Veltrano.ConEnable();
    Veltrano.ConFeatures(4);
    auto tap = [](SDLKey key) {
        VeltranoTesting::TapKey(key);
        Veltrano.Update(nullptr);
        Veltrano.Update(nullptr);
    };
    tap(SDLK_BACKQUOTE);
    EXPECT_EQ(Veltrano.ConisVisible(), 1);
    tap(SDLK_h);
    tap(SDLK_i);
    EXPECT_EQ(Input(), ">hi");
    tap(SDLK_BACKQUOTE);
    EXPECT_EQ(Veltrano.ConisVisible(), 0);
}

TEST_F(ConsoleTest, EditingKeysMoveTheCursorInsertAndDelete) {
    OpenConsole();
    Type("ac");
    Press(SDLK_LEFT);
    Press('b');  // inserted at the cursor
    EXPECT_EQ(Input(), ">abc");
    Press(SDLK_HOME);
    Press(SDLK_LEFT);  // stays after the prompt
    Press(SDLK_DELETE);
    EXPECT_EQ(Input(), ">bc");
    Press(SDLK_END);
    Press(SDLK_BACKSPACE);
    EXPECT_EQ(Input(), ">b");
    EXPECT_EQ(Console().Cursor(), 2);
    Press('5', KMOD_LSHIFT);  // '%' types nothing
    Press('`');
    Press(SDLK_F1);  // no name
    Press('a', KMOD_LSHIFT);
    EXPECT_EQ(Input(), ">bA");
}

TEST_F(ConsoleTest, ReturnEchoesRunsAndRemembersTheLineButNotABarePrompt) {
    OpenConsole();
    NewLines();
    Press(SDLK_RETURN);
    EXPECT_TRUE(NewLines().empty());
    Enter("  ");
    EXPECT_EQ(NewLines(), (Lines{"  ", " Syntax error or command not found", ""}));
    Enter("con alpha 10");
    EXPECT_EQ(NewLines(), (Lines{"con alpha 10", " New alpha value 64 set", ""}));
    Veltrano.ConCmd("con alpha 300");
    EXPECT_EQ(NewLines(), (Lines{" New alpha value 255 set", ""}));
    EXPECT_EQ(Console().History(), (Lines{"  ", "con alpha 10"}));
    EXPECT_EQ(Input(), ">");
}

TEST_F(ConsoleTest, UpAndDownWalkTheHistory) {
    OpenConsole();
    Enter("a1");
    Enter("b2");
    Enter("c3");
    Press(SDLK_DOWN);
    EXPECT_EQ(Input(), ">");
    Press(SDLK_UP);
    EXPECT_EQ(Input(), ">c3");
    Press(SDLK_UP);
    EXPECT_EQ(Input(), ">b2");
    EXPECT_EQ(Console().Cursor(), 3);
    Press(SDLK_DOWN);
    EXPECT_EQ(Input(), ">c3");
    Press(SDLK_DOWN);
    EXPECT_EQ(Input(), ">");
    for (int i = 0; i < 5; ++i) Press(SDLK_UP);
    EXPECT_EQ(Input(), ">a1") << "stops at the oldest";
}

TEST_F(ConsoleTest, AFullLineGrowsByTheRoomLeftInPixelsAndNeverOverflows) {
    OpenConsole();
    Veltrano.ConResize(150, -1);
    const int capacity = Console().Capacity();
    ASSERT_GE(capacity, 1);
    for (int i = 0; i < 200; ++i) Press('i');
    EXPECT_LE(static_cast<int>(Input().size()), Console().Capacity());
    EXPECT_GT(Console().Capacity(), capacity) << "narrow letters fit past the M count";
    EXPECT_LT(Veltrano.ConGetFont()->StringWidth(Input().c_str()), 150);
}

TEST_F(ConsoleTest, CommandsRunByExactFirstWordWithTheirArguments) {
    OpenConsole();
    EXPECT_EQ(Veltrano.ConAddCmdHandler("spawn", "Spawn a monster", GameCommand), 1);
    EXPECT_EQ(Veltrano.ConAddCmdHandler("spawn", "again", GameCommand), 0);
    EXPECT_EQ(Veltrano.ConAddCmdHandler("help", "again", GameCommand), 0);
    EXPECT_EQ(Veltrano.ConAddCmdHandler(nullptr, "x", GameCommand), 0);
    EXPECT_EQ(Veltrano.ConAddCmdHandler("x", "x", nullptr), 0);
    NewLines();
    Veltrano.ConCmd("spawn   orc\t3");
    EXPECT_EQ(gameWords, (Lines{"spawn", "orc", "3"}));
    EXPECT_EQ(NewLines(), (Lines{" spawned orc", ""}));
    Veltrano.ConCmd("spawn");  // the handler's output, then the syntax error
    EXPECT_EQ(NewLines(), (Lines{" spawned nothing", " Syntax error or command not found", ""}));
    Veltrano.ConCmd("Spawn orc");
    Veltrano.ConCmd("");
    Veltrano.ConCmd(nullptr);
    EXPECT_EQ(NewLines(), (Lines{" Syntax error or command not found", "", " Syntax error or command not found", ""}));
    Veltrano.ConCmd("help");
    const Lines help = NewLines();
    ASSERT_EQ(help.size(), 5u);
    EXPECT_EQ(help[0], " spawn - Spawn a monster");
    EXPECT_EQ(help[1], " debug - Debug window control commands");
    EXPECT_EQ(help[3], " help - List all registered commands");

    ASSERT_EQ(Veltrano.SetVideoMode(), 1);  // a new console forgets the game's commands
    OpenConsole();
    seen = 0;
    gameCalls = 0;
    Veltrano.ConCmd("spawn orc");
    EXPECT_EQ(gameCalls, 0);
    EXPECT_EQ(NewLines().back(), "");
}

TEST_F(ConsoleTest, ConParametersReportWhatTheWindowKept) {
    OpenConsole();
    NewLines();
    Veltrano.ConCmd("con features 5");
    Veltrano.ConCmd("con features");
    EXPECT_EQ(NewLines(), (Lines{" New features 101 set", "", " Current features: 101", ""}));
    Veltrano.ConCmd("con features 0");
    EXPECT_EQ(NewLines()[0], " New features 0 set");
    EXPECT_EQ(Veltrano.ConFeatures(1), 1);
    EXPECT_EQ(Veltrano.ConFeatures(1), 0);
    EXPECT_EQ(Veltrano.ConFeatures(-1), 0);

    Veltrano.ConCmd("con move 100 900");
    Veltrano.ConCmd("con resize 10000 50");
    Veltrano.ConCmd("con move -5 -5");
    Veltrano.ConCmd("con resize 0x80 banana");
    EXPECT_EQ(NewLines(), (Lines{" New position (0,320) set", "", " New size (640x160) set", "",
                                 " New position (0,320) set", "", " New size (640x160) set", ""}));
    Veltrano.ConCmd("con color 300 -4 x");
    EXPECT_EQ(Veltrano.ConGetBgColor(), SDL_MapRGB(Veltrano.screen->format, 255, 0, 0));
    EXPECT_EQ(NewLines(), (Lines{" New background color (255,0,0) set", ""}));
    for (const char* refused : {"con history", "con history save", "con save", "con nonsense"}) {
        Veltrano.ConCmd(refused);
        EXPECT_EQ(NewLines().front(), " Syntax error or command not found") << refused;
    }
    Veltrano.ConCmd("con");
    EXPECT_EQ(NewLines().size(), 11u);
}

TEST_F(ConsoleTest, SavesTextAndHistoryAndReportsAFileThatDoesNotOpen) {
    testing_support::TempDir dir;
    OpenConsole();
    Enter("con clear");
    Enter("help");
    Veltrano.ConCmd(("con history save " + dir.file("history.txt")).c_str());
    EXPECT_EQ(testing_support::ReadFile(dir.file("history.txt")), "con clear\nhelp\n");
    Veltrano.ConCmd(("con save " + dir.file("text.txt")).c_str());
    const std::string text = testing_support::ReadFile(dir.file("text.txt"));
    EXPECT_EQ(text.rfind(" Console for Veltrano SDK initialized\n", 0), 0u) << text;
    NewLines();
    Veltrano.ConCmd(("con save " + dir.file("missing/text.txt")).c_str());
    const Lines failed = NewLines();
    EXPECT_NE(failed[0].find("[Console] Error"), std::string::npos) << failed[0];
    Veltrano.ConCmd("con history clear");
    EXPECT_TRUE(Console().History().empty());
}

TEST_F(ConsoleTest, PrintsLongLinesAndLinesFromOtherThreadsOnTheNextFrame) {
    OpenConsole();
    NewLines();
    const std::string huge(100000, 'x');
    Veltrano.ConPrint("%s|%2$d", huge.c_str(), 7);
    EXPECT_EQ(NewLines(), (Lines{huge + "|7"}));
    std::thread([] { Veltrano.ConPrint("from %s", "the network"); }).join();
    EXPECT_TRUE(NewLines().empty());
    Veltrano.Update(nullptr);
    EXPECT_EQ(NewLines(), (Lines{"from the network"}));
    Veltrano.ConDisable();
    Veltrano.ConPrint("dropped");
    EXPECT_TRUE(NewLines().empty());
}

TEST_F(ConsoleTest, LogOutputSixteenReachesTheConsole) {
    OpenConsole();
    NewLines();
    testing_support::TempDir dir;
    ILogSystem.Init(dir.file("log.txt").c_str(), 2 | 16, 5, "t", nullptr, nullptr, nullptr);
    NewLines();
    ILogSystem.Msg(0, "hello %d", 5);
    ILogSystem.Init(nullptr, 0, 0, "", nullptr, nullptr, nullptr);
    EXPECT_EQ(NewLines().front(), "hello 5");
}

TEST_F(ConsoleTest, AFailedFontLoadKeepsTheFontAndAMissingImageKeepsTheBackground) {
    OpenConsole();
    Veltrano_CFont* font = Veltrano.ConGetFont();
    SDL_Surface* background = Veltrano.ConGetBgImage();
    Veltrano.ConSetFont("no-such-archive.dpf", "font");
    Veltrano.ConSetFont(12345, nullptr);
    Veltrano.ConSetBgImage("no-such-archive.dpf", "image");
    Veltrano.ConSetBgImage(-1, nullptr);
    EXPECT_EQ(Veltrano.ConGetFont(), font);
    EXPECT_EQ(Veltrano.ConGetBgImage(), background);
    Veltrano.Update(nullptr);  // still draws
}

}  // namespace
}  // namespace console_test
