// The hello demo's high-score table: kept sorted and short, written as a
// document that reads back, and read safely from hand-edited files.
#include <gtest/gtest.h>

#include <veltrano.h>

#include <string>

#include "score_table.h"
#include "support/test_support.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

class HelloScores : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Veltrano.Init(0), 1); }
    void TearDown() override { Veltrano.Quit(); }

    std::string Scores(const std::vector<ScoreEntry>& table) {
        std::string text;
        for (const ScoreEntry& entry : table) text += entry.name + ":" + std::to_string(entry.score) + " ";
        return text;
    }

    TempDir dir;
    const std::string file = dir.file("scores.xml");
};

TEST_F(HelloScores, KeepsTheBestFiveBestFirst) {
    EXPECT_TRUE(ReadScores(file.c_str()).empty()) << "no file, no scores";
    for (int score : {30, 10, 50, 20, 40, 5, 60}) AddScore(file.c_str(), ("p" + std::to_string(score)).c_str(), score, 1);
    EXPECT_EQ(Scores(ReadScores(file.c_str())), "p60:60 p50:50 p40:40 p30:30 p20:20 ");
}

// Found by fuzzing: a name that is not UTF-8 was written back as it was and
// the next read refused the whole file.
TEST_F(HelloScores, NamesThatAreNotTextStayReadable) {
    WriteFile(file, "<scores><entry name=\"ok\" score=\"20\"/><entry name=\"\xd5\xaf\x93\x9e\xdd\" score=\"10\"/></scores>");
    AddScore(file.c_str(), "new\x01", 15, 1);
    EXPECT_EQ(Scores(ReadScores(file.c_str())), "ok:20 new?:15 \?\?\?\?\?:10 ");
}

TEST_F(HelloScores, AnEqualScoreRanksBelowTheEarlierOne) {
    AddScore(file.c_str(), "first", 10, 1);
    AddScore(file.c_str(), "second", 10, 2);
    const std::vector<ScoreEntry> table = ReadScores(file.c_str());
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].name, "first");
    EXPECT_EQ(table[1].level, 2);
}

TEST_F(HelloScores, HandEditedFilesAreSortedTrimmedAndReadUpToTheDamage) {
    WriteFile(file, "<scores><entry name=\"low\" score=\"1\"/><entry name=\"high\" score=\"9\" level=\"2\"/>"
                    "<entry score=\"7\"/><entry name=\"lost\" score=\"8\"/></scores>");
    EXPECT_EQ(Scores(ReadScores(file.c_str())), "high:9 low:1 ") << "the entry without a name ends the table";
    WriteFile(file, "<scores><entry name=\"" + std::string(80, 'n') + "\" score=\"3\"/>"
                    "<entry name=\"minus\" score=\"-4\"/></scores>");
    const std::vector<ScoreEntry> table = ReadScores(file.c_str());
    ASSERT_EQ(table.size(), 1u) << "a negative score is damage";
    EXPECT_EQ(table[0].name, std::string(31, 'n'));
    WriteFile(file, "not a document");
    EXPECT_TRUE(ReadScores(file.c_str()).empty());
    AddScore(file.c_str(), "fresh", 12, 1);  // a damaged file is replaced by a good table
    EXPECT_EQ(Scores(ReadScores(file.c_str())), "fresh:12 ");
}

}  // namespace
