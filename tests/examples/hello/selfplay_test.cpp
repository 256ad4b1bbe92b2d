// The hello demo's self-playing run, checked from outside: the run is made
// once (it plays every screen through scripted input, headless), then each
// case checks part of what it left in the demo's folder: the screenshots,
// the log, the settings the options screen wrote and the high-score table.
#include <gtest/gtest.h>
#include <unistd.h>

#include <veltrano.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kFolder = HELLO_DIR;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

unsigned ReadBigEndian(const std::string& bytes, size_t at) {
    unsigned value = 0;
    for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The size a PNG file declares, after checking its signature, its header
// chunk and its end chunk; {0, 0} when any is missing.
std::pair<unsigned, unsigned> PngSize(const fs::path& path) {
    const std::string bytes = ReadText(path);
    static const char kSignature[] = "\x89PNG\r\n\x1a\n";
    if (bytes.size() < 57 || bytes.compare(0, 8, kSignature, 8) != 0 || bytes.compare(12, 4, "IHDR") != 0 ||
        bytes.compare(bytes.size() - 8, 4, "IEND") != 0)
        return {0, 0};
    return {ReadBigEndian(bytes, 16), ReadBigEndian(bytes, 20)};
}

class HelloSelfPlay : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::error_code ignored;
        for (const char* output : {"shots", "hello.png", "hello-setup.xml", "hello-scores.xml", "hello.out"})
            fs::remove_all(kFolder / output, ignored);
        const std::string command = "cd '" + kFolder.string() + "' && '" HELLO_PROGRAM "' > hello.out 2>&1";
        exitStatus = std::system(command.c_str());
        log = ReadText(kFolder / "hello.out");
        Veltrano.Init(0);  // for the SDK's XML and configuration readers
    }
    static void TearDownTestSuite() { Veltrano.Quit(); }

    static int exitStatus;
    static std::string log;
};
int HelloSelfPlay::exitStatus = -1;
std::string HelloSelfPlay::log;

TEST_F(HelloSelfPlay, RunsThroughAndSavesItsLastFrame) {
    EXPECT_EQ(exitStatus, 0) << log;
    EXPECT_NE(log.find("Loaded 'greeting.txt' (30 bytes): Hello from inside assets.dpf!"), std::string::npos)
        << "the protected archive was not read";
    EXPECT_EQ(log.find("did not finish in time"), std::string::npos);
    EXPECT_NE(log.find("Timer information"), std::string::npos);
    EXPECT_EQ(PngSize(kFolder / "hello.png"), std::make_pair(800u, 600u));
}

TEST_F(HelloSelfPlay, AssetsAreProtectedByAPassword) {
    const int assets = IStuffDPF->Open((kFolder / "assets.dpf").string().c_str());
    ASSERT_GT(assets, 0);
    EXPECT_EQ(IStuffDPF->IsProtected(), 1);
    DPF_BlockData block = {};
    EXPECT_EQ(IStuffDPF->LoadBlock(assets, "FILE", "level1.xml", &block), 0) << "read without the password";
    IStuffDPF->Close(assets);
    EXPECT_FALSE(fs::exists(kFolder / "assets-plain.dpf")) << "an unprotected copy is left beside the game";
}

TEST_F(HelloSelfPlay, VisitsEveryScreenAndPlaysTheGame) {
    for (const char* line : {" . Screen: intro", " . Screen: title", " . Screen: options", " . Screen: play",
                             " . Screen: two players", " . Screen: high scores", " . Coin collected: score 10",
                             " . Player hit by a blob", " . Two players: hosting on port",
                             " . Settings written to hello-setup.xml", " . High scores written to hello-scores.xml"})
        EXPECT_NE(log.find(line), std::string::npos) << "missing from the log: " << line;
    // Accepted reports: the second player's moves crossed the network and
    // passed the server's check; an honest client has none refused.
    int accepted = 0, refused = -1;
    const size_t counts = log.find("reports accepted");
    ASSERT_NE(counts, std::string::npos);
    const size_t line = log.rfind(" . Two players: ", counts);
    EXPECT_EQ(std::sscanf(log.c_str() + line, " . Two players: %d reports accepted, %d refused", &accepted, &refused), 2);
    EXPECT_GT(accepted, 10);
    EXPECT_EQ(refused, 0);
}

