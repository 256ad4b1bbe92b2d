#include "scores.h"

#include "game.h"
#include "resources.h"
#include "screens.h"

#include <veltrano.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr size_t kKept = 5;
constexpr int kShownFrames = 600;  // back to the title after ten seconds

struct Entry {
    std::string name;
    int score = 0, level = 0;
};

std::vector<Entry> table;
int framesShown = 0;

// Reads the table; a missing or damaged file gives the entries it holds up
// to the damage (none when missing).
std::vector<Entry> ReadTable() {
    std::vector<Entry> entries;
    const int doc = Veltrano.XMLOpen(kScoresFile);
    if (doc == 0) return entries;
    if (Veltrano.XMLNodePointTo(doc, 2, "scores", "entry") == 1) do {
            Entry entry;
            char* name = nullptr;
            if (Veltrano.XMLAttributeGet(doc, "name", &name) != 1 || name == nullptr ||
                Veltrano.XMLAttributeGet(doc, "score", &entry.score) != 1)
                break;
            entry.name.assign(name, std::min<size_t>(std::char_traits<char>::length(name), 31));
            Veltrano.XMLAttributeGet(doc, "level", &entry.level);
            entries.push_back(entry);
        } while (entries.size() < kKept && Veltrano.XMLNodeNext(doc) == 1);
    Veltrano.XMLClose(doc);
    return entries;
}

void WriteTable(const std::vector<Entry>& entries) {
    const int doc = Veltrano.XMLCreate("scores");
    if (doc == 0) return;
    for (const Entry& entry : entries) {
        Veltrano.XMLNodeCreate(doc, "entry");
        Veltrano.XMLAttributeSet(doc, "name", entry.name.c_str());
        Veltrano.XMLAttributeSet(doc, "score", entry.score);
        Veltrano.XMLAttributeSet(doc, "level", entry.level);
        Veltrano.XMLNodeParent(doc);
    }
    if (Veltrano.XMLSave(doc, kScoresFile) == 1) ILogSystem.Msg(0, " . High scores written to %s\n", kScoresFile);
    Veltrano.XMLClose(doc);
}

}  // namespace

void AddScore(const char* name, int score, int level) {
    std::vector<Entry> entries = ReadTable();
    entries.push_back({name, score, level});
    // Stable: an equal score entered later ranks below the earlier one.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.score > b.score; });
    if (entries.size() > kKept) entries.resize(kKept);
    WriteTable(entries);
}

void EnterScores() {
    table = ReadTable();
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
