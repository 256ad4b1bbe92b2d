#include "dev_console.h"

#include <veltrano.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "actors.h"

namespace {

int renderRate = 0;
int logicRate = 0;
int critterX = 0;
int critterY = 0;
double secondsPlayed = 0.0;

int CoinsCommand(std::vector<std::string>*) {
    Veltrano.ConPrint(" %d coins collected", CoinsCollected());
    return 1;
}

// "teleport x y": returning 0 without both numbers makes the console print
// its syntax error.
int TeleportCommand(std::vector<std::string>* words) {
    if (words->size() < 3) return 0;
    const int x = std::atoi((*words)[1].c_str());
    const int y = std::atoi((*words)[2].c_str());
    TeleportCritter(x, y);
    Veltrano.ConPrint(" Critter sent to (%d,%d)", x, y);
    return 1;
}

}  // namespace

void SetUpDeveloperConsole(bool selfPlaying) {
    Veltrano.ConTitle(" Hello console: try help, coins, teleport 100 200, debug list");
    Veltrano.ConEnable();
    Veltrano.ConAddCmdHandler("coins", "Show the coins collected", CoinsCommand);
    Veltrano.ConAddCmdHandler("teleport", "Send the critter to x y", TeleportCommand);
    Veltrano.DwEnable();
    Veltrano.DwResize(200, 110);
    Veltrano.DwMove(8, 360);
    Veltrano.DwAddWatch("RFR", &renderRate, nullptr);
    Veltrano.DwAddWatch("LFR", &logicRate, nullptr);
    Veltrano.DwAddWatch("critter", &critterX, nullptr);
    Veltrano.DwAddWatch("y", &critterY, nullptr);
    Veltrano.DwAddWatch("time", nullptr, &secondsPlayed);
    Veltrano.DwSetVisible(1);
    if (selfPlaying) {
        // Without a display nobody presses the backquote key: show the
        // console and run a few commands so the saved frame has them.
        Veltrano.ConSetVisible(1);
        Veltrano.ConCmd("coins");
        Veltrano.ConCmd("debug list");
    }
}

void UpdateWatchedValues() {
    renderRate = ITimeSystem->GetCurrentRFR();
    logicRate = ITimeSystem->GetCurrentLFR();
    CritterPosition(critterX, critterY);
    secondsPlayed = ITimeSystem->GetTimeNow() / 1000.0;
}
