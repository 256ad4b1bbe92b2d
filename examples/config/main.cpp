// Settings a player can edit: the first run writes "setup.xml" with
// SaveConfig, every run reads it back with LoadConfig. Then a small XML
// document of the game's own is saved into an archive and read back.
#include <veltrano.h>

#include <cstdio>

namespace {

const char kSetupFile[] = "setup.xml";

void LoadOrWriteSettings() {
    if (Veltrano.LoadConfig(nullptr, kSetupFile, nullptr) == 1) {
        std::printf("Read the settings from %s\n", kSetupFile);
        return;
    }
    // No file yet (or one the loader refused): write the defaults for the player.
    if (Veltrano.SaveConfig(nullptr, kSetupFile, nullptr) == 1)
        std::printf("Wrote the default settings to %s\n", kSetupFile);
}

void PrintSettings(const sConfig& c) {
    std::printf("Screen %dx%d, window mode %d, colour depth %d\n", c.resolutionx, c.resolutiony, c.window,
                c.colordepth);
    std::printf("Audio %s at %d Hz, music volume %d, sound volume %d\n", c.audioEnable ? "on" : "off",
                c.audioFrequency, c.musicVolume, c.soundVolume);
}

// A high-score table kept as a "FILE" block of scores.dpf.
int SaveAndReadScores() {
    const int h = Veltrano.XMLCreate("scores");
    if (h == 0) return 0;
    const char* names[] = {"ada", "bob"};
    const int points[] = {1200, 950};
    for (int i = 0; i < 2; ++i) {
        Veltrano.XMLNodeCreate(h, "entry");
        Veltrano.XMLAttributeSet(h, "name", names[i]);
        Veltrano.XMLAttributeSet(h, "points", points[i]);
        Veltrano.XMLNodeParent(h);
    }
    const int stored = Veltrano.XMLSave(h, "scores.dpf", "scores.xml");
    Veltrano.XMLClose(h);
    if (stored <= 0) return 0;

    const int back = Veltrano.XMLOpen("scores.dpf", "scores.xml");
    if (back == 0) return 0;
    int count = 0;
    for (int ok = Veltrano.XMLNodePointTo(back, 2, "scores", "entry"); ok == 1; ok = Veltrano.XMLNodeNext(back)) {
        char* name = nullptr;
        int value = 0;
        Veltrano.XMLAttributeGet(back, "name", &name);
        Veltrano.XMLAttributeGet(back, "points", &value);
        std::printf("Score: %s %d\n", name, value);
        ++count;
    }
    Veltrano.XMLClose(back);
    return count;
}

}  // namespace

int main() {
    ILogSystem.Init("config.log", 2, 5, "config example", nullptr, nullptr, nullptr);
    if (Veltrano.Init(0) != 1) return 1;
    LoadOrWriteSettings();
    PrintSettings(Veltrano.Config);
    const int scores = SaveAndReadScores();
    Veltrano.Quit();
    return scores == 2 ? 0 : 2;
}
