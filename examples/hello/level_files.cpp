// Writes the levels through the SDK's own XML documents, so the files are
// exactly what Veltrano.XMLOpen reads back. A level is a grid of rows of
// terrain characters (see kLegend) plus elements for the player's start,
// the coins and the enemies, in cells of the grid.
#include "level_files.h"

#include <veltrano.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kLegend[] = " '#' wall, '^' spikes, '.' floor, ',' moss ";

struct Cell {
    int x, y;
};
struct Enemy {
    int x, y, dx, dy;  // dx, dy: the direction it patrols in
};
struct LevelPlan {
    const char* name;
    int seconds;  // time allowed
    std::vector<std::string> rows;
    Cell start;
    std::vector<Cell> coins;
    std::vector<Enemy> enemies;
};

const LevelPlan kLevels[] = {
    {"The cellar",
     60,
     {"####################",
      "#........,,........#",
      "#..................#",
      "#......####....,...#",
      "#..,...#..#........#",
      "#......#..#........#",
      "#...........^^.....#",
      "#..................#",
      "#...####.....####..#",
      "#........,.........#",
      "#..................#",
      "#......^^..........#",
      "#.............,....#",
      "####################"},
     {3, 2},
     {{6, 2}, {14, 2}, {3, 4}, {15, 5}, {6, 7}, {11, 9}, {3, 11}, {16, 11}},
     {{13, 4, 0, 1}, {4, 10, 1, 0}}},
    {"The vault",
     60,
     {"####################",
      "#..........,.......#",
      "#.##..##..##..##...#",
      "#..................#",
      "#..^^........^^....#",
      "#......,...........#",
      "#.####.......####..#",
      "#..................#",
      "#.....##....##.....#",
      "#..^........,...^..#",
      "#..................#",
      "#.##..##..##..##...#",
      "#..................#",
      "####################"},
     {2, 1},
     {{5, 1}, {17, 1}, {9, 3}, {2, 5}, {17, 5}, {9, 7}, {3, 10}, {15, 10}, {9, 12}},
     {{10, 5, 1, 0}, {5, 9, 0, 1}, {16, 7, 1, 0}}},
};

void AddCell(int doc, const char* element, int x, int y) {
    Veltrano.XMLNodeCreate(doc, element);  // the cursor moves to the new element
    Veltrano.XMLAttributeSet(doc, "x", x);
    Veltrano.XMLAttributeSet(doc, "y", y);
}

bool SaveLevel(const LevelPlan& plan, const std::filesystem::path& path) {
    const int doc = Veltrano.XMLCreate("level");
    if (doc == 0) return false;
    Veltrano.XMLAttributeSet(doc, "name", plan.name);
    Veltrano.XMLAttributeSet(doc, "seconds", plan.seconds);
    Veltrano.XMLCommentSet(doc, kLegend);
    for (const std::string& row : plan.rows) {
        Veltrano.XMLNodeCreate(doc, "row");
        Veltrano.XMLTextSet(doc, row.c_str());
        Veltrano.XMLNodeParent(doc);
    }
    AddCell(doc, "start", plan.start.x, plan.start.y);
    Veltrano.XMLNodeParent(doc);
    for (const Cell& coin : plan.coins) {
        AddCell(doc, "coin", coin.x, coin.y);
        Veltrano.XMLNodeParent(doc);
    }
    for (const Enemy& enemy : plan.enemies) {
        AddCell(doc, "enemy", enemy.x, enemy.y);
        Veltrano.XMLAttributeSet(doc, "dx", enemy.dx);
        Veltrano.XMLAttributeSet(doc, "dy", enemy.dy);
        Veltrano.XMLNodeParent(doc);
    }
    const bool saved = Veltrano.XMLSave(doc, path.string().c_str()) == 1;
    Veltrano.XMLClose(doc);
    if (!saved) std::fprintf(stderr, "make_assets: cannot write %s\n", path.string().c_str());
    return saved;
}

}  // namespace

bool SaveLevels(const std::filesystem::path& folder) {
    int number = 0;
    for (const LevelPlan& plan : kLevels)
        if (!SaveLevel(plan, folder / ("level" + std::to_string(++number) + ".xml"))) return false;
    return true;
}