TEST_F(HelloSelfPlay, SavesAScreenshotOfEachScreen) {
    // The options change the resolution: the shots after them are larger.
    const std::vector<std::pair<const char*, unsigned>> shots = {
        {"01-intro.png", 640},  {"02-title.png", 640},   {"03-options.png", 640},    {"04-play.png", 800},
        {"05-console.png", 800}, {"06-enemy-hit.png", 800}, {"07-scores.png", 800}, {"08-two-players.png", 800}};
    for (const auto& [name, width] : shots) {
        const fs::path path = kFolder / "shots" / name;
        ASSERT_TRUE(fs::exists(path)) << path;
        EXPECT_EQ(PngSize(path), std::make_pair(width, width * 3 / 4)) << path;
        SDL_Surface* decoded = IImage->LoadPNG(path.string().c_str());
        EXPECT_NE(decoded, nullptr) << path << " does not decode";
        if (decoded != nullptr) SDL_FreeSurface(decoded);
    }
}

TEST_F(HelloSelfPlay, OptionsWroteSettingsThatReadBack) {
    sConfig config = Veltrano.Config;
    ASSERT_EQ(Veltrano.LoadConfig(nullptr, (kFolder / "hello-setup.xml").string().c_str(), &config), 1);
    EXPECT_EQ(config.resolutionx, 800);
    EXPECT_EQ(config.resolutiony, 600);
    EXPECT_EQ(config.window, 1);
    EXPECT_EQ(config.musicVolume, 7 * 255 / 10);  // the sliders the run clicked
    EXPECT_EQ(config.soundVolume, 4 * 255 / 10);
}

TEST_F(HelloSelfPlay, HighScoreTableHoldsBothGames) {
    const int doc = Veltrano.XMLOpen((kFolder / "hello-scores.xml").string().c_str());
    ASSERT_NE(doc, 0);
    int entries = 0, best = 0, previous = 1 << 30;
    if (Veltrano.XMLNodePointTo(doc, 2, "scores", "entry") == 1) do {
            int score = -1;
            EXPECT_EQ(Veltrano.XMLAttributeGet(doc, "score", &score), 1);
            EXPECT_LE(score, previous) << "the table is not sorted";
            previous = score;
            best = std::max(best, score);
            ++entries;
        } while (Veltrano.XMLNodeNext(doc) == 1);
    Veltrano.XMLClose(doc);
    EXPECT_EQ(entries, 2);  // the one-player and the two-player game
    EXPECT_GE(best, 10);    // a coin was collected
}

// A machine with no audio device (what `./dev.sh demo` meets on a server):
// the game runs silent and still shows every screen, the intro included.
// It runs in a folder of its own so the run above keeps its results.
TEST(HelloWithoutSound, StillShowsEveryScreen) {
    const fs::path folder = fs::temp_directory_path() / ("hello-without-sound-" + std::to_string(getpid()));
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder);
    for (const char* file : {"assets.dpf", "intro.mpg"}) fs::copy_file(kFolder / file, folder / file);
    const std::string command = "cd '" + folder.string() + "' && SDL_AUDIODRIVER=no-such-driver '" HELLO_PROGRAM
                                "' > hello.out 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    const std::string log = ReadText(folder / "hello.out");
    EXPECT_NE(log.find("No sound: no audio device"), std::string::npos) << log;
    EXPECT_EQ(log.find("The intro film could not be played"), std::string::npos) << log;
    size_t shots = 0;
    for (const auto& entry : fs::directory_iterator(folder / "shots", ignored)) shots += PngSize(entry.path()).first > 0;
    EXPECT_EQ(shots, 8u);
    fs::remove_all(folder, ignored);
}

}  // namespace
