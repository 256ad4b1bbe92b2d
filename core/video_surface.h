// Surface services the core offers the rest of the SDK: the automatic
// conversion setting the loaders read, the texture conversion counters, and
// the lost-surface restore every object that blits its own surface applies.
#ifndef VELTRANO_CORE_VIDEO_SURFACE_H
#define VELTRANO_CORE_VIDEO_SURFACE_H

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace video_surface {

// Whether loaded surfaces are converted to the screen's format (initially on).
bool AutomaticConversion();
void SetAutomaticConversion(bool on);

// Surfaces uploaded to textures when they were loaded.
void CountLoadingTimeConversion();
int LoadingTimeConversions();

// A copy of the surface's pixels (pitch x height bytes), taken under a lock,
// for restoring video memory that was lost. Empty when the surface cannot be
// locked.
std::vector<uint8_t> BackupPixels(SDL_Surface* surface);

// SDL_UpperBlit, and when it reports lost video memory (-2) while the core
// checks for lost surfaces and a backup exists: refills the source from the
// backup and blits again. Returns the last blit's result; restored (when
// given) tells whether the source was refilled.
int BlitRestoringLostSurface(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst,
                             SDL_Rect* dstRect, const std::vector<uint8_t>& backup,
                             bool* restored = nullptr);
// The same with a backup held as a plain buffer of backupSize bytes.
int BlitRestoringLostSurface(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst,
                             SDL_Rect* dstRect, const uint8_t* backup, size_t backupSize,
                             bool* restored = nullptr);

}  // namespace video_surface

#endif
