// The debug watch window: a draggable window that shows named integers and
// doubles of the game twice a second, driven from the console by "debug".
#ifndef VELTRANO_CONSOLE_DEBUG_WINDOW_H
#define VELTRANO_CONSOLE_DEBUG_WINDOW_H

#include <string>
#include <vector>

#include "console/simple_win.h"

class cConsole;

class cDebugWO : public cSimpleWin, public developer_seam::WatchList {
public:
    static constexpr Uint32 kRefreshMilliseconds = 500;
    // Watch lines are cut to this many characters.
    static constexpr int kLineLength = 127;

    // Registers "debug" on the console when there is one. A null title gives
    // the default one.
    cDebugWO(cConsole* console, const char* title);
    ~cDebugWO() override;

    // The window "debug" acts on (the newest), or null.
    static cDebugWO* Active();

    bool Update() override;
    void Render() override;
    void Layout() override;

    int AddWatch(const char* name, int* intValue, double* doubleValue) override;
    int RemoveWatch(const char* name) override;

    // One line per watch with the values they hold now.
    std::vector<std::string> WatchLines() const;
    cConsole* Console() { return console; }

private:
    struct Watch {
        const char* name;
        int* intValue;
        double* doubleValue;
    };
    static std::string FormatWatch(const Watch& watch);

    std::vector<Watch> watches;
    int textX = -1;
    int textY = -1;
    Uint32 lastRefresh = 500;
    cConsole* console = nullptr;
};

namespace debug_command {

// "debug" on the console: acts on cDebugWO::Active().
int Run(std::vector<std::string>* words);

}  // namespace debug_command

#endif
