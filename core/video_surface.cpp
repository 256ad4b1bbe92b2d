#include "core/video_surface.h"

#include <cstring>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"

namespace video_surface {
namespace {

bool automaticConversion = true;
int loadingTimeConversions = 0;

size_t PixelBytes(const SDL_Surface* surface) {
    return static_cast<size_t>(surface->pitch) * static_cast<size_t>(surface->h);
}

}  // namespace

bool AutomaticConversion() { return automaticConversion; }

void SetAutomaticConversion(bool on) { automaticConversion = on; }

void CountLoadingTimeConversion() { ++loadingTimeConversions; }

int LoadingTimeConversions() { return loadingTimeConversions; }

std::vector<uint8_t> BackupPixels(SDL_Surface* surface) {
    std::vector<uint8_t> copy;
    if (surface == nullptr || SDL_LockSurface(surface) != 0) return copy;
    const auto* pixels = static_cast<const uint8_t*>(surface->pixels);
    copy.assign(pixels, pixels + PixelBytes(surface));
    SDL_UnlockSurface(surface);
    return copy;
}

int BlitRestoringLostSurface(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst,
                             SDL_Rect* dstRect, const std::vector<uint8_t>& backup, bool* restored) {
    return BlitRestoringLostSurface(src, srcRect, dst, dstRect, backup.data(), backup.size(), restored);
}

int BlitRestoringLostSurface(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst,
                             SDL_Rect* dstRect, const uint8_t* backup, size_t backupSize, bool* restored) {
    if (restored != nullptr) *restored = false;
    // SDL clips the destination rectangle in place; the repeat starts from
    // the rectangle the caller asked for.
    SDL_Rect requested{};
    if (dstRect != nullptr) requested = *dstRect;
    int result = SDL_UpperBlit(src, srcRect, dst, dstRect);
    if (result != -2 || !Veltrano.surfaceLossCheck || src == nullptr) return result;
    if (backup == nullptr || backupSize != PixelBytes(src)) return result;
    if (SDL_LockSurface(src) != 0) {
        SDL_Delay(10);
        return result;
    }
    std::memcpy(src->pixels, backup, backupSize);
    SDL_UnlockSurface(src);
    if (dstRect != nullptr) *dstRect = requested;
    result = SDL_UpperBlit(src, srcRect, dst, dstRect);
    if (restored != nullptr) *restored = true;
    ILogSystem.Msg(5, " . [Veltrano_Blit()] Info: lost surface was restored.\n");
    return result;
}

}  // namespace video_surface
