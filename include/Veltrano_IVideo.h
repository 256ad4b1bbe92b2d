// The IVideo interface: plays an MPEG-1 film on the screen, blocking until
// it ends. Created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_IVIDEO_H
#define VELTRANO_IVIDEO_H

#include "veltrano_types.h"

struct VideoState;

class VELTRANO_API Veltrano_IVideo {
public:
    // Called on the game's thread once per frame put on the screen, with the
    // last key pressed (0 for none), the frame and where it was drawn;
    // returning 0 stops the film.
    using FrameCallback = int (*)(int key, SDL_Surface* frame, SDL_Rect* position);

    Veltrano_IVideo();
    ~Veltrano_IVideo();
    Veltrano_IVideo(const Veltrano_IVideo&) = delete;
    Veltrano_IVideo& operator=(const Veltrano_IVideo&) = delete;

    // Size the film is decoded at; 0 = the film's own. Ignored while a film plays.
    void SetScale(int w, int h);
    // Where frames are drawn; a negative coordinate centres the film.
    void SetPosition(int x, int y);
    // RenderFX effect applied to every frame; 0 = none.
    void SetFX(int effect);
    void SetFunction(FrameCallback callback);
    // Plays the file until it ends, Escape, a quit event or the callback stops
    // it. sound: play the film's sound (through the SDK's mixer when it is
    // open); filter: bilinear smoothing. false when it could not be played.
    bool PlayMPEG(const char* file, char sound, char filter);

private:
    VideoState* state;
};

VELTRANO_API extern Veltrano_IVideo* IVideo;

#endif
