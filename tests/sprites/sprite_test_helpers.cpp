#include "sprites/sprite_test_helpers.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace sprite_test {

SDL_Surface* SheetSurface(int frameWidth, int frameHeight, const std::vector<int>& framesPerRow, int depth,
                          Masks masks, int spareColumns) {
    const int columns = *std::max_element(framesPerRow.begin(), framesPerRow.end()) + spareColumns;
    const int rows = static_cast<int>(framesPerRow.size());
    SDL_Surface* pattern = tile_test::PatternSurface(columns * frameWidth, rows * frameHeight, depth, masks);
    const Uint32 flat = PixelAt(pattern, 0, 0) == 0 ? 1 : 0;
    SDL_LockSurface(pattern);
    for (int row = 0; row < rows; ++row) {
        SDL_Rect blank{static_cast<Sint16>(framesPerRow[static_cast<size_t>(row)] * frameWidth),
                       static_cast<Sint16>(row * frameHeight),
                       static_cast<Uint16>((columns - framesPerRow[static_cast<size_t>(row)]) * frameWidth),
                       static_cast<Uint16>(frameHeight)};
        SDL_UnlockSurface(pattern);
        SDL_FillRect(pattern, &blank, flat);
        SDL_LockSurface(pattern);
    }
    SDL_UnlockSurface(pattern);
    return pattern;
}

std::vector<AnimSummary> Animations(Veltrano_CSprite& sprite, testing_support::LogCapture& log) {
    log.Clear();
    sprite.Info();
    std::vector<AnimSummary> anims;
    std::istringstream lines(log.Text());
    std::string line;
    while (std::getline(lines, line)) {
        AnimSummary anim{};
        int current = 0, time = 0, number = 0;
        char name[32] = {};
        if (line.find("] unknown state ") != std::string::npos) {
            anims.push_back(AnimSummary{});
        } else if (line.find("-> State animation ") != std::string::npos) {
            if (std::sscanf(line.c_str(), "      -> State animation %31[^(](%*d) - Type", name) == 1) {
                anims.push_back(AnimSummary{});
                anims.back().type = line.substr(line.find("Type ") + 5);
            }
        } else if (std::sscanf(line.c_str(), "         . Status: %d - Number of frames: %d - Current frame: %d",
                               &anim.state, &anim.frameCount, &current) == 3 && !anims.empty()) {
            anims.back().state = anim.state;
            anims.back().frameCount = anim.frameCount;
        } else if (std::sscanf(line.c_str(),
                               "         . HotSpot X: %d - HotSpot Y: %d - Start frame: %d - End frame: %d",
                               &anim.hotSpotX, &anim.hotSpotY, &anim.startFrame, &anim.endFrame) == 4 &&
                   !anims.empty()) {
            anims.back().hotSpotX = anim.hotSpotX;
            anims.back().hotSpotY = anim.hotSpotY;
            anims.back().startFrame = anim.startFrame;
            anims.back().endFrame = anim.endFrame;
        } else if (std::sscanf(line.c_str(), "         . Frame %d - Time %d ms", &number, &time) == 2 &&
                   !anims.empty()) {
            anims.back().times.push_back(time);
        }
    }
    log.Clear();
    return anims;
}

}  // namespace sprite_test
