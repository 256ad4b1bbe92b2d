/// @file
/// The ICursor interface: a software mouse pointer of up to 32 images with
/// hot spots, a clip region, smoothed movement and background save and
/// restore. Created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_ICURSOR_H
#define VELTRANO_ICURSOR_H

#include <SDL.h>
#include "veltrano_types.h"

struct CursorState;

/// The software mouse pointer, reached through the global ICursor. Inert
/// until Init; then Create or Load fill slots 0..31 and Select shows one.
/// The core draws it once per rendered frame, after the game's render
/// callback and just before the screen flip; everything the SDK draws on the
/// screen (Blit, primitives, tiles, fonts, sprites, widgets) takes the
/// cursor off first and lets it save its background again afterwards.
///
/// Hot-spot types (the point of the image on the mouse position): 0 top-left
/// corner, 1 right edge (image at x - width), 2 bottom edge (y - height),
/// 3 bottom-right corner, 4 centre. Type arguments below 0 become 0, above 4
/// become 4.
///
/// With background restore (on after Init unless the screen is
/// double-buffered or the core runs on OpenGL) the cursor saves the screen
/// under itself and is drawn only when it moved or something erased it;
/// without it, it is drawn at every rendered frame over whatever the game drew.
class VELTRANO_API Veltrano_ICursor {
public:
    /// An inert cursor interface. Made by Veltrano.Init.
    Veltrano_ICursor();
    /// Runs Close. Called by Veltrano.Quit.
    ~Veltrano_ICursor();
    /// The interface is not copied.
    Veltrano_ICursor(const Veltrano_ICursor&) = delete;
    /// The interface is not copied.
    /// @return never (deleted).
    Veltrano_ICursor& operator=(const Veltrano_ICursor&) = delete;

    /// Takes over the mouse pointer: hides the system pointer, sets the clip
    /// region's far corner to the screen size, puts the mouse at the screen
    /// centre and switches background restore on (see the class description).
    /// Needs a screen (Veltrano.SetVideoMode); without one it logs
    /// " . [ICursor->Init()] Error: Veltrano.screen was not initialized." (level 0).
    void Init();
    /// Adds a cursor made from a copy of a surface, converted to the screen's
    /// format. Without per-pixel alpha and without a colour key, the top-left
    /// pixel becomes the colour key.
    /// @param surface  the image; it stays the caller's.
    /// @param type     hot-spot type 0..4.
    /// @return the slot (0..31, the lowest free one); -1 (255 as an unsigned
    ///         char) before Init, for a null surface, with all 32 slots used
    ///         or when the copy fails.
    /// Logs " . [ICursor->Create(0x<surface>,<type>)] Error: ICursor was not
    /// initialized." (level 0), and "... Info: cursor created." (level 5).
    char Create(SDL_Surface* surface, char type);
    /// Adds a cursor from a BMP or PNG file. Without per-pixel alpha the
    /// top-left pixel becomes the colour key (so a magenta corner makes
    /// magenta transparent).
    /// @param file  the image file.
    /// @param type  hot-spot type 0..4.
    /// @return the slot; -1 on failure, as Create(SDL_Surface*, char), also for a null or unreadable file.
    /// Logs " . [ICursor->Create('<file>',<type>)] Error: ICursor was not
    /// initialized." and "... Error: it was not possible to load the given
    /// image file." (level 0).
    char Create(const char* file, char type);
    /// Adds a cursor from an "IMG" block of an archive file (IImage->Load), as
    /// Create(SDL_Surface*, char).
    /// @param dpfFile  the archive file.
    /// @param name     the block's name.
    /// @param type     hot-spot type 0..4.
    /// @return the slot; -1 on failure (a missing block is logged only by IImage).
    /// Logs " . [ICursor->Load('<archive>','<name>',<type>)] Error: ICursor was
    /// not initialized." (level 0).
    char Load(const char* dpfFile, const char* name, char type);
    /// Adds a cursor from an "IMG" block of an open archive, as Load(const char*, const char*, char).
    /// @param dpf   a handle of an open archive.
    /// @param name  the block's name.
    /// @param type  hot-spot type 0..4.
    /// @return the slot; -1 on failure, also for a handle below 1.
    char Load(int dpf, const char* name, char type);
    /// Makes a slot the current cursor and shows it. Ignored before Init, for
    /// a slot outside 0..31, an empty slot or the current one.
    /// @param slot  a slot from Create or Load.
    void Select(char slot);
    /// Changes a slot's hot-spot type and shows the cursor (also a hidden
    /// one). Ignored before Init, for an empty slot or an unchanged type.
    /// @param slot  the slot.
    /// @param type  hot-spot type 0..4.
    void ChangeType(char slot, char type);
    /// Deletes a cursor; deleting the current one takes it off the screen and
    /// leaves no cursor until another is selected. Logs " . [ICursor->Delete(<slot>)]
    /// Info: cursor deleted." (level 5). Empty slots are ignored.
    /// @param slot  the slot.
    void Delete(char slot);
    /// Shows the cursor (after Init) and asks for a render.
    void Show();
    /// Takes the cursor off the screen, forgets its saved background, hides
    /// it (after Init) and asks for a render.
    void Hide();
    /// Moves the mouse (and so the cursor) when initialised and visible.
    /// @param x  screen x.
    /// @param y  screen y.
    void SetPosition(int x, int y);
    /// Keeps the mouse within x..maxX, y..maxY: the core's Veltrano.mouseX and
    /// mouseY are clipped in place at every rendered frame. Init sets the
    /// region to the whole screen.
    /// @param x     smallest x (16 bits).
    /// @param y     smallest y (16 bits).
    /// @param maxX  largest x (16 bits, unsigned).
    /// @param maxY  largest y (16 bits, unsigned).
    void ClipRegion(int x, int y, int maxX, int maxY);
    /// Switches smoothing: the cursor glides from the previous logic frame's
    /// mouse position to the current one as the logic frame progresses. On by default.
    /// @param on  non-zero on, 0 off.
    void SetSmooth(char on);
    /// Switches background save and restore (see the class description);
    /// always off under OpenGL.
    /// @param on  non-zero on, 0 off.
    void AutoRestore(char on);
    /// Forgets the saved background and saves the screen under the cursor
    /// again, then redraws the cursor: call it after drawing on the screen
    /// without the SDK (plain SDL calls), which the cursor cannot see. Only
    /// when initialised and visible.
    void Invalidate();
    /// Writes the number of cursors, the modes, the clip region and every
    /// cursor's size, type, alpha and colour key to the log (level 0), or
    /// "Cursor interface information: not initialized.".
    void Info();
    /// Gives the system pointer back, deletes every cursor and returns to the
    /// state before Init.
    void Close();

private:
    // Called through the core's hooks: once per logic frame and render, and
    // around whatever is drawn on the screen, so the software cursor survives
    // what is drawn under it.
    friend class CursorHooks;

    // The mouse position of the previous logic frame.
    void SaveCoordinates(int x, int y);
    // Positions, erases and draws the cursor; once per rendered frame.
    void Update();
    // Takes the cursor off the screen where it meets rect (null: always);
    // 1 when it did.
    int RestoreBG(SDL_Rect* rect);
    // Saves the screen under the cursor again.
    void CopyBG();

    bool Positioning();
    bool HasCursor() const;

    CursorState* state;
};

/// The software cursor; made by Veltrano.Init, deleted (and null) after Veltrano.Quit.
VELTRANO_API extern Veltrano_ICursor* ICursor;

#endif
