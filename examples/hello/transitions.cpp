#include "transitions.h"

#include <veltrano.h>

namespace {

constexpr unsigned int kFadeMs = 250;

}  // namespace

void FadeOut() { IScreenFX->FadeToColor(0, 0, 0, kFadeMs, nullptr); }

void FadeIn(void (*draw)(SDL_Surface*)) {
    // The first frame is drawn off screen: fading needs the finished image.
    SDL_Surface* first = SDL_DisplayFormat(Veltrano.screen);
    if (first == nullptr) return;
    draw(first);
    IScreenFX->FadeToImage(first, kFadeMs, nullptr, nullptr);
    SDL_FreeSurface(first);
}
