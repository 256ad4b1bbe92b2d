// The ICursor interface; created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_ICURSOR_H
#define VELTRANO_ICURSOR_H

#include <SDL.h>
#include "veltrano_types.h"

class VELTRANO_API Veltrano_ICursor {
public:
    Veltrano_ICursor();
    ~Veltrano_ICursor();
    Veltrano_ICursor(const Veltrano_ICursor&) = delete;
    Veltrano_ICursor& operator=(const Veltrano_ICursor&) = delete;

private:
    // Called by the core's update loop and by every object that draws on
    // the screen, so the software cursor survives what is drawn under it.
    friend class Veltrano_Main;
    friend class Veltrano_IPrimitives;
    friend class Veltrano_CTile;
    friend class Veltrano_CFont;
    friend class Veltrano_CSprite;

    // The mouse position of the previous logic frame.
    void SaveCoordinates(int x, int y);
    // Positions, erases and draws the cursor; once per rendered frame.
    void Update();
    // Takes the cursor off the screen where it meets rect (null: always);
    // 1 when it did.
    int RestoreBG(SDL_Rect* rect);
    // Saves the screen under the cursor again.
    void CopyBG();
};

VELTRANO_API extern Veltrano_ICursor* ICursor;

#endif
