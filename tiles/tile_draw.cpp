// Drawing tiles and their grid of cells.
#include "Veltrano_CTile.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_Main.h"
#include "core/cursor_guard.h"
#include "tiles/tile_state.h"
#include "tiles/tile_transform.h"

namespace {

// SDL rectangles hold 16-bit positions; a position beyond them lies off
// every surface, and stays off it instead of wrapping round.
Sint16 RectCoordinate(int32_t value) {
    if (value < -32768) return -32768;
    if (value > 32767) return 32767;
    return static_cast<Sint16>(value);
}

Uint16 RectSize(int32_t value) { return static_cast<Uint16>(value > 0xFFFF ? 0xFFFF : value); }

}  // namespace

unsigned char Veltrano_CTile::SetTileSet(int enable, int offsetX, int offsetY) {
    if (!state->loaded) return 0;
    if (enable == 0) {
        state->tileSet = false;
        state->tilesPerRow = state->tilesPerColumn = state->cellCount = 0;
        state->offsetX = state->offsetY = 0;
        return 0;
    }
    state->offsetX = offsetX < 1 ? 1 : offsetX;
    state->offsetY = offsetY < 1 ? 1 : offsetY;
    state->tilesPerRow = state->width / state->offsetX;
    state->tilesPerColumn = state->height / state->offsetY;
    // Widths and heights are below 65536, so the product fits.
    state->cellCount = state->tilesPerRow * state->tilesPerColumn;
    state->tileSet = true;
    return 1;
}

int Veltrano_CTile::GetOffset(int* x, int* y) {
    if (!state->loaded) return 0;
    if (x != nullptr) *x = state->tileSet ? state->offsetX : state->width;
    if (y != nullptr) *y = state->tileSet ? state->offsetY : state->height;
    return state->tileSet ? 1 : 0;
}

int Veltrano_CTile::Draw(SDL_Surface* target, int idAndFlags) {
    if (!state->loaded) return 0;
    if (target == nullptr) target = Veltrano.screen;
    if (target == nullptr) {
        ILogSystem.Msg(0, " . [CTile::Draw()] Error: the given surface or Veltrano.screen are null.\n");
        return 0;
    }
    const auto bits = static_cast<uint32_t>(idAndFlags);
    SDL_Rect src{0, 0, RectSize(state->width), RectSize(state->height)};
    SDL_Rect dst{RectCoordinate(state->posX), RectCoordinate(state->posY), src.w, src.h};
    if (state->tileSet) {
        const auto id = static_cast<int32_t>(bits & tile_transform::kIdMask);
        if (id > state->cellCount) {
            ILogSystem.Msg(2,
                           " . [CTileEngine::Draw(%d)] Warning: the given tile id does not exist in current "
                           "tileset.\n",
                           id);
            return 0;
        }
        if (id < 1) return 0;
        // The cell count is 0 unless both steps leave a cell, so no
        // division by zero reaches here.
        src.w = dst.w = RectSize(state->width / state->tilesPerRow);
        src.h = dst.h = RectSize(state->height / state->tilesPerColumn);
        src.x = RectCoordinate((id - 1) % state->tilesPerRow * state->offsetX);
        src.y = RectCoordinate((id - 1) / state->tilesPerRow * state->offsetY);
    }
    // The software cursor steps aside while the screen is drawn on.
    CursorGuard cursorOff(target, &dst);
    const int result =
        tile_transform::Draw(tile_transform::FromFlags(bits), state->surface, &src, target, &dst, state->backup);
    return result == 0 ? 1 : 0;
}
