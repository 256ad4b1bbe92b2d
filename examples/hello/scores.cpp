// The scores screen: the high-score table (score_table.h) until a key or a
// click, or ten seconds, lead back to the title.
#include "game.h"
#include "resources.h"
#include "score_table.h"
#include "screens.h"

#include <veltrano.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int kShownFrames = 10 * kLogicRate;  // back to the title after ten seconds

std::vector<ScoreEntry> table;
int framesShown = 0;

}  // namespace

void EnterScores() {
    table = ReadScores(kScoresFile);
    framesShown = 0;
    ShowPointer(true);
}

Screen StepScores() {
    const bool key = KeyWentDown(SDLK_RETURN) || KeyWentDown(SDLK_SPACE) || KeyWentDown(SDLK_ESCAPE);
    const bool clicked = (Veltrano.mousePrevButtons & 1) != 0 && (Veltrano.mouseButtons & 1) == 0;
    return ++framesShown > kShownFrames || key || clicked ? Screen::Title : Screen::Scores;
}

void DrawScores(SDL_Surface* target) {
    DrawBackdrop(target);
    const int middle = target->w / 2;
    WriteCentred(target, BigFont(), middle, 40, "HIGH SCORES");
    char line[96];
    for (size_t i = 0; i < table.size(); ++i) {
        std::snprintf(line, sizeof line, "%zu.  %-16s %6d   level %d", i + 1, table[i].name.c_str(), table[i].score,
                      table[i].level);
        WriteCentred(target, SmallFont(), middle, 110 + static_cast<int>(i) * 28, line);
    }
    if (table.empty()) WriteCentred(target, SmallFont(), middle, 110, "No scores yet");
    WriteCentred(target, SmallFont(), middle, target->h - 30, "Enter, Space or a click: back to the title");
}

void LeaveScores() {}
