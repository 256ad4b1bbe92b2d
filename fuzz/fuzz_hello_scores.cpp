// Arbitrary bytes as the hello demo's high-score file (a player may edit
// it): reading gives at most five entries, sorted, with short names, and a
// score added to it is saved as a table that reads back.
#include <cstdint>
#include <cstdlib>

#include "fuzz_setup.h"
#include "score_table.h"

namespace {

void CheckTable(const std::vector<ScoreEntry>& table) {
    if (table.size() > kScoresKept) std::abort();
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].name.size() > 31 || table[i].score < 0) std::abort();
        if (i > 0 && table[i - 1].score < table[i].score) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz_setup::Start("fuzz_hello_scores", "scores.xml");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& file = fuzz_setup::WriteWorkFile(data, size);
    const std::vector<ScoreEntry> before = ReadScores(file.c_str());
    CheckTable(before);
    AddScore(file.c_str(), "fuzz", 42, 1);
    const std::vector<ScoreEntry> after = ReadScores(file.c_str());
    CheckTable(after);
    if (after.empty()) std::abort();  // the table just written must read back
    return 0;
}
