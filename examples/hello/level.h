// A level: a grid of terrain cells drawn from the ground tileset, where the
// player starts, the coins and the enemies. Levels are XML documents stored
// in the archive ("level1.xml", "level2.xml"); see level_files.cpp for the
// format.
#ifndef HELLO_LEVEL_H
#define HELLO_LEVEL_H

#include <string>
#include <vector>

constexpr int kColumns = 20, kRows = 14, kCell = 32;
constexpr int kFieldWidth = kColumns * kCell, kFieldHeight = kRows * kCell;
constexpr int kLevelCount = 2;

// The values are the tileset's cell numbers.
enum class Terrain { Floor = 1, Moss = 2, Wall = 3, Spikes = 4 };

struct GridCell {
    int x = 0, y = 0;
};
struct EnemyStart {
    GridCell at;
    int dx = 0, dy = 0;
};

struct Level {
    std::string name;
    int seconds = 60;
    Terrain grid[kRows][kColumns] = {};
    GridCell start;
    std::vector<GridCell> coins;
    std::vector<EnemyStart> enemies;
};

// Reads the level from the open document doc into level (emptied first);
// false, the level half read, when a row or a cell is malformed or the grid
// is incomplete.
bool ReadLevel(int doc, Level& level);

// Reads level number (1..kLevelCount) from the archive. A document that is
// missing or malformed (bad rows, cells outside the grid) gives false and a
// log line, never a half-read level.
bool LoadLevel(int number, Level& level);

// The terrain under a point of the field (pixels); outside is wall.
Terrain TerrainAt(const Level& level, float x, float y);
// True when a square of half-size half centred on (x, y) touches a wall.
bool HitsWall(const Level& level, float x, float y, float half);

#endif
