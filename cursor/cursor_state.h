// The software cursor's private record.
#ifndef VELTRANO_CURSOR_CURSOR_STATE_H
#define VELTRANO_CURSOR_CURSOR_STATE_H

#include <SDL.h>

#include <cstdint>
#include <vector>

struct CursorState {
    static constexpr int kSlots = 32;

    bool visible = false;
    bool initialised = false;
    bool autoRestore = false;
    bool bgValid = false;  // backgrounds[current] holds the screen under savedRect
    bool moved = false;
    SDL_Surface* images[kSlots] = {};
    SDL_Surface* backgrounds[kSlots] = {};
    // Pixel copies for the lost-surface restore, one per image.
    std::vector<uint8_t> backups[kSlots];
    uint8_t types[kSlots] = {};
    int8_t current = -1;
    float targetX = 0, targetY = 0;
    float savedX = 0, savedY = 0;
    float drawX = 0, drawY = 0;
    float prevDrawX = 0, prevDrawY = 0;
    bool smooth = true;
    int16_t clipX = 0, clipY = 0;
    uint16_t clipMaxX = 0, clipMaxY = 0;
    SDL_Rect rect = {};
    // Where the background was last saved: the cursor is taken off exactly
    // there, wherever it is meant to be drawn next.
    SDL_Rect savedRect = {};
    bool redraw = false;
};

#endif
