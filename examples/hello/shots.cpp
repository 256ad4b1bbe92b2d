#include "shots.h"

#include <veltrano.h>

#include <cstdio>
#include <set>
#include <string>

namespace {

std::set<std::string> taken;

}  // namespace

void SaveShot(const char* name) {
    if (!taken.insert(name).second || Veltrano.screen == nullptr) return;
    Veltrano.MakeDirectory("shots");
    char path[64];
    std::snprintf(path, sizeof path, "shots/%02d-%s.png", static_cast<int>(taken.size()), name);
    if (IImage->SavePNG(path, Veltrano.screen, 6) == 0)
        ILogSystem.Msg(0, " . Screenshot %s\n", path);
    else
        ILogSystem.Msg(0, " . Screenshot %s could not be written\n", path);
}

int ShotsTaken() { return static_cast<int>(taken.size()); }
