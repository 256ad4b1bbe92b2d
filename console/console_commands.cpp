#include "console/console_commands.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "console/console.h"

namespace console_commands {
namespace {

const char* const kConUsage[] = {
    " usage: con <parameter> [value]",
    "  <alpha> [64 to 255] - Adjust the alpha value of the console",
    "  <clear> - Clear the console",
    "  <color> R G B - Set the console background color",
    "  <features> [value] - Get current features or set new ones",
    "  <hide> - Hide the console",
    "  <history> clear|save [filename] - Clear the command history or save them to the filename",
    "  <move> x y - Move the console to (x,y). Negative value to preserve current value",
    "  <resize> w h - Resize the console to (w,h). Negative value to preserve current value",
    "  <save> filename - Save the console text to the filename",
};

// Base 2, most significant digit first, no leading zeros.
std::string Binary(int value) {
    unsigned int bits = static_cast<unsigned int>(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + (bits & 1u)));
        bits >>= 1;
    } while (bits != 0);
    return digits;
}


int Clear(cConsole& console, const Words&) {
    console.ClearText();
    return 1;
}

int Features(cConsole& console, const Words& words) {
    if (words.size() > 2) {
        console.SetFeatures(Number(words[2]));
        console.Sayf(" New features %s set", Binary(console.Features()).c_str());
    } else {
        console.Sayf(" Current features: %s", Binary(console.Features()).c_str());
    }
    return 1;
}

int Hide(cConsole& console, const Words&) {
    console.SetVisible(0);
    return 1;
}

// Reports a file that did not open instead of confirming the save.
void ReportSave(cConsole& console, bool saved, const char* confirmation, const std::string& fileName) {
    if (saved) {
        console.Sayf(confirmation, fileName.c_str());
        return;
    }
    ILogSystem.Msg(0, " . [Console] Error: couldn't write the '%s' file\n", fileName.c_str());
    console.Sayf(" . [Console] Error: couldn't write the '%s' file", fileName.c_str());
}

int History(cConsole& console, const Words& words) {
    if (words.size() < 3) return 0;
    if (words[2] == "clear") {
        console.ClearHistory();
        console.Say(" Console history cleared");
        return 1;
    }
    if (words[2] != "save" || words.size() < 4) return 0;
    ReportSave(console, cConsole::SaveLines(console.History(), words[3].c_str()), " Save history to '%s' file",
               words[3]);
    return 1;
}

int Save(cConsole& console, const Words& words) {
    if (words.size() < 3) return 0;
    ReportSave(console, cConsole::SaveLines(console.Lines(), words[2].c_str()), " Save console text to '%s' file",
               words[2]);
    return 1;
}

int Alpha(cConsole& console, const Words& words) { return WindowAlpha(console, console, words); }
int Color(cConsole& console, const Words& words) { return WindowColor(console, console, words); }
int Move(cConsole& console, const Words& words) {
    return MoveWindow(console, console, words, " Current console position (%d,%d)");
}
int Resize(cConsole& console, const Words& words) {
    return ResizeWindow(console, console, words, " Current console size (%dx%d)");
}

struct Parameter {
    const char* name;
    int (*run)(cConsole&, const Words&);
};

constexpr Parameter kParameters[] = {
    {"alpha", Alpha},     {"clear", Clear}, {"color", Color}, {"features", Features}, {"hide", Hide},
    {"history", History}, {"move", Move},   {"resize", Resize}, {"save", Save},
};

}  // namespace

int Number(const std::string& text) {
    // strtol saturates where atoi would overflow.
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return static_cast<int>(std::max<long>(INT_MIN, std::min<long>(value, INT_MAX)));
}

int ClampedNumber(const std::string& text, int low, int high) { return std::max(low, std::min(Number(text), high)); }

int WindowAlpha(cSimpleWin& window, cConsole& out, const Words& words) {
    if (words.size() > 2) {
        window.SetAlpha(ClampedNumber(words[2], 64, 255));
        out.Sayf(" New alpha value %d set", window.Alpha());
    } else {
        out.Sayf(" Current alpha value: %d", window.Alpha());
    }
    return 1;
}

int WindowColor(cSimpleWin& window, cConsole& out, const Words& words) {
    SDL_Surface* screen = Veltrano.screen;
    if (words.size() > 4 && screen != nullptr) {
        const int r = ClampedNumber(words[2], 0, 255);
        const int g = ClampedNumber(words[3], 0, 255);
        const int b = ClampedNumber(words[4], 0, 255);
        window.SetBgColor(
            SDL_MapRGB(screen->format, static_cast<Uint8>(r), static_cast<Uint8>(g), static_cast<Uint8>(b)));
        out.Sayf(" New background color (%d,%d,%d) set", r, g, b);
    } else {
        out.Sayf(" Current background color value (0x00%x)", window.BgColor());
    }
    return 1;
}

int MoveWindow(cSimpleWin& window, cConsole& out, const Words& words, const char* currentText) {
    if (words.size() > 3) {
        window.Move(Number(words[2]), Number(words[3]));
        out.Sayf(" New position (%d,%d) set", window.Rect()->x, window.Rect()->y);
    } else {
        out.Sayf(currentText, window.Rect()->x, window.Rect()->y);
    }
    return 1;
}

int ResizeWindow(cSimpleWin& window, cConsole& out, const Words& words, const char* currentText) {
    if (words.size() > 3) {
        window.Resize(Number(words[2]), Number(words[3]));
        out.Sayf(" New size (%dx%d) set", window.Rect()->w, window.Rect()->h);
    } else {
        out.Sayf(currentText, window.Rect()->w, window.Rect()->h);
    }
    return 1;
}

int Help(std::vector<std::string>*) {
    cConsole* console = cConsole::Active();
    if (console == nullptr) return 0;
    const std::vector<cConsole::Command> commands = console->Commands();
    for (auto command = commands.rbegin(); command != commands.rend(); ++command)
        console->Sayf(" %s - %s", command->name, command->description);
    return 1;
}

int Con(std::vector<std::string>* words) {
    cConsole* console = cConsole::Active();
    if (console == nullptr || words == nullptr) return 0;
    if (words->size() < 2) {
        for (const char* line : kConUsage) console->Say(line);
        return 1;
    }
    for (const Parameter& parameter : kParameters)
        if ((*words)[1] == parameter.name) return parameter.run(*console, *words);
    return 0;
}

}  // namespace console_commands
