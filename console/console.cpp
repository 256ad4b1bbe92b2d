#include "console/console.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "Veltrano_CFont.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "console/console_commands.h"
#include "core/clock.h"

namespace {

constexpr char kPrompt = '>';
constexpr int kKeyRepeatDelay = 120;
constexpr char kDefaultTitle[] = " Console for Veltrano SDK initialized";
constexpr char kSyntaxError[] = " Syntax error or command not found";

cConsole* active = nullptr;

void RequestRender() { Veltrano.RenderNeeded(1); }

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream stream(line);
    std::string word;
    while (stream >> word) words.push_back(word);
    return words;
}

// The one character a key types, or 0 for a key without a printable name.
char TypedCharacter(int key) {
    const char* name = Veltrano.GetKeyName(key);
    if (name == nullptr || name[0] == '\0' || name[1] != '\0') return 0;
    return name[0];
}

}  // namespace

cConsole::cConsole(const char* text) {
    AddCommand("help", "List all registered commands", console_commands::Help);
    AddCommand("con", "Console control commands", console_commands::Con);
    if (SDL_Surface* screen = Veltrano.screen) {
        rect.w = static_cast<Uint16>(screen->w);
        rect.h = static_cast<Uint16>(screen->h / 3);
        SetFirstBgColor(0, 0, 192);
        Layout();
    }
    title = text != nullptr ? text : kDefaultTitle;
    active = this;
}

cConsole::~cConsole() {
    if (active == this) active = nullptr;
}

cConsole* cConsole::Active() { return active; }

bool cConsole::Update() {
    if (!cSimpleWin::Update()) return false;
    if (features & kNoCommandLine) return true;
    const int phase = clock_source::Ticks() % 1000 < 501 ? 1 : 0;
    if (phase != blinkPhase) {
        blinkPhase = phase;
        RequestRender();
    }
    if (HandleKey(Veltrano.GetKeyPressed(kKeyRepeatDelay))) RequestRender();
    return true;
}

void cConsole::Enable() {
    cSimpleWin::Enable();
    if (!enabled) return;
    lines.push_back(title);
    lines.emplace_back();
}

bool cConsole::HandleKey(int key) {
    const int length = static_cast<int>(input.size());
    const bool hasText = length > 1;
    switch (key) {
        case 0:
        case '%':
        case '`':
            return false;
        case SDLK_BACKSPACE:
            if (!hasText || cursor <= 1) return false;
            input.erase(static_cast<std::size_t>(--cursor), 1);
            --capacity;
            return true;
        case SDLK_RETURN:
            return hasText && SubmitLine();
        case SDLK_DELETE:
            if (!hasText || cursor >= length) return false;
            input.erase(static_cast<std::size_t>(cursor), 1);
            --capacity;
            return true;
        case SDLK_UP:
            return RecallOlder();
        case SDLK_DOWN:
            return RecallNewer();
        case SDLK_RIGHT:
            if (cursor >= length) return false;
            ++cursor;
            return true;
        case SDLK_LEFT:
            if (cursor <= 1) return false;
            --cursor;
            return true;
        case SDLK_HOME:
            cursor = 1;
            return true;
        case SDLK_END:
            cursor = length;
            return true;
        default:
            return TypeCharacter(key);
    }
}

bool cConsole::SubmitLine() {
    const std::string line = input.substr(1);
    lines.push_back(line);
    history.push_back(line);
    historyIndex = 0;
    RunLine(line);
    ResetLine();
    return true;
}

bool cConsole::RecallOlder() {
    if (historyIndex >= static_cast<int>(history.size())) return false;
    ++historyIndex;
    ShowHistoryEntry();
    return true;
}

bool cConsole::RecallNewer() {
    if (historyIndex < 1) return false;
    --historyIndex;
    ShowHistoryEntry();
    return true;
}

