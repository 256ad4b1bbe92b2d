// The hello demo's levels: the documents its asset maker writes read back
// through the game's reader, and malformed documents are refused whole.
#include <gtest/gtest.h>

#include <veltrano.h>

#include <string>

#include "level.h"
#include "level_files.h"
#include "support/test_support.h"

namespace {

using testing_support::TempDir;
using testing_support::WriteFile;

const std::string kWall(kColumns, '#');
const std::string kRoom = "#" + std::string(kColumns - 2, '.') + "#";

// A document of the given rows with extra elements after them.
std::string Document(const std::vector<std::string>& rows, const std::string& extra) {
    std::string xml = "<?xml version=\"1.0\"?>\n<level name=\"Test\" seconds=\"30\">\n";
    for (const std::string& row : rows) xml += "  <row>" + row + "</row>\n";
    return xml + extra + "</level>\n";
}

std::vector<std::string> Room() {
    std::vector<std::string> rows(kRows, kRoom);
    rows.front() = rows.back() = kWall;
    return rows;
}

class HelloLevel : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(Veltrano.Init(0), 1); }
    void TearDown() override { Veltrano.Quit(); }

    // Reads the document text; the level stays as read for the checks.
    bool Read(const std::string& xml) {
        WriteFile(dir.file("level.xml"), xml);
        const int doc = Veltrano.XMLOpen(dir.file("level.xml").c_str());
        if (doc == 0) return false;
        const bool ok = ReadLevel(doc, level);
        Veltrano.XMLClose(doc);
        return ok;
    }

    TempDir dir;
    Level level;
};

TEST_F(HelloLevel, ShippedLevelsReadBackAsWritten) {
    ASSERT_TRUE(SaveLevels(dir.path()));
    for (int number = 1; number <= kLevelCount; ++number) {
        const std::string file = dir.file("level" + std::to_string(number) + ".xml");
        const int doc = Veltrano.XMLOpen(file.c_str());
        ASSERT_NE(doc, 0) << file;
        Level read;
        EXPECT_TRUE(ReadLevel(doc, read)) << file;
        Veltrano.XMLClose(doc);
        EXPECT_FALSE(read.name.empty());
        EXPECT_GE(read.coins.size(), 8u);
        EXPECT_GE(read.enemies.size(), 2u);
        // Whoever starts, and every coin, stands on open ground.
        EXPECT_NE(read.grid[read.start.y][read.start.x], Terrain::Wall);
        for (const GridCell& coin : read.coins) EXPECT_NE(read.grid[coin.y][coin.x], Terrain::Wall) << file;
        for (int column = 0; column < kColumns; ++column) EXPECT_EQ(read.grid[0][column], Terrain::Wall);
    }
}

TEST_F(HelloLevel, ReadsTerrainCellsAndEnemyDirections) {
    std::vector<std::string> rows = Room();
    rows[3][4] = '^';
    rows[5][6] = ',';
    ASSERT_TRUE(Read(Document(rows, "<start x=\"2\" y=\"2\"/><coin x=\"5\" y=\"6\"/>"
                                    "<enemy x=\"7\" y=\"8\" dx=\"5\" dy=\"-3\"/><unknown/>")));
    EXPECT_EQ(level.name, "Test");
    EXPECT_EQ(level.seconds, 30);
    EXPECT_EQ(level.grid[3][4], Terrain::Spikes);
    EXPECT_EQ(level.grid[5][6], Terrain::Moss);
    EXPECT_EQ(level.grid[0][0], Terrain::Wall);
    EXPECT_EQ(level.grid[1][1], Terrain::Floor);
    ASSERT_EQ(level.enemies.size(), 1u);
    EXPECT_EQ(level.enemies[0].dx, 1);  // directions, not speeds
    EXPECT_EQ(level.enemies[0].dy, -1);
}

TEST_F(HelloLevel, RefusesMalformedDocuments) {
    const std::string coin = "<start x=\"1\" y=\"1\"/><coin x=\"2\" y=\"2\"/>";
    std::vector<std::string> shortRow = Room(), badCharacter = Room(), missingRow = Room();
    shortRow[4].pop_back();
    badCharacter[4][3] = 'x';
    missingRow.pop_back();
    EXPECT_FALSE(Read(Document(shortRow, coin)));
    EXPECT_FALSE(Read(Document(badCharacter, coin)));
    EXPECT_FALSE(Read(Document(missingRow, coin)));
    EXPECT_FALSE(Read(Document(Room(), "<start x=\"1\" y=\"1\"/>"))) << "a level needs a coin";
    EXPECT_FALSE(Read(Document(Room(), coin + "<coin x=\"20\" y=\"2\"/>"))) << "a coin outside the grid";
    EXPECT_FALSE(Read(Document(Room(), coin + "<coin x=\"-1\" y=\"2\"/>")));
    EXPECT_FALSE(Read(Document(Room(), coin + "<enemy x=\"3\" y=\"3\"/>"))) << "an enemy without direction";
    std::vector<std::string> extraRow = Room();
    extraRow.push_back(kWall);
    EXPECT_FALSE(Read(Document(extraRow, coin)));
    EXPECT_FALSE(Read("<level/>"));
}

TEST_F(HelloLevel, OutsideTheGridIsWall) {
    ASSERT_TRUE(Read(Document(Room(), "<start x=\"1\" y=\"1\"/><coin x=\"2\" y=\"2\"/>")));
    EXPECT_EQ(TerrainAt(level, -0.5f, 40), Terrain::Wall);
    EXPECT_EQ(TerrainAt(level, kFieldWidth, 40), Terrain::Wall);
    EXPECT_EQ(TerrainAt(level, 40, kFieldHeight + 3), Terrain::Wall);
    EXPECT_EQ(TerrainAt(level, 40, 40), Terrain::Floor);
    // A critter in the first open cell touches no wall; moved into the border it does.
    EXPECT_FALSE(HitsWall(level, 48, 48, 11));
    EXPECT_TRUE(HitsWall(level, 40, 48, 11));
}

}  // namespace
