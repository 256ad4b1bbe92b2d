// The console command "debug", which drives the debug window.
#include "Veltrano_Main.h"
#include "console/console.h"
#include "console/console_commands.h"
#include "console/debug_window.h"

namespace debug_command {
namespace {

using console_commands::ClampedNumber;
using console_commands::Number;
using console_commands::Words;

const char* const kUsage[] = {
    " usage: debug <parameter> [value]",
    "  <alpha> [64 to 255] - Adjust the alpha value of the console",
    "  <color> R G B - Set the debug window background color",
    "  <enable> [0]|[1] - Enable or disable the debug window",
    "  <hide> - Hide the debug window",
    "  <list> - List all watches and its values",
    "  <move> x y - Move the debug window to (x,y). Negative value to preserve current value",
    "  <remove> watch - Remove a watch",
    "  <resize> w h - Resize the debug window to (w,h). Negative value to preserve current value",
    "  <show> - Show the debug window",
};

const char* EnabledText(const cDebugWO& window) { return window.IsEnabled() ? "enabled" : "disabled"; }

int Enable(cDebugWO& window, cConsole& out, const Words& words) {
    if (words.size() > 2) {
        if (Number(words[2]) > 0)
            window.Enable();
        else
            window.Disable();
        out.Sayf(" Debug window %s", EnabledText(window));
    } else {
        out.Sayf(" Debug window is %s", EnabledText(window));
    }
    return 1;
}

int Hide(cDebugWO& window, cConsole&, const Words&) {
    window.SetVisible(0);
    return 1;
}

int Show(cDebugWO& window, cConsole&, const Words&) {
    window.SetVisible(1);
    return 1;
}

int List(cDebugWO& window, cConsole& out, const Words&) {
    for (const std::string& line : window.WatchLines()) out.Sayf(" %s", line.c_str());
    return 1;
}

int Remove(cDebugWO& window, cConsole& out, const Words& words) {
    if (words.size() < 3) return 0;
    const char* name = words[2].c_str();
    out.Sayf(window.RemoveWatch(name) ? " Watch '%s' removed" : " Watch '%s' not found", name);
    return 1;
}

int Alpha(cDebugWO& window, cConsole& out, const Words& words) {
    return console_commands::WindowAlpha(window, out, words);
}
int Color(cDebugWO& window, cConsole& out, const Words& words) {
    return console_commands::WindowColor(window, out, words);
}
int Move(cDebugWO& window, cConsole& out, const Words& words) {
    return console_commands::MoveWindow(window, out, words, " Current debug position (%d,%d)");
}
int Resize(cDebugWO& window, cConsole& out, const Words& words) {
    return console_commands::ResizeWindow(window, out, words, " Current debug size (%dx%d)");
}

struct Parameter {
    const char* name;
    int (*run)(cDebugWO&, cConsole&, const Words&);
};

constexpr Parameter kParameters[] = {
    {"alpha", Alpha}, {"color", Color}, {"enable", Enable}, {"hide", Hide},     {"list", List},
    {"move", Move},   {"remove", Remove}, {"resize", Resize}, {"show", Show},
};

}  // namespace

int Run(std::vector<std::string>* words) {
    cDebugWO* window = cDebugWO::Active();
    if (window == nullptr || window->Console() == nullptr || words == nullptr) return 0;
    cConsole& out = *window->Console();
    if (words->size() < 2) {
        for (const char* line : kUsage) out.Say(line);
        return 1;
    }
    for (const Parameter& parameter : kParameters)
        if ((*words)[1] == parameter.name) return parameter.run(*window, out, *words);
    return 0;
}

}  // namespace debug_command
