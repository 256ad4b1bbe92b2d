/// @file
/// Tiles: one surface with a position, a name, an optional colour key or
/// surface alpha, and an optional grid that cuts it into numbered cells.
/// Stored in DPF archives as "TILE2"/"TILB2" blocks; version 1 blocks
/// ("TILE"/"TILB") are upgraded in place when loaded. The game creates and
/// deletes tiles itself; the core counts the live ones.
#ifndef VELTRANO_CTILE_H
#define VELTRANO_CTILE_H

#include <SDL.h>
#include "veltrano_types.h"

struct TileState;

/// A drawable surface with a position, a name, alpha or colour key and an
/// optional grid of equal cells. Starts empty; Create or Load fill it, Clean
/// empties it again. Log lines start with " . [CTile::<call>(<arguments>)]".
class VELTRANO_API Veltrano_CTile {
public:
    /// An empty tile; counted in Veltrano.tileCount.
    Veltrano_CTile();
    /// Frees the surface and uncounts the tile.
    ~Veltrano_CTile();
    /// Tiles are not copied.
    Veltrano_CTile(const Veltrano_CTile&) = delete;
    /// Tiles are not copied.
    /// @return never (deleted).
    Veltrano_CTile& operator=(const Veltrano_CTile&) = delete;

    /// Makes the tile from a copy of a surface, in the surface's own format,
    /// converted to the screen's format when the core's automatic conversion
    /// is on. An alpha channel with the alpha flag makes a per-pixel tile; a
    /// colour key or surface alpha of the source is kept.
    /// @param surface  the source; it stays the caller's.
    /// @param name     the tile's name (and the block name Save uses); at most 31 characters are kept.
    /// @return 1 when made; 0 when not initialised, for a null argument, when
    ///         the tile is not empty or the copy cannot be made.
    /// Logs "Error: Veltrano was not initialized. Aborting the tile creation."
    /// (level 0) before Veltrano.Init, and "Warning: tile already exists. It is
    /// not possible to create another one." (level 2) for a tile that is not empty.
    unsigned char Create(SDL_Surface* surface, const char* name);
    /// Makes the tile from a BMP or PNG file, read without automatic
    /// conversion and then handed to Create(SDL_Surface*, const char*).
    /// @param file  the image file.
    /// @param name  the tile's name; at most 31 characters are kept.
    /// @return 1 when made; 0 when not initialised, for a null argument, when
    ///         the tile is not empty or the file cannot be read.
    /// Logs the same two lines as the surface form (with the file name as
    /// first argument), and "Error: it was not possible to load the given
    /// image file." (level 0) when the file is not a readable BMP or PNG.
    unsigned char Create(const char* file, const char* name);

    /// Loads a tile from a block of an open archive. The version 2 type is
    /// asked for first ('2' appended unless the type ends in '2'); when only
    /// the version 1 block exists it is replaced in the archive by its
    /// version 2 upgrade. Position, alpha, colour key and grid come from the
    /// block; the surface is converted to the screen's format.
    /// @param dpfHandle  a handle from IStuffDPF->Open or IStuffDPF->Create.
    /// @param name       the block's name, which becomes the tile's name.
    /// @param type       "TILE", "TILB", "TILE2" or "TILB2"; version 1 blocks are upgraded in place.
    /// @return 1 when loaded; 0 on any failure (also, silently, for a handle
    ///         below 1 or a null name or type).
    /// Logs (level 0 unless said otherwise), after " . [CTile::Load('<archive>','<name>','<type>')] ":
    /// "Error: Veltrano was not initialized. Aborting the tile creation.";
    /// "Warning: tile already exists. It is not possible to create another one." (level 2);
    /// "Error: the typeblock is not supported." when the type starts with neither "TILE" nor "TILB";
    /// "Error: tile not found." when neither version of the block exists;
    /// "Error: the tile block is damaged." when the block's sizes or pixels do not add up;
    /// "Error: update to v2.0 was not possible." when the upgrade cannot be stored
    /// (the version 1 block stays). A successful upgrade logs
    /// "Info: tile successfully updated from v1.0 to v2.0." (level 2), and a
    /// per-pixel-alpha tile logs "Info: surface with alpha per pixel loaded, it
    /// could slow down your graphics system." (level 5).
    unsigned char Load(int dpfHandle, const char* name, const char* type);
    /// Loads a tile from an archive file: opens it, runs Load(int, const char*, const char*), closes it.
    /// @param dpfFile  the archive file.
    /// @param name     the block's name.
    /// @param type     "TILE", "TILB", "TILE2" or "TILB2".
    /// @return 1 when loaded; 0 when the archive does not open (logged by
    ///         IStuffDPF->Open) or the handle form fails.
    /// Logs as the handle form; before Veltrano.Init the "not initialized" line
    /// with the file name.
    unsigned char Load(const char* dpfFile, const char* name, const char* type);