// The entry historyIndex steps back (none at 0), cut to what the line holds.
void cConsole::ShowHistoryEntry() {
    ResetLine();
    if (historyIndex > 0) {
        const std::string& entry = history[history.size() - static_cast<std::size_t>(historyIndex)];
        input += entry.substr(0, static_cast<std::size_t>(std::max(0, capacity - 1)));
    }
    cursor = static_cast<int>(input.size());
}

bool cConsole::TypeCharacter(int key) {
    if (static_cast<int>(input.size()) >= capacity) return GrowCapacity();
    const char typed = TypedCharacter(key);
    if (typed == 0) return false;
    input.insert(static_cast<std::size_t>(cursor), 1, typed);
    ++cursor;
    return true;
}

// A full line may still have room in pixels (most letters are narrower than
// the "M" the capacity was counted in); the key that finds it full is spent.
bool cConsole::GrowCapacity() {
    if (font == nullptr) return false;
    const int letter = LetterWidth();
    const int room = rect.w - (font->StringWidth(input.c_str()) + 2 * letter + 10);
    if (letter <= 0 || room <= letter) return false;
    capacity += room / letter;
    return true;
}

void cConsole::ResetLine() {
    input.assign(1, kPrompt);
    cursor = 1;
}

void cConsole::NewCommandLine() {
    if (!enabled) return;
    ResetLine();
    RequestRender();
}

void cConsole::Layout() {
    const int letter = LetterWidth();
    if (letter <= 0 || rect.w == 0) return;
    textX = rect.x + 5;
    inputY = rect.y + rect.h - font->StringHeight() - 5;
    // A wide font in a narrow window still leaves room for the prompt.
    capacity = std::max(1, (rect.w - 2 * letter - 10) / letter);
    ResetLine();  // the callers that change what is shown ask for the render
}

void cConsole::Print(const std::string& line) {
    if (enabled) Say(line);
}

void cConsole::Say(const std::string& line) {
    lines.push_back(line);
    RequestRender();
}

void cConsole::Sayf(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    Say(developer_seam::Format(fmt, args));
    va_end(args);
}

int cConsole::AddCommand(const char* name, const char* description, developer_seam::CommandHandler handler) {
    if (name == nullptr || description == nullptr || handler == nullptr) return 0;
    for (const Command& command : commands)
        if (std::string(command.name) == name) return 0;
    commands.push_back(Command{name, description, handler});
    return 1;
}

void cConsole::Execute(const char* text) {
    if (enabled && text != nullptr) RunLine(text);
}

void cConsole::RunLine(const std::string& line) {
    std::vector<std::string> words = Words(line);
    int result = 0;
    if (!words.empty()) {
        for (const Command& command : commands) {
            if (words[0] != command.name) continue;
            // The handler may add commands; the table is not touched after it.
            const developer_seam::CommandHandler handler = command.handler;
            result = handler(&words);
            break;
        }
    }
    if (result == 0) Say(kSyntaxError);
    Say("");
}

int cConsole::ToggleFeatures(int bits) {
    if (bits != -1) features ^= bits;
    return features;
}

void cConsole::ClearText() {
    lines.clear();
    Sayf("%s", title.c_str());
}

bool cConsole::SaveLines(const std::vector<std::string>& text, const char* fileName) {
    std::FILE* file = std::fopen(fileName, "w");
    if (file == nullptr) return false;
    for (const std::string& line : text) std::fprintf(file, "%s\n", line.c_str());
    return std::fclose(file) == 0;
}

void cConsole::Render() {
    SDL_Surface* screen = Veltrano.screen;
    if (!enabled || visibility == kHidden || screen == nullptr) return;
    DrawBackground();
    if (font == nullptr) return;
    const int height = std::max(1, font->StringHeight());
    const int rows = rect.h / height;
    const int count = static_cast<int>(lines.size());
    for (int i = 1; i < rows && i <= count; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(count - i)];
        font->PutString(screen, textX, inputY - i * height - 5, line.c_str(), &rect);
    }
    if (!(features & kNoCommandLine))
        font->PutStringWithCursor(screen, textX, inputY, input.c_str(), cursor, &rect,
                                  static_cast<unsigned char>(blinkPhase));
}
