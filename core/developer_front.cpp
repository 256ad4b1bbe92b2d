// The core's Con* and Dw* methods: each asks the window registered in the
// developer seam, and gives the documented empty result while none exists.
#include "Veltrano_Main.h"
#include "core/developer_seam.h"

namespace {

using developer_seam::Window;

Window* ConsoleWindow() { return developer_seam::Current().console; }
Window* DebugWindow() { return developer_seam::Current().debug; }

// call(window) when the window exists, else the fallback.
template <typename Result, typename Call>
Result Ask(Window* window, Result fallback, Call call) {
    return window != nullptr ? call(*window) : fallback;
}

template <typename Call>
void Tell(Window* window, Call call) {
    if (window != nullptr) call(*window);
}

Uint32 MapOnScreen(SDL_Surface* screen, Uint8 r, Uint8 g, Uint8 b) {
    return screen != nullptr ? SDL_MapRGB(screen->format, r, g, b) : 0;
}

}  // namespace

void Veltrano_Main::ConTitle(const char* title) { Tell(ConsoleWindow(), [&](Window& w) { w.SetTitle(title); }); }
void Veltrano_Main::ConEnable() { Tell(ConsoleWindow(), [](Window& w) { w.Enable(); }); }
void Veltrano_Main::ConDisable() { Tell(ConsoleWindow(), [](Window& w) { w.Disable(); }); }
unsigned char Veltrano_Main::ConisEnabled() {
    return Ask<unsigned char>(ConsoleWindow(), 0, [](Window& w) { return w.IsEnabled(); });
}
void Veltrano_Main::ConSetVisible(char v) { Tell(ConsoleWindow(), [&](Window& w) { w.SetVisible(v > 0); }); }
unsigned char Veltrano_Main::ConisVisible() {
    return Ask<unsigned char>(ConsoleWindow(), 0, [](Window& w) { return w.Visibility(); });
}
void Veltrano_Main::ConSetFont(const char* dpfFile, const char* block) {
    Tell(ConsoleWindow(), [&](Window& w) { w.SetFont(dpfFile, block); });
}
void Veltrano_Main::ConSetFont(int dpfHandle, const char* block) {
    Tell(ConsoleWindow(), [&](Window& w) { w.SetFont(dpfHandle, block); });
}
Veltrano_CFont* Veltrano_Main::ConGetFont() {
    return Ask<Veltrano_CFont*>(ConsoleWindow(), nullptr, [](Window& w) { return w.Font(); });
}
void Veltrano_Main::ConResize(short w, short h) { Tell(ConsoleWindow(), [&](Window& win) { win.Resize(w, h); }); }
void Veltrano_Main::ConMove(short x, short y) { Tell(ConsoleWindow(), [&](Window& w) { w.Move(x, y); }); }
SDL_Rect* Veltrano_Main::ConGetRect() {
    return Ask<SDL_Rect*>(ConsoleWindow(), nullptr, [](Window& w) { return w.Rect(); });
}
void Veltrano_Main::ConSetBgColor(unsigned char r, unsigned char g, unsigned char b) {
    Tell(ConsoleWindow(), [&](Window& w) { w.SetBgColor(MapOnScreen(screen, r, g, b)); });
}
void Veltrano_Main::ConSetBgColor(unsigned int pixel) {
    Tell(ConsoleWindow(), [&](Window& w) { w.SetBgColor(pixel); });
}
unsigned int Veltrano_Main::ConGetBgColor() {
    return Ask<unsigned int>(ConsoleWindow(), 0, [](Window& w) { return w.BgColor(); });
}
void Veltrano_Main::ConSetBgImage(const char* dpfFile, const char* block) {
    Tell(ConsoleWindow(), [&](Window& w) { w.SetBgImage(dpfFile, block); });
}
void Veltrano_Main::ConSetBgImage(int dpfHandle, const char* block) {
    Tell(ConsoleWindow(), [&](Window& w) { w.SetBgImage(dpfHandle, block); });
}
SDL_Surface* Veltrano_Main::ConGetBgImage() {
    return Ask<SDL_Surface*>(ConsoleWindow(), nullptr, [](Window& w) { return w.BgImage(); });
}
void Veltrano_Main::ConSetAlpha(unsigned char alpha) { Tell(ConsoleWindow(), [&](Window& w) { w.SetAlpha(alpha); }); }
unsigned char Veltrano_Main::ConGetAlpha() {
    return Ask<unsigned char>(ConsoleWindow(), 255, [](Window& w) { return w.Alpha(); });
}

void Veltrano_Main::ConPrint(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    ConvPrint(fmt, args);
    va_end(args);
}

// Callable from any thread: the seam queues lines that do not come from the
// game's thread.
void Veltrano_Main::ConvPrint(const char* fmt, va_list args) {
    if (fmt == nullptr || !developer_seam::ConsoleExists()) return;
    developer_seam::PrintLine(developer_seam::Format(fmt, args));
}

