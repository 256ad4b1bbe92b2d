// The high-score table: the best five scores with the player's name and the
// level reached, kept in hello-scores.xml, an XML document read and written
// with the SDK's XML calls. A player may edit the file: whatever it holds,
// reading it gives at most five well-formed entries.
#ifndef HELLO_SCORE_TABLE_H
#define HELLO_SCORE_TABLE_H

#include <string>
#include <vector>

constexpr const char* kScoresFile = "hello-scores.xml";
constexpr size_t kScoresKept = 5;

struct ScoreEntry {
    std::string name;  // at most 31 characters
    int score = 0, level = 0;
};

// The entries of the file, best first, up to the first damaged one (none
// when the file is missing).
std::vector<ScoreEntry> ReadScores(const char* file);
// Enters a score (if it makes the table) and saves the table to file.
void AddScore(const char* file, const char* name, int score, int level);

#endif
