#include "level.h"

#include "assets.h"

#include <veltrano.h>

#include <cstdio>
#include <cstring>

namespace {

bool ReadTerrain(char c, Terrain& terrain) {
    switch (c) {
        case '.': terrain = Terrain::Floor; return true;
        case ',': terrain = Terrain::Moss; return true;
        case '#': terrain = Terrain::Wall; return true;
        case '^': terrain = Terrain::Spikes; return true;
        default: return false;
    }
}

bool ReadRow(int doc, Level& level, int row) {
    const char* text = Veltrano.XMLTextGet(doc);
    if (row >= kRows || text == nullptr || std::strlen(text) != kColumns) return false;
    for (int column = 0; column < kColumns; ++column)
        if (!ReadTerrain(text[column], level.grid[row][column])) return false;
    return true;
}

// The cursor element's x and y, which must name a cell of the grid.
bool ReadCell(int doc, GridCell& cell) {
    return Veltrano.XMLAttributeGet(doc, "x", &cell.x) == 1 && Veltrano.XMLAttributeGet(doc, "y", &cell.y) == 1 &&
           cell.x >= 0 && cell.x < kColumns && cell.y >= 0 && cell.y < kRows;
}

bool ReadEnemy(int doc, Level& level) {
    EnemyStart enemy;
    if (!ReadCell(doc, enemy.at) || Veltrano.XMLAttributeGet(doc, "dx", &enemy.dx) != 1 ||
        Veltrano.XMLAttributeGet(doc, "dy", &enemy.dy) != 1)
        return false;
    // A direction, not a speed: anything else is clamped to -1..1.
    enemy.dx = enemy.dx < 0 ? -1 : enemy.dx > 0 ? 1 : 0;
    enemy.dy = enemy.dy < 0 ? -1 : enemy.dy > 0 ? 1 : 0;
    level.enemies.push_back(enemy);
    return true;
}

// One child element of the root; unknown elements are skipped, so a later
// version of the format can add some.
bool ReadElement(int doc, Level& level, int& rows) {
    const char* name = Veltrano.XMLNodeGetName(doc);
    if (name == nullptr) return false;
    if (std::strcmp(name, "row") == 0) return ReadRow(doc, level, rows++);
    if (std::strcmp(name, "start") == 0) return ReadCell(doc, level.start);
    if (std::strcmp(name, "coin") == 0) {
        GridCell coin;
        if (!ReadCell(doc, coin)) return false;
        level.coins.push_back(coin);
        return true;
    }
    if (std::strcmp(name, "enemy") == 0) return ReadEnemy(doc, level);
    return true;
}

}  // namespace

bool ReadLevel(int doc, Level& level) {
    level = Level{};  // nothing of a level read before may stay
    if (Veltrano.XMLNodeFirst(doc) != 1) return false;
    char* name = nullptr;
    if (Veltrano.XMLAttributeGet(doc, "name", &name) == 1 && name != nullptr) level.name = name;
    Veltrano.XMLAttributeGet(doc, "seconds", &level.seconds);
    if (level.seconds < 10 || level.seconds > 999) level.seconds = 60;
    int rows = 0;
    if (Veltrano.XMLNodeChild(doc) != 1) return false;
    do {
        if (!ReadElement(doc, level, rows)) return false;
    } while (Veltrano.XMLNodeNext(doc) == 1);
    return rows == kRows && !level.coins.empty();
}

bool LoadLevel(int number, Level& level) {
    char block[32];
    std::snprintf(block, sizeof block, "level%d.xml", number);
    const int doc = Veltrano.XMLOpen(kAssets, block);
    if (doc == 0) {
        ILogSystem.Msg(0, " . Level %s is not in %s\n", block, kAssets);
        return false;
    }
    Level read;  // the game's level changes only when the whole document is good
    const bool ok = ReadLevel(doc, read);
    Veltrano.XMLClose(doc);
    if (!ok) {
        ILogSystem.Msg(0, " . Level %s is malformed\n", block);
        return false;
    }
    level = read;
    ILogSystem.Msg(0, " . Level %d '%s': %d coins, %d enemies\n", number, level.name.c_str(),
                   static_cast<int>(level.coins.size()), static_cast<int>(level.enemies.size()));
    return true;
}

Terrain TerrainAt(const Level& level, float x, float y) {
    if (x < 0 || y < 0) return Terrain::Wall;
    const int column = static_cast<int>(x) / kCell, row = static_cast<int>(y) / kCell;
    if (column >= kColumns || row >= kRows) return Terrain::Wall;
    return level.grid[row][column];
}

bool HitsWall(const Level& level, float x, float y, float half) {
    for (float cornerY : {y - half, y + half})
        for (float cornerX : {x - half, x + half})
            if (TerrainAt(level, cornerX, cornerY) == Terrain::Wall) return true;
    return false;
}
