// The mixer's whole-file decoders for AIFF, VOC and Ogg Vorbis. The mixer
// library exports them but its header does not declare them. Each fills the
// audio format record and a malloc'ed sample buffer (released with
// SDL_FreeWAV) and returns that record, or null when the data cannot be
// decoded.
#ifndef VELTRANO_MEDIA_MIXER_LOADERS_H
#define VELTRANO_MEDIA_MIXER_LOADERS_H

#include <SDL.h>

extern "C" {
SDL_AudioSpec* Mix_LoadAIFF_RW(SDL_RWops* src, int freesrc, SDL_AudioSpec* spec, Uint8** buffer, Uint32* length);
SDL_AudioSpec* Mix_LoadVOC_RW(SDL_RWops* src, int freesrc, SDL_AudioSpec* spec, Uint8** buffer, Uint32* length);
SDL_AudioSpec* Mix_LoadOGG_RW(SDL_RWops* src, int freesrc, SDL_AudioSpec* spec, Uint8** buffer, Uint32* length);
}

#endif
