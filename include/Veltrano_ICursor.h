// The ICursor interface: a software mouse pointer of up to 32 images with
// hot spots, a clip region, smoothed movement and background save and
// restore. Created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_ICURSOR_H
#define VELTRANO_ICURSOR_H

#include <SDL.h>
#include "veltrano_types.h"

struct CursorState;

class VELTRANO_API Veltrano_ICursor {
public:
    Veltrano_ICursor();
    ~Veltrano_ICursor();
    Veltrano_ICursor(const Veltrano_ICursor&) = delete;
    Veltrano_ICursor& operator=(const Veltrano_ICursor&) = delete;

    // Takes over the mouse pointer; needs a screen.
    void Init();
    // Each returns the slot (0..31) of the new cursor, or -1. Hot-spot types:
    // 0 top-left, 1 right edge, 2 bottom edge, 3 bottom-right, 4 centre.
    char Create(SDL_Surface* surface, char type);
    char Create(const char* file, char type);
    char Load(const char* dpfFile, const char* name, char type);
    char Load(int dpf, const char* name, char type);
    void Select(char slot);
    void ChangeType(char slot, char type);
    void Delete(char slot);
    void Show();
    void Hide();
    void SetPosition(int x, int y);
    void ClipRegion(int x, int y, int maxX, int maxY);
    void SetSmooth(char on);
    void AutoRestore(char on);
    void Invalidate();
    void Info();
    void Close();

private:
    // Called through the core's hooks: once per logic frame and render, and
    // around whatever is drawn on the screen, so the software cursor survives
    // what is drawn under it.
    friend class CursorHooks;

    // The mouse position of the previous logic frame.
    void SaveCoordinates(int x, int y);
    // Positions, erases and draws the cursor; once per rendered frame.
    void Update();
    // Takes the cursor off the screen where it meets rect (null: always);
    // 1 when it did.
    int RestoreBG(SDL_Rect* rect);
    // Saves the screen under the cursor again.
    void CopyBG();

    bool Positioning();
    bool HasCursor() const;

    CursorState* state;
};

VELTRANO_API extern Veltrano_ICursor* ICursor;

#endif
