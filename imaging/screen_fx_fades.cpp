// FadeToColor and FadeToImage: a screen region blended step by step into a
// colour or an image, blocking until done. The step grows when flips take
// longer than the duration allows, so a slow screen still ends on time.
#include <algorithm>
#include <cstdint>

#include "Veltrano_IScreenFX.h"
#include "Veltrano_Main.h"
#include "core/clock.h"
#include "core/surface_ptr.h"
#include "imaging/screen_fx_fades.h"
#include "imaging/screen_fx_internal.h"

namespace screen_fx {
namespace {

void SdlFlip(SDL_Surface* screen) { SDL_Flip(screen); }

FlipFunction flip = SdlFlip;

}  // namespace

FlipFunction SetFlipFunction(FlipFunction function) {
    FlipFunction previous = flip;
    flip = function ? function : SdlFlip;
    return previous;
}

namespace {

SDL_Rect ToRect(const Area& area) {
    return SDL_Rect{static_cast<Sint16>(area.x), static_cast<Sint16>(area.y), static_cast<Uint16>(area.w),
                    static_cast<Uint16>(area.h)};
}

Area ToArea(const SDL_Rect& rect) { return Area{rect.x, rect.y, rect.w, rect.h}; }

// Where on the screen the fade happens and which part of the overlay covers it.
struct FadeRegions {
    Area screen, overlay;
};

// A given screen rectangle imposes its size on the overlay region; without
// one the screen region takes the overlay's size. The screen region is then
// cut to the screen, the overlay region moving along.
FadeRegions PlanRegions(SDL_Surface* screen, const SDL_Rect* screenRect, const Area& overlay) {
    FadeRegions regions{screenRect ? ToArea(*screenRect) : Area{0, 0, screen->w, screen->h}, overlay};
    if (screenRect != nullptr) {
        regions.overlay.w = regions.screen.w;
        regions.overlay.h = regions.screen.h;
    } else {
        regions.screen.w = regions.overlay.w;
        regions.screen.h = regions.overlay.h;
    }
    const int left = std::max(regions.screen.x, 0), top = std::max(regions.screen.y, 0);
    const int right = std::min(regions.screen.x + regions.screen.w, screen->w);
    const int bottom = std::min(regions.screen.y + regions.screen.h, screen->h);
    regions.overlay.x += left - regions.screen.x;
    regions.overlay.y += top - regions.screen.y;
    regions.screen = Area{left, top, right - left, bottom - top};
    regions.overlay.w = regions.screen.w;
    regions.overlay.h = regions.screen.h;
    return regions;
}

class Fade {
public:
    Fade(SDL_Surface* screen, SDL_Surface* overlay, const FadeRegions& regions)
        : screen_(screen), overlay_(overlay), regions_(regions) {}
    Fade(const Fade&) = delete;
    Fade& operator=(const Fade&) = delete;

    bool Prepare() {
        if (Veltrano.IsGL()) return true;  // the back-end redraws the region itself
        saved_.reset(CreateLike(screen_, regions_.screen.w, regions_.screen.h));
        if (saved_ == nullptr) return false;
        SDL_Rect from = ToRect(regions_.screen);
        SDL_BlitSurface(screen_, &from, saved_.get(), nullptr);
        if (screen_->flags & SDL_HWSURFACE) {
            composition_.reset(CreateLike(screen_, screen_->w, screen_->h));
            if (composition_ == nullptr) return false;
            SDL_BlitSurface(screen_, nullptr, composition_.get(), nullptr);
        }
        return true;
    }

