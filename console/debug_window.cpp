#include "console/debug_window.h"

#include <cstdio>
#include <cstring>

#include "Veltrano_CFont.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "console/console.h"
#include "core/clock.h"

namespace {

constexpr char kDefaultTitle[] = "Veltrano Debug Window";

cDebugWO* active = nullptr;

}  // namespace

cDebugWO::cDebugWO(cConsole* owner, const char* text) : console(owner) {
    title = text != nullptr ? text : kDefaultTitle;
    if (SDL_Surface* screen = Veltrano.screen) {
        rect.x = static_cast<Sint16>(screen->w / 3);
        rect.y = static_cast<Sint16>(screen->h / 2);
        rect.w = static_cast<Uint16>(screen->w / 3);
        rect.h = static_cast<Uint16>(screen->h / 3);
        SetFirstBgColor(0, 192, 0);
        Layout();
    }
    if (console != nullptr) {
        console->AddCommand("debug", "Debug window control commands", debug_command::Run);
        active = this;
    } else {
        ILogSystem.Msg(2, " . [DebugWO] Warning: console hook not available.\n");
    }
}

cDebugWO::~cDebugWO() {
    if (active == this) active = nullptr;
}

cDebugWO* cDebugWO::Active() { return active; }

void cDebugWO::Layout() {
    if (LetterWidth() <= 0 || rect.w == 0) return;
    textX = rect.x + 5;
    textY = rect.y + font->StringHeight() + 5;
}

int cDebugWO::AddWatch(const char* name, int* intValue, double* doubleValue) {
    if (name == nullptr || (intValue == nullptr && doubleValue == nullptr)) return 0;
    for (const Watch& watch : watches)
        if (std::strcmp(watch.name, name) == 0) return 0;
    watches.push_back(Watch{name, intValue, doubleValue});
    return 1;
}

int cDebugWO::RemoveWatch(const char* name) {
    if (name == nullptr) return 0;
    for (auto watch = watches.begin(); watch != watches.end(); ++watch) {
        if (std::strcmp(watch->name, name) != 0) continue;
        watches.erase(watch);
        return 1;
    }
    return 0;
}

// Cut to kLineLength characters, however long the name.
std::string cDebugWO::FormatWatch(const Watch& watch) {
    char line[kLineLength + 1];
    if (watch.intValue != nullptr && watch.doubleValue != nullptr)
        std::snprintf(line, sizeof line, "%s %d %.4f", watch.name, *watch.intValue, *watch.doubleValue);
    else if (watch.intValue != nullptr)
        std::snprintf(line, sizeof line, "%s %d", watch.name, *watch.intValue);
    else
        std::snprintf(line, sizeof line, "%s %.4f", watch.name, *watch.doubleValue);
    return line;
}

std::vector<std::string> cDebugWO::WatchLines() const {
    std::vector<std::string> result;
    result.reserve(watches.size());
    for (const Watch& watch : watches) result.push_back(FormatWatch(watch));
    return result;
}

bool cDebugWO::Update() {
    if (!cSimpleWin::Update()) return false;
    const Uint32 now = clock_source::Ticks();
    if (lastRefresh == 0) lastRefresh = now;
    if (now - lastRefresh < kRefreshMilliseconds) return false;
    lastRefresh = 0;
    Veltrano.RenderNeeded(1);
    lines = WatchLines();
    return true;
}

void cDebugWO::Render() {
    SDL_Surface* screen = Veltrano.screen;
    if (!enabled || visibility == kHidden || screen == nullptr) return;
    DrawBackground();
    if (font == nullptr) return;
    font->PutString(screen, rect.x + (rect.w - font->StringWidth(title.c_str())) / 2, rect.y + 5, title.c_str(),
                    &rect);
    // Like words in a paragraph: lines side by side while they fit, then a
    // new row, newest first.
    const int height = font->StringHeight();
    int column = 5;
    int row = 5;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (height + row >= rect.h) break;
        const int width = font->StringWidth(line->c_str());
        if (width + column < rect.w) {
            font->PutString(screen, textX + column, textY + row, line->c_str(), &rect);
            column += width + 10;
        } else {
            row += height;
            font->PutString(screen, textX + 5, textY + row, line->c_str(), &rect);
            column = width + 15;
        }
    }
}
