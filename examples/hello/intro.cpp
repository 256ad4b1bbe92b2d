// The intro film: intro.mpg beside the game, centred at its own size.
// Escape skips it; the self-playing run stops it after a few frames.
#include "assets.h"
#include "autoplay.h"
#include "screens.h"

#include <veltrano.h>

namespace {

int filmFrames = 0;

int OnFilmFrame(int key, SDL_Surface*, SDL_Rect*) {
    ++filmFrames;
    if (key == SDLK_SPACE || key == SDLK_RETURN) return 0;  // skipped
    return AutoplayFilmFrame(filmFrames) ? 1 : 0;
}

}  // namespace

void PlayIntro() {
    SDL_FillRect(Veltrano.screen, nullptr, 0);
    IVideo->SetPosition(-1, -1);  // centred
    IVideo->SetScale(0, 0);       // at the film's own size
    IVideo->SetFunction(OnFilmFrame);
    // The film's sound goes through the SDK's mixer when the game has sound.
    // Without it the film plays silent: asked for sound, the player would
    // try to open the audio device itself, and with no device the film
    // would not play at all.
    const char withSound = ISoundFX->Initialized() ? 1 : 0;
    if (!IVideo->PlayMPEG(kIntroFilm, withSound, 0))
        ILogSystem.Msg(0, "\n . The intro film could not be played; the game starts at once\n");
    IVideo->SetFunction(nullptr);
    ILogSystem.Msg(0, " . The intro showed %d frames\n", filmFrames);
}
