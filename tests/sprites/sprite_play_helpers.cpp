#include "sprites/sprite_play_helpers.h"

namespace sprite_play {

Uint32 FrameColor(int row, int column) {
    return static_cast<Uint32>((20 + row * 60) << 16 | (20 + column * 50) << 8 | 100);
}

SDL_Surface* BlackSurface(int width, int height) {
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    SDL_FillRect(surface, nullptr, 0);
    return surface;
}

SDL_Surface* FrameSheet(int columns, int rows) {
    SDL_Surface* sheet = BlackSurface(columns * kFrameSize, rows * kFrameSize);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            SDL_Rect frame{static_cast<Sint16>(column * kFrameSize), static_cast<Sint16>(row * kFrameSize),
                           kFrameSize, kFrameSize};
            SDL_FillRect(sheet, &frame, FrameColor(row, column));
            SDL_Rect corner{static_cast<Sint16>(frame.x + kFrameSize - 1), static_cast<Sint16>(frame.y + kFrameSize - 1),
                            1, 1};
            SDL_FillRect(sheet, &corner, 0xFFFFFF);
        }
    }
    return sheet;
}

int FrameAt(SDL_Surface* surface, int x, int y) {
    Uint8 r, g, b;
    SDL_GetRGB(PixelAt(surface, x, y), surface->format, &r, &g, &b);
    const Uint32 color = static_cast<Uint32>(r) << 16 | static_cast<Uint32>(g) << 8 | b;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 5; ++column)
            if (FrameColor(row, column) == color) return row * 100 + column;
    return -1;
}

void SpritePlayTest::SetUp() {
    SurfaceTest::SetUp();
    if (screenDepth > 0) OpenScreen(screenDepth);
    SDL_Surface* sheet = FrameSheet(4, 3);
    sprite = std::make_unique<Veltrano_CSprite>();
    ASSERT_EQ(sprite->Create(sheet, "walker", kFrameSize, kFrameSize), 3);
    SDL_FreeSurface(sheet);
    target = BlackSurface(64, 64);
}

void SpritePlayTest::TearDown() {
    sprite.reset();
    SDL_FreeSurface(target);
    SurfaceTest::TearDown();
}

int SpritePlayTest::DrawnFrame() {
    sprite->Draw(target);
    return FrameAt(target, sprite->GetPosX(), sprite->GetPosY());
}

std::vector<int> SpritePlayTest::PlayedFrames(int draws, uint32_t millisecondsPerDraw) {
    std::vector<int> frames;
    for (int i = 0; i < draws; ++i) {
        if (i > 0) clock.Advance(millisecondsPerDraw);
        frames.push_back(DrawnFrame());
    }
    return frames;
}

}  // namespace sprite_play