void Veltrano_Main::ConNewCmdLine() {
    if (developer_seam::CommandLine* line = developer_seam::Current().commandLine) line->NewCommandLine();
}

int Veltrano_Main::ConAddCmdHandler(const char* name, const char* description,
                                    int (*handler)(std::vector<std::string>*)) {
    developer_seam::CommandLine* line = developer_seam::Current().commandLine;
    return line != nullptr ? line->AddCommand(name, description, handler) : 0;
}

void Veltrano_Main::ConCmd(const char* text) {
    if (developer_seam::CommandLine* line = developer_seam::Current().commandLine) line->Execute(text);
}

int Veltrano_Main::ConFeatures(int bits) {
    developer_seam::CommandLine* line = developer_seam::Current().commandLine;
    return line != nullptr ? line->ToggleFeatures(bits) : 0;
}

void Veltrano_Main::DwTitle(const char* title) { Tell(DebugWindow(), [&](Window& w) { w.SetTitle(title); }); }
void Veltrano_Main::DwEnable() { Tell(DebugWindow(), [](Window& w) { w.Enable(); }); }
void Veltrano_Main::DwDisable() { Tell(DebugWindow(), [](Window& w) { w.Disable(); }); }
unsigned char Veltrano_Main::DwisEnabled() {
    return Ask<unsigned char>(DebugWindow(), 0, [](Window& w) { return w.IsEnabled(); });
}
void Veltrano_Main::DwSetVisible(char v) { Tell(DebugWindow(), [&](Window& w) { w.SetVisible(v > 0); }); }
unsigned char Veltrano_Main::DwisVisible() {
    return Ask<unsigned char>(DebugWindow(), 0, [](Window& w) { return w.Visibility(); });
}
void Veltrano_Main::DwSetFont(const char* dpfFile, const char* block) {
    Tell(DebugWindow(), [&](Window& w) { w.SetFont(dpfFile, block); });
}
void Veltrano_Main::DwSetFont(int dpfHandle, const char* block) {
    Tell(DebugWindow(), [&](Window& w) { w.SetFont(dpfHandle, block); });
}
Veltrano_CFont* Veltrano_Main::DwGetFont() {
    return Ask<Veltrano_CFont*>(DebugWindow(), nullptr, [](Window& w) { return w.Font(); });
}
void Veltrano_Main::DwResize(short w, short h) { Tell(DebugWindow(), [&](Window& win) { win.Resize(w, h); }); }
void Veltrano_Main::DwMove(short x, short y) { Tell(DebugWindow(), [&](Window& w) { w.Move(x, y); }); }
SDL_Rect* Veltrano_Main::DwGetRect() {
    return Ask<SDL_Rect*>(DebugWindow(), nullptr, [](Window& w) { return w.Rect(); });
}
void Veltrano_Main::DwSetBgColor(unsigned char r, unsigned char g, unsigned char b) {
    Tell(DebugWindow(), [&](Window& w) { w.SetBgColor(MapOnScreen(screen, r, g, b)); });
}
void Veltrano_Main::DwSetBgColor(unsigned int pixel) { Tell(DebugWindow(), [&](Window& w) { w.SetBgColor(pixel); }); }
unsigned int Veltrano_Main::DwGetBgColor() {
    return Ask<unsigned int>(DebugWindow(), 0, [](Window& w) { return w.BgColor(); });
}
void Veltrano_Main::DwSetBgImage(const char* dpfFile, const char* block) {
    Tell(DebugWindow(), [&](Window& w) { w.SetBgImage(dpfFile, block); });
}
void Veltrano_Main::DwSetBgImage(int dpfHandle, const char* block) {
    Tell(DebugWindow(), [&](Window& w) { w.SetBgImage(dpfHandle, block); });
}
SDL_Surface* Veltrano_Main::DwGetBgImage() {
    return Ask<SDL_Surface*>(DebugWindow(), nullptr, [](Window& w) { return w.BgImage(); });
}
void Veltrano_Main::DwSetAlpha(unsigned char alpha) { Tell(DebugWindow(), [&](Window& w) { w.SetAlpha(alpha); }); }
unsigned char Veltrano_Main::DwGetAlpha() {
    return Ask<unsigned char>(DebugWindow(), 255, [](Window& w) { return w.Alpha(); });
}

int Veltrano_Main::DwAddWatch(const char* name, int* intValue, double* doubleValue) {
    developer_seam::WatchList* watches = developer_seam::Current().watches;
    return watches != nullptr ? watches->AddWatch(name, intValue, doubleValue) : 0;
}

int Veltrano_Main::DwRemoveWatch(const char* name) {
    developer_seam::WatchList* watches = developer_seam::Current().watches;
    return watches != nullptr ? watches->RemoveWatch(name) : 0;
}
