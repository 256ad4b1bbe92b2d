// Tiles: one surface with a position, a name, an optional colour key or
// surface alpha, and an optional grid that cuts it into numbered cells.
// Stored in DPF archives as "TILE2"/"TILB2" blocks; version 1 blocks
// ("TILE"/"TILB") are upgraded in place when loaded. The game creates and
// deletes tiles itself; the core counts the live ones.
#ifndef VELTRANO_CTILE_H
#define VELTRANO_CTILE_H

#include <SDL.h>
#include "veltrano_types.h"

struct TileState;

class VELTRANO_API Veltrano_CTile {
public:
    Veltrano_CTile();
    ~Veltrano_CTile();
    Veltrano_CTile(const Veltrano_CTile&) = delete;
    Veltrano_CTile& operator=(const Veltrano_CTile&) = delete;

    // From a copy of a surface, or from a BMP or PNG file; 1 on success.
    unsigned char Create(SDL_Surface* surface, const char* name);
    unsigned char Create(const char* file, const char* name);
    // The block name of type "TILE", "TILB", "TILE2" or "TILB2"; 1 on success.
    unsigned char Load(int dpfHandle, const char* name, const char* type);
    unsigned char Load(const char* dpfFile, const char* name, const char* type);
    // Stores the tile as a block named after it; AddData's result or 0.
    int Save(int dpfHandle, const char* type);
    int Save(const char* dpfFile, const char* type);

    // The whole tile, or with the grid the cell in the low 29 bits; the top
    // three bits choose flip, mirror or a rotation. A null target is the
    // screen. 1 when drawn.
    int Draw(SDL_Surface* target, int idAndFlags);
    void Clean();

    unsigned char SetTileSet(int enable, int offsetX, int offsetY);
    int GetOffset(int* x, int* y);

    void SetAlpha(int alpha);
    int GetAlpha();
    void SetColorKey(int key);
    void SetColorKey(int r, int g, int b);
    int GetColorKey();

    void SetPosition(int x, int y);
    int GetPosX();
    int GetPosY();
    int GetSizeX();
    int GetSizeY();
    SDL_Surface* GetSurface();
    char* GetName();
    void SetName(const char* name);
    void Info();

private:
    TileState* state;
};

#endif
