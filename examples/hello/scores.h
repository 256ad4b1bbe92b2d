// The high-score table: the best five scores with the player's name and the
// level reached, kept in hello-scores.xml (an XML document written with the
// SDK's XML calls) and shown by the scores screen.
#ifndef HELLO_SCORES_H
#define HELLO_SCORES_H

constexpr const char* kScoresFile = "hello-scores.xml";

// Enters a score (if it makes the table) and saves the table.
void AddScore(const char* name, int score, int level);

#endif