    /// Stores the tile as a block named after the tile, in the version 2
    /// layout, compressed.
    /// @param dpfHandle  a handle of an open archive.
    /// @param type       the block type; '2' is appended unless it ends in '2'
    ///                   (so "TILE" is stored as "TILE2").
    /// @return IStuffDPF->AddData's result: the stored size in bytes when
    ///         added, -1 when a block of that name and type exists (it is not
    ///         replaced); 0 for an empty tile, a handle below 1, a null type or
    ///         a failure. Logs nothing itself; AddData logs its own failures.
    int Save(int dpfHandle, const char* type);
    /// Stores the tile in an archive file, created when it does not exist.
    /// @param dpfFile  the archive file.
    /// @param type     the block type, as for Save(int, const char*).
    /// @return as Save(int, const char*); 0 when the archive cannot be opened or created.
    int Save(const char* dpfFile, const char* type);

    /// Draws the whole tile, or with the grid one cell, at the tile's position.
    /// The software cursor is taken off the destination while drawing.
    /// @param target      the surface to draw on; null is Veltrano.screen.
    /// @param idAndFlags  with the grid, the cell (from 1, row by row) in the
    ///                    low 29 bits; without it those bits are ignored. The
    ///                    top three bits: 0x40000000 flip, 0x80000000 mirror,
    ///                    0xA0000000 rotate 90 degrees, 0xC0000000 180,
    ///                    0x60000000 270; 0, 0x20000000 and 0xE0000000 draw
    ///                    as it is.
    /// @return 1 when drawn; 0 for an empty tile, with no target and no
    ///         screen, for a cell id out of the grid or when the blit fails.
    /// Logs " . [CTile::Draw()] Error: the given surface or Veltrano.screen are
    /// null." (level 0), and " . [CTileEngine::Draw(<id>)] Warning: the given
    /// tile id does not exist in current tileset." (level 2) for an id above
    /// the cell count; an id below 1 fails silently.
    int Draw(SDL_Surface* target, int idAndFlags);
    /// Frees the surface and empties the tile (position, size, grid, alpha
    /// 255, no colour key); the name is kept. Nothing happens to an empty tile.
    void Clean();

    /// Switches the grid on or off. Cells are offsetX by offsetY pixels;
    /// there are width / offsetX per row and height / offsetY rows.
    /// @param enable   non-zero switches the grid on, 0 off (clearing it).
    /// @param offsetX  the cell width; values below 1 become 1.
    /// @param offsetY  the cell height; values below 1 become 1.
    /// @return 1 when the grid is on; 0 when switched off or for an empty tile.
    unsigned char SetTileSet(int enable, int offsetX, int offsetY);
    /// The grid step, or the tile's size when there is no grid.
    /// @param x  receives the cell width (or the tile width); may be null.
    /// @param y  receives the cell height (or the tile height); may be null.
    /// @return 1 when the grid is on; 0 without a grid or for an empty tile
    ///         (which writes nothing).
    int GetOffset(int* x, int* y);

    /// Sets the surface alpha; 255 switches alpha blending off. Ignored for an
    /// empty tile, a per-pixel-alpha tile, the current value or a value
    /// outside 0..255. On a hardware screen (not OpenGL) a change between 255
    /// and translucent converts the surface again and logs
    /// " . [CTile::SetAlpha(<alpha>)] Warning: on-the-fly surface conversion.
    /// It may affect to the performance." (level 2).
    /// @param alpha  0 (invisible) to 255 (opaque).
    void SetAlpha(int alpha);
    /// The surface alpha.
    /// @return 0..255; 256 for a per-pixel-alpha tile; -1 for an empty tile.
    int GetAlpha();
    /// Sets or clears the colour key. Ignored for an empty tile, a
    /// per-pixel-alpha tile or the current key. Under OpenGL the surface is
    /// converted and uploaded again, logging " . [CTile::SetColorKey(<key>)]
    /// Warning: on-the-fly surface conversion. It may affect to the
    /// performance." (level 2).
    /// @param key  a pixel value in the surface's format, -1 for none.
    void SetColorKey(int key);
    /// Sets the colour key from a colour, mapped into the surface's format.
    /// @param r  red 0..255, or -1 to clear the key.
    /// @param g  green 0..255, or -1 to clear the key.
    /// @param b  blue 0..255, or -1 to clear the key.
    void SetColorKey(int r, int g, int b);
    /// The colour key.
    /// @return the key's pixel value; -1 for no key or an empty tile.
    int GetColorKey();

    /// Moves the tile; ignored for an empty tile.
    /// @param x  left edge on the target.
    /// @param y  top edge on the target.
    void SetPosition(int x, int y);
    /// @return the left edge; 0 for an empty tile.
    int GetPosX();
    /// @return the top edge; 0 for an empty tile.
    int GetPosY();
    /// @return the surface width in pixels; 0 for an empty tile.
    int GetSizeX();
    /// @return the surface height in pixels; 0 for an empty tile.
    int GetSizeY();
    /// @return the tile's surface (still the tile's); null for an empty tile.
    SDL_Surface* GetSurface();
    /// @return the tile's name (the tile's own buffer); null for an empty tile.
    char* GetName();
    /// Renames the tile; ignored for an empty tile, a null name or one of 32
    /// characters or more.
    /// @param name  the new name.
    void SetName(const char* name);
    /// Writes the tile's name, memory, size, depth, position, alpha, colour
    /// key and grid to the log (level 0), or "Tile information: current tile
    /// is empty.".
    void Info();

private:
    TileState* state;
};

#endif