    void Run(unsigned int ms) {
        unsigned int alpha = 0, step = 1;
        while (alpha < 255) {
            const uint32_t start = clock_source::Ticks();
            SDL_SetAlpha(overlay_, SDL_SRCALPHA, static_cast<Uint8>(alpha));
            DrawStep();
            const uint32_t wait = ms / (255 / step);
            bool first = true;
            do {
                Present(first);
                first = false;
                clock_source::Wait(0);
            } while (clock_source::Ticks() - start < wait);
            const uint64_t took = clock_source::Ticks() - start;
            if (ms < uint64_t{(255 - alpha) / step} * took) ++step;
            alpha += step;
        }
        SDL_SetAlpha(overlay_, 0, 255);
        DrawOverlay();
        Present(true);
    }

private:
    SDL_Surface* Target() const { return composition_ ? composition_.get() : screen_; }

    void DrawOverlay() {
        SDL_Rect from = ToRect(regions_.overlay), at = ToRect(regions_.screen);
        Veltrano.Blit(overlay_, &from, Target(), &at);
    }

    void DrawStep() {
        if (saved_ != nullptr) {
            SDL_Rect at = ToRect(regions_.screen);
            Veltrano.Blit(saved_.get(), nullptr, Target(), &at);
        }
        DrawOverlay();
    }

    // A double-buffered screen needs the composition again before every flip.
    void Present(bool afterDrawing) {
        if (composition_ != nullptr && (afterDrawing || (screen_->flags & SDL_DOUBLEBUF)))
            Veltrano.Blit(composition_.get(), nullptr, screen_, nullptr);
        flip(screen_);
    }

    SDL_Surface* screen_;
    SDL_Surface* overlay_;
    FadeRegions regions_;
    SurfacePtr saved_;
    SurfacePtr composition_;
};

int RunFade(SDL_Surface* overlay, const FadeRegions& regions, unsigned int ms) {
    if (regions.screen.Empty()) return 0;
    Fade fade(Veltrano.screen, overlay, regions);
    if (!fade.Prepare()) return 0;
    fade.Run(ms);
    return 1;
}

}  // namespace
}  // namespace screen_fx

using namespace screen_fx;

int Veltrano_IScreenFX::FadeToColor(unsigned char red, unsigned char green, unsigned char blue, unsigned int ms,
                                    SDL_Rect* rect) {
    SDL_Surface* screen = Veltrano.screen;
    if (screen == nullptr) return 0;
    const FadeRegions regions = PlanRegions(screen, rect, Area{0, 0, screen->w, screen->h});
    if (regions.screen.Empty()) return 0;
    const SurfacePtr overlay(CreateLike(screen, regions.screen.w, regions.screen.h));
    if (overlay == nullptr) return 0;
    SDL_FillRect(overlay.get(), nullptr, SDL_MapRGB(screen->format, red, green, blue));
    const FadeRegions onOverlay{regions.screen, Area{0, 0, regions.screen.w, regions.screen.h}};
    return RunFade(overlay.get(), onOverlay, ms);
}

int Veltrano_IScreenFX::FadeToImage(SDL_Surface* image, unsigned int ms, SDL_Rect* screenRect,
                                    SDL_Rect* imageRect) {
    SDL_Surface* screen = Veltrano.screen;
    if (screen == nullptr || image == nullptr || image == screen) return 0;
    if ((image->flags & SDL_SRCALPHA) && image->format->Amask != 0) return 0;
    const Area imageArea = imageRect ? ToArea(*imageRect) : Area{0, 0, image->w, image->h};
    const FadeRegions regions = PlanRegions(screen, screenRect, imageArea);
    // A hardware image is read through a software copy.
    const SurfacePtr copy((image->flags & SDL_HWSURFACE) ? SDL_ConvertSurface(image, image->format, SDL_SWSURFACE)
                                                          : nullptr);
    SDL_Surface* overlay = copy ? copy.get() : image;
    // The caller's image gets its own alpha setting back.
    const Uint32 alphaFlag = image->flags & SDL_SRCALPHA;
    const Uint8 alpha = image->format->alpha;
    const int result = RunFade(overlay, regions, ms);
    SDL_SetAlpha(image, alphaFlag, alpha);
    return result;
}
