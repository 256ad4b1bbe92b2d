/// @file
/// The IVideo interface: plays an MPEG-1 film on the screen, blocking until
/// it ends. Created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_IVIDEO_H
#define VELTRANO_IVIDEO_H

#include "veltrano_types.h"

struct VideoState;

/// MPEG-1 film playback, reached through the global IVideo. The settings
/// (scale, position, effect, callback) are kept between films.
class VELTRANO_API Veltrano_IVideo {
public:
    /// Called on the game's thread once per frame put on the screen, with the
    /// last key pressed (0 for none), the frame and where it was drawn; the
    /// decoder waits until it returns, so the callback has the frame and the
    /// screen to itself. Returning 0 stops the film.
    using FrameCallback = int (*)(int key, SDL_Surface* frame, SDL_Rect* position);

    /// Default settings: film's own size at 0,0, no effect, no callback. Made by Veltrano.Init.
    Veltrano_IVideo();
    /// Called by Veltrano.Quit.
    ~Veltrano_IVideo();
    /// The interface is not copied.
    Veltrano_IVideo(const Veltrano_IVideo&) = delete;
    /// The interface is not copied.
    /// @return never (deleted).
    Veltrano_IVideo& operator=(const Veltrano_IVideo&) = delete;

    /// Sets the size the film is decoded (and shown) at. Ignored while a film plays.
    /// @param w  width in pixels; 0 (or negative) is the film's own width.
    /// @param h  height in pixels; 0 (or negative) is the film's own height.
    void SetScale(int w, int h);
    /// Sets where frames are drawn. A negative coordinate centres the film on
    /// the screen at its first frame, and the centred value is kept for later
    /// films until SetPosition is called again.
    /// @param x  left edge, or negative to centre horizontally.
    /// @param y  top edge, or negative to centre vertically.
    void SetPosition(int x, int y);
    /// Sets the IScreenFX->RenderFX effect applied to every frame.
    /// @param effect  an effect number; 0 (and 5) show frames unchanged.
    void SetFX(int effect);
    /// Sets the per-frame callback.
    /// @param callback  the callback; null for none.
    void SetFunction(FrameCallback callback);
    /// Plays the file and returns when it ends, on Escape, on a quit event or
    /// when the callback returns 0. The frame-rate time system is updated once
    /// per frame. Needs a screen.
    /// @param file    an MPEG-1 system or video stream.
    /// @param sound   non-zero plays the film's sound: through the SDK's mixer
    ///                (with the other sounds) when ISoundFX is started,
    ///                otherwise through the decoder's own audio device.
    /// @param filter  non-zero smooths scaled frames (bilinear).
    /// @return true when the film was played (also when stopped early); false
    ///         when it could not be played or no frame came for 5 seconds.
    /// Logs after " . [IVideo->Play(<file>,<own audio>,<filter>)] " (level 0):
    /// "Error: a film is already playing.", "Error: Veltrano.screen was not
    /// initialized.", "Error: <why the file is refused or the decoder's error
    /// text>.", "Error creating video surface.", "Error creating FX surface.",
    /// "Error: no frame decoded for 5000 ms, playback stopped."; at level 5 the
    /// film's resolution, audio and length.
    bool PlayMPEG(const char* file, char sound, char filter);

private:
    VideoState* state;
};

/// Film playback; made by Veltrano.Init, deleted (and null) after Veltrano.Quit.
VELTRANO_API extern Veltrano_IVideo* IVideo;

#endif
