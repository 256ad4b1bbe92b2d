#include "score_table.h"

#include <veltrano.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kLongestName = 31;

// Names are kept to printable ASCII (what the name box types): other bytes
// in a hand-edited file would be written back into a document declared
// UTF-8 that the XML reader then refuses, losing the whole table.
std::string CleanName(const char* name) {
    std::string clean(name, strnlen(name, kLongestName));
    for (char& c : clean)
        if (c < 0x20 || c > 0x7E) c = '?';
    return clean;
}

bool ReadEntry(int doc, ScoreEntry& entry) {
    char* name = nullptr;
    if (Veltrano.XMLAttributeGet(doc, "name", &name) != 1 || name == nullptr ||
        Veltrano.XMLAttributeGet(doc, "score", &entry.score) != 1 || entry.score < 0)
        return false;
    entry.name = CleanName(name);
    if (Veltrano.XMLAttributeGet(doc, "level", &entry.level) != 1) entry.level = 0;
    return true;
}

void SortAndTrim(std::vector<ScoreEntry>& entries) {
    // Stable: an equal score entered later ranks below the earlier one.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; });
    if (entries.size() > kScoresKept) entries.resize(kScoresKept);
}

void WriteScores(const char* file, const std::vector<ScoreEntry>& entries) {
    const int doc = Veltrano.XMLCreate("scores");
    if (doc == 0) return;
    for (const ScoreEntry& entry : entries) {
        Veltrano.XMLNodeCreate(doc, "entry");
        Veltrano.XMLAttributeSet(doc, "name", entry.name.c_str());
        Veltrano.XMLAttributeSet(doc, "score", entry.score);
        Veltrano.XMLAttributeSet(doc, "level", entry.level);
        Veltrano.XMLNodeParent(doc);
    }
    if (Veltrano.XMLSave(doc, file) == 1) ILogSystem.Msg(0, " . High scores written to %s\n", file);
    Veltrano.XMLClose(doc);
}

}  // namespace

std::vector<ScoreEntry> ReadScores(const char* file) {
    std::vector<ScoreEntry> entries;
    const int doc = Veltrano.XMLOpen(file);
    if (doc == 0) return entries;
    if (Veltrano.XMLNodePointTo(doc, 2, "scores", "entry") == 1) {
        ScoreEntry entry;
        while (entries.size() < kScoresKept && ReadEntry(doc, entry)) {
            entries.push_back(entry);
            if (Veltrano.XMLNodeNext(doc) != 1) break;
        }
    }
    Veltrano.XMLClose(doc);
    // A hand-edited file need not be in order.
    SortAndTrim(entries);
    return entries;
}

void AddScore(const char* file, const char* name, int score, int level) {
    std::vector<ScoreEntry> entries = ReadScores(file);
    entries.push_back({CleanName(name), score, level});
    SortAndTrim(entries);
    WriteScores(file, entries);
}
