#include "dev_console.h"

#include "audio.h"
#include "netplay.h"
#include "play.h"

#include <veltrano.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The debug window keeps pointers to these and reads them twice a second.
struct Watched {
    int renderRate = 0, logicRate = 0;
    int x = 0, y = 0, score = 0, lives = 0, level = 0, god = 0, reports = 0;
};
Watched watched;

using Words = std::vector<std::string>;

// Handlers return 0 when the words do not fit: the console then prints the
// command's syntax error.
int LevelCommand(Words* words) {
    if (words->size() != 2) return 0;
    const int number = std::atoi((*words)[1].c_str());
    if (!GoToLevel(number))
        Veltrano.ConPrint(" No level %d to go to (levels run while playing)", number);
    else
        Veltrano.ConPrint(" Level %d", number);
    return 1;
}

int SpawnCommand(Words* words) {
    if (words->size() != 2 || ((*words)[1] != "enemy" && (*words)[1] != "coin")) return 0;
    const bool enemy = (*words)[1] == "enemy";
    Veltrano.ConPrint(Spawn(enemy) ? " A %s appears" : " No room for a %s here", enemy ? "blob" : "coin");
    return 1;
}

// "volume N": music and sounds at N of 10 (not saved; the options are).
int VolumeCommand(Words* words) {
    if (words->size() != 2) return 0;
    const int tenths = std::atoi((*words)[1].c_str());
    if (tenths < 0 || tenths > 10) return 0;
    Veltrano.Config.musicVolume = Veltrano.Config.soundVolume = static_cast<unsigned char>(tenths * 255 / 10);
    ApplyVolumes(Veltrano.Config.musicVolume, Veltrano.Config.soundVolume);
    Veltrano.ConPrint(" Volume %d of 10", tenths);
    return 1;
}

int GodCommand(Words*) {
    if (!ToggleGod())
        Veltrano.ConPrint(" God mode works while playing");
    else
        Veltrano.ConPrint(" God mode %s", ThePlayer().god ? "on: nothing hurts" : "off");
    return 1;
}

}  // namespace

void SetUpDeveloperConsole() {
    Veltrano.ConTitle(" Hello console: help, level 2, spawn enemy, spawn coin, volume 5, god");
    Veltrano.ConEnable();
    Veltrano.ConAddCmdHandler("level", "Go to level N", LevelCommand);
    Veltrano.ConAddCmdHandler("spawn", "Spawn an enemy or a coin near the player", SpawnCommand);
    Veltrano.ConAddCmdHandler("volume", "Music and sound volume, 0 to 10", VolumeCommand);
    Veltrano.ConAddCmdHandler("god", "Toggle god mode: nothing hurts", GodCommand);
    Veltrano.DwEnable();
    Veltrano.DwTitle(" Watch (drag me)");
    Veltrano.DwResize(170, 150);
    Veltrano.DwMove(8, static_cast<short>(Veltrano.screen->h - 158));
    Veltrano.DwAddWatch("RFR", &watched.renderRate, nullptr);
    Veltrano.DwAddWatch("LFR", &watched.logicRate, nullptr);
    Veltrano.DwAddWatch("x", &watched.x, nullptr);
    Veltrano.DwAddWatch("y", &watched.y, nullptr);
    Veltrano.DwAddWatch("score", &watched.score, nullptr);
    Veltrano.DwAddWatch("lives", &watched.lives, nullptr);
    Veltrano.DwAddWatch("level", &watched.level, nullptr);
    Veltrano.DwAddWatch("god", &watched.god, nullptr);
    Veltrano.DwAddWatch("p2 reports", &watched.reports, nullptr);
    Veltrano.DwSetVisible(1);
}

void UpdateWatchedValues() {
    const PlayerState& player = ThePlayer();
    watched.renderRate = ITimeSystem->GetCurrentRFR();
    watched.logicRate = ITimeSystem->GetCurrentLFR();
    watched.x = player.x;
    watched.y = player.y;
    watched.score = player.score;
    watched.lives = player.lives;
    watched.level = player.level;
    watched.god = player.god ? 1 : 0;
    watched.reports = AcceptedReports();
}
