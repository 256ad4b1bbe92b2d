// How the core's Con* and Dw* methods reach the developer windows, which live
// in a layer above it: the console layer registers its two windows here when
// a screen is made and clears them before it destroys them. The core never
// names the window classes.
#ifndef VELTRANO_CORE_DEVELOPER_SEAM_H
#define VELTRANO_CORE_DEVELOPER_SEAM_H

#include <SDL.h>

#include <cstdarg>
#include <string>
#include <vector>

class Veltrano_CFont;

namespace developer_seam {

using CommandHandler = int (*)(std::vector<std::string>*);

// What both windows offer the core.
class Window {
public:
    virtual void SetTitle(const char* title) = 0;
    virtual void Enable() = 0;
    virtual void Disable() = 0;
    virtual unsigned char IsEnabled() const = 0;
    virtual void SetVisible(int show) = 0;
    virtual unsigned char Visibility() const = 0;
    virtual void SetFont(const char* dpfFile, const char* block) = 0;
    virtual void SetFont(int dpfHandle, const char* block) = 0;
    virtual Veltrano_CFont* Font() = 0;
    virtual void Resize(int w, int h) = 0;
    virtual void Move(int x, int y) = 0;
    virtual SDL_Rect* Rect() = 0;
    virtual void SetBgColor(Uint32 pixel) = 0;
    virtual Uint32 BgColor() const = 0;
    virtual void SetBgImage(const char* dpfFile, const char* block) = 0;
    virtual void SetBgImage(int dpfHandle, const char* block) = 0;
    virtual SDL_Surface* BgImage() = 0;
    virtual void SetAlpha(int alpha) = 0;
    virtual unsigned char Alpha() const = 0;

protected:
    ~Window() = default;
};

// What only the console offers.
class CommandLine {
public:
    virtual void Print(const std::string& line) = 0;
    virtual void NewCommandLine() = 0;
    virtual int AddCommand(const char* name, const char* description, CommandHandler handler) = 0;
    virtual void Execute(const char* text) = 0;
    virtual int ToggleFeatures(int bits) = 0;

protected:
    ~CommandLine() = default;
};

// What only the debug window offers.
class WatchList {
public:
    virtual int AddWatch(const char* name, int* intValue, double* doubleValue) = 0;
    virtual int RemoveWatch(const char* name) = 0;

protected:
    ~WatchList() = default;
};

struct Windows {
    Window* console = nullptr;
    CommandLine* commandLine = nullptr;
    Window* debug = nullptr;
    WatchList* watches = nullptr;
};

// Registers the windows; the calling thread becomes the one that owns them.
void Set(const Windows& windows);
// Forgets them (and drops lines queued for them from other threads).
void Clear();
// The registered windows; every member is null while none exist.
const Windows& Current();

// The printf text of fmt and args, of any length.
std::string Format(const char* fmt, va_list args);

// Whether a console is registered; safe to ask from any thread.
bool ConsoleExists();

// Console text from any thread. On the owning thread the line is printed at
// once (after the lines other threads queued); from another thread it is
// queued for the owner, or dropped while no console exists or the queue is
// full.
void PrintLine(const std::string& line);
// Prints the lines other threads queued; the owner calls it once per frame.
void PrintQueuedLines();

}  // namespace developer_seam

#endif
