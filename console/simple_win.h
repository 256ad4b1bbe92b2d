// The base of the developer windows: a rectangle over the game with a
// background (a colour or a scaled image), an opacity, a bitmap font (the
// built-in one unless replaced), a title, text lines and a fade in and out.
#ifndef VELTRANO_CONSOLE_SIMPLE_WIN_H
#define VELTRANO_CONSOLE_SIMPLE_WIN_H

#include <SDL.h>

#include <string>
#include <vector>

#include "core/developer_seam.h"
#include "fonts/font_listeners.h"

class Veltrano_CFont;

class cSimpleWin : public developer_seam::Window, private font_listeners::Listener {
public:
    static constexpr int kMinWidth = 150;
    static constexpr int kMinHeight = 100;
    static constexpr int kMinAlpha = 64;
    // Values of visibility.
    static constexpr unsigned char kHidden = 0;
    static constexpr unsigned char kShown = 1;
    static constexpr unsigned char kFadingIn = 33;
    static constexpr unsigned char kFadingOut = 223;
    // Bits of features.
    static constexpr int kNoConsoleKey = 1;
    static constexpr int kNoCommandLine = 2;
    static constexpr int kNoFade = 4;

    cSimpleWin();
    virtual ~cSimpleWin();
    cSimpleWin(const cSimpleWin&) = delete;
    cSimpleWin& operator=(const cSimpleWin&) = delete;

    // One logic frame: advances a fade; true while enabled and not hidden.
    virtual bool Update();
    void Enable() override;
    virtual void Render() = 0;
    // Places the text after a move, resize or font change.
    virtual void Layout() = 0;

    void SetTitle(const char* title) override;
    void Disable() override { enabled = 0; }
    unsigned char IsEnabled() const override { return enabled; }
    void SetVisible(int show) override;
    unsigned char Visibility() const override { return visibility; }
    void SetFont(const char* dpfFile, const char* block) override;
    void SetFont(int dpfHandle, const char* block) override;
    Veltrano_CFont* Font() override { return font; }
    void Resize(int w, int h) override;
    void Move(int x, int y) override;
    SDL_Rect* Rect() override { return &rect; }
    void SetBgColor(Uint32 pixel) override;
    // The colour as the screen format keeps it (bits it cannot hold dropped).
    Uint32 BgColor() const override;
    void SetBgImage(const char* dpfFile, const char* block) override;
    void SetBgImage(int dpfHandle, const char* block) override;
    SDL_Surface* BgImage() override { return bgSurface; }
    void SetAlpha(int alpha) override;
    unsigned char Alpha() const override { return alpha; }

    const std::vector<std::string>& Lines() const { return lines; }
    const std::string& Title() const { return title; }

protected:
    // Sets the colour background while the window is still disabled
    // (construction gives each window its first colour).
    void SetFirstBgColor(Uint8 r, Uint8 g, Uint8 b);
    // Opacity to the background and the font; -1 means alpha.
    void ApplyAlpha(int a);
    // Draws the background over the window rectangle.
    void DrawBackground();
    // The width of "M" in the font, 0 without a font.
    int LetterWidth();

    std::vector<std::string> lines;
    SDL_Rect rect{0, 0, kMinWidth, kMinHeight};
    unsigned char visibility = kHidden;
    Uint32 bgColor = 0;
    SDL_Surface* bgSurface = nullptr;
    SDL_Surface* bgSource = nullptr;
    unsigned char alpha = 128;
    Veltrano_CFont* font = nullptr;
    std::string title;
    int features = 0;
    Uint32 fadeStart = 0;
    Uint32 fadeNow = 0;
    unsigned char enabled = 0;

private:
    void FontDeleted(Veltrano_CFont* deleted) override;
    void ReplaceFont(Veltrano_CFont* loaded);
    // Scales the kept image to the window size; true when it did.
    bool RescaleSource();
    void ReplaceBackground(SDL_Surface* surface, SDL_Surface* source);
};

#endif
