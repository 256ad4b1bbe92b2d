/// @file
/// Proportional bitmap fonts cut from one image: a row of the 94 printable
/// ASCII glyphs from '!' to '~', separated by empty columns. Fonts are stored
/// in DPF archives as "FONT2" blocks; the game creates and deletes them.
#ifndef VELTRANO_CFONT_H
#define VELTRANO_CFONT_H

#include <SDL.h>
#include "veltrano_types.h"

struct FontState;

/// A proportional bitmap font. The image holds the glyphs '!' to '~' in one
/// row, left to right, each followed by at least one empty column, with an
/// empty first column. Its top row is the mark row: the font marks the gap
/// columns there in magenta (255,0,255) unless the image's top-left pixel is
/// magenta already (then the row is read as it is), cuts the glyphs at the
/// marks and paints the marks over with the background colour (the
/// bottom-left pixel, which also becomes the colour key). The mark row stays
/// in the surface but is never drawn: glyphs are drawn from row 1, so the
/// font is one row shorter than its image. A 591 x 12 image therefore gives
/// StringHeight() 11: `veltrano-dpf list` reports the font as 591x11 (its
/// drawn size), while `extract --png` writes the stored surface, mark row
/// included, as 591x12. The "FONT2" block stores that whole surface and the
/// gaps are found again when it is loaded.
///
/// Starts empty; Create or Load fill it, Clean empties it (kerning, name and
/// cursor character stay). Counted in Veltrano.fontCount. Input boxes of
/// IButton that borrow a font drop it when it is deleted.
class VELTRANO_API Veltrano_CFont {
public:
    /// An empty font named "Created on execution time", cursor character '|'.
    Veltrano_CFont();
    /// Frees the font, removes it from the input boxes that use it, uncounts it.
    ~Veltrano_CFont();
    /// Fonts are not copied.
    Veltrano_CFont(const Veltrano_CFont&) = delete;
    /// Fonts are not copied.
    /// @return never (deleted).
    Veltrano_CFont& operator=(const Veltrano_CFont&) = delete;

    /// Builds the font from a copy of an image (see the class description),
    /// converted to the screen's format whatever the automatic conversion
    /// setting. An alpha channel with surface alpha 255 makes a per-pixel
    /// font; otherwise the font's alpha (255 for a new font) is set.
    /// @param image  the glyph image, 15, 16, 24 or 32 bits; it stays the caller's and is not changed.
    /// @return 96 when the font was built; 255 when it was refused (not
    ///         initialised, not empty, null or 8-bit image, no copy); otherwise
    ///         how far the cutting got: half the number of changes between
    ///         empty and non-empty columns when the gaps had to be marked and
    ///         there were not 189 changes (one empty column, then 94 glyphs
    ///         each followed by a gap), or the number of gaps of the mark row
    ///         when it is not 95. A count of 0, 96 or more is given as 255.
    /// Logs " . [CFont::Create()] Error: Veltrano was not initialized. Aborting
    /// the font creation." (level 0), "... Warning: font already exists. It is
    /// not possible to create another one." (level 2), "... Error: font surface
    /// is null" (level 0), "... Warning: 8bits surface loaded is not supported
    /// to create a font." (level 2); " . [CFont::CreateUpperMark()] Warning: it
    /// was not possible to import bitmap with font characters." (level 2) when
    /// the columns do not give 189 changes; " . [CFont->Create()] Info: surface
    /// with alpha per pixel loaded, it could slow down your graphics system."
    /// (level 5) when a per-pixel font is converted.
    unsigned char Create(SDL_Surface* image);
    /// Builds the font from a BMP or PNG file (read without automatic
    /// conversion), as Create(SDL_Surface*).
    /// @param file  the image file.
    /// @return as Create(SDL_Surface*); 255 for a null name or an unreadable file.
    /// Logs as Create(SDL_Surface*) (not initialised and not empty are
    /// refused with its lines before the file is read), and
    /// " . [CFont::Create('<file>')] Error: it was not possible to load the
    /// given image file." (level 0).
    unsigned char Create(const char* file);

    /// Loads the font from the "FONT2" block of an open archive; a "FONT"
    /// block is replaced in the archive by its "FONT2" upgrade (kerning 0).
    /// The stored alpha and kerning are restored, the gaps found again.
    /// @param dpfHandle  a handle from IStuffDPF->Open or IStuffDPF->Create.
    /// @param name       the block's name, which becomes the font's name (cut to 31 characters).
    /// @return 1 when loaded; 0 on failure (silently for a handle below 1).
    /// Logs after " . [CFont::Load('<archive>','<name>')] ": "Error: Veltrano was
    /// not initialized. Aborting the font load." (level 0); "Warning: font
    /// already exists. It is not possible to create another one." (level 2);
    /// "Error: font not found" (level 0); "Error: the font block is damaged.
    /// Aborting the font load." (level 0); "Error: update to v2.0 was not
    /// possible." (level 0, the "FONT" block stays); "Error: internal failure
    /// (<Create's result>)." (level 0) when the stored image cannot be cut;
    /// and on an upgrade "Info: font successfully updated from v1.0 to v2.0."
    /// (level 2).
    unsigned char Load(int dpfHandle, const char* name);
    /// Loads the font from an archive file: opens it, runs Load(int, const char*), closes it.
    /// @param dpfFile  the archive file.
    /// @param name     the block's name.
    /// @return 1 when loaded; 0 when the archive does not open or the handle form fails.
    /// Logs as the handle form.
    unsigned char Load(const char* dpfFile, const char* name);
    /// Stores the font as a compressed "FONT2" block: the surface (mark row
    /// included, marks painted over; an 8-bit surface as 32 bits), the alpha
    /// and the kerning.
    /// @param dpfHandle  a handle of an open archive.
    /// @param name       the block's name, at most 31 characters.
    /// @return IStuffDPF->AddData's result: the stored size when added, -1
    ///         when a "FONT2" block of that name exists (it is not replaced);
    ///         0 for an empty font, a handle below 1, a null or too long name
    ///         or a failure.
    /// Logs " . [CFont::Save(<handle>,'<name>')] Error: the name is longer than
    /// 31 characters." (level 0).
    int Save(int dpfHandle, const char* name);
    /// Stores the font in an archive file, created when it does not exist.
    /// @param dpfFile  the archive file.
    /// @param name     the block's name.
    /// @return as Save(int, const char*); 0 when the archive cannot be opened or created.
    int Save(const char* dpfFile, const char* name);

    /// Checks whether an image can be cut into a font, on a copy (the image is
    /// not changed). On failure the marked copy is written to
    /// "FontWithErrors.bmp" in the working directory, so the gaps that were
    /// found (magenta in the top row) can be inspected.
    /// @param image  the glyph image.
    /// @return 0 when the image can be cut; 255 for a null or 8-bit image or
    ///         a failed copy; otherwise half the number of column changes
    ///         (255 when that is 0, 96 or more).
    /// Logs " . [CFont::Test()] Warning: 8bits surface loaded is not supported
    /// to create a font." (level 2) and the CreateUpperMark warning (see Create).
    unsigned char Test(SDL_Surface* image);
    /// Checks a BMP file, as Test(SDL_Surface*).
    /// @param bmpFile  the BMP file (PNG is not read here).
    /// @return as Test(SDL_Surface*); 255 when the file cannot be read.
    unsigned char Test(const char* bmpFile);

    /// Draws a line of text with its top-left corner at (x, y). A space moves
    /// the pen by the space width (the advance of 'a', else 'A', else '0');
    /// characters below '!' and above 127 are skipped without moving it;
    /// the kerning follows every glyph. Each glyph blit takes the software
    /// cursor off the screen around it. Nothing for an empty font, a null
    /// target or a null text.
    /// @param target  the surface to draw on (no screen fallback).
    /// @param x       left edge of the text.
    /// @param y       top edge of the glyphs.
    /// @param text    a NUL-terminated line.
    /// @param clip    glyphs are cut to this rectangle; null draws unclipped.
    void PutString(SDL_Surface* target, int x, int y, const char* text, SDL_Rect* clip);
    /// Draws the text cursor, then the text as PutString. The cursor is the
    /// cursor character's glyph, drawn behind the first cursorPos characters.
    /// @param target      the surface to draw on.
    /// @param x           left edge of the text.
    /// @param y           top edge of the glyphs.
    /// @param text        a NUL-terminated line.
    /// @param cursorPos   the number of characters before the cursor (the end of the text at most).
    /// @param clip        clipping rectangle for the text and the cursor; may be null.
    /// @param showCursor  0 draws the text alone (for blinking); the cursor is
    ///                    also left out when the cursor character is not a glyph.
    void PutStringWithCursor(SDL_Surface* target, int x, int y, const char* text, int cursorPos, SDL_Rect* clip,
                             unsigned char showCursor);
    /// Draws the text centred horizontally on the target: x = target width / 2 - StringWidth / 2.
    /// @param target  the surface to draw on.
    /// @param y       top edge of the glyphs.
    /// @param text    a NUL-terminated line.
    /// @param clip    clipping rectangle; may be null.
    void PutStringXCenter(SDL_Surface* target, int y, const char* text, SDL_Rect* clip);
    /// Draws the text centred vertically on the target: y = target height / 2
    /// - font surface height / 2 (the mark row counted).
    /// @param target  the surface to draw on.
    /// @param x       left edge of the text.
    /// @param text    a NUL-terminated line.
    /// @param clip    clipping rectangle; may be null.
    void PutStringYCenter(SDL_Surface* target, int x, const char* text, SDL_Rect* clip);

    /// The width the text takes: the advances of its first 255 characters at
    /// most, plus the kerning after every glyph but a last one.
    /// @param text  a NUL-terminated line.
    /// @return the width in pixels; 0 for an empty font or a null text.
    int StringWidth(const char* text);
    /// The height glyphs are drawn with: the surface height minus the mark row.
    /// @return the height in pixels; 0 for an empty font.
    int StringHeight();
    /// The index of the character under pixelX, for placing a text cursor:
    /// the first character whose middle lies right of pixelX (kerning not counted).
    /// @param text    a NUL-terminated line.
    /// @param pixelX  a distance from the text's left edge.
    /// @return the index; the text length when pixelX is beyond the middle of
    ///         the last character; 0 for an empty font, a null text or pixelX <= 0.
    int SetCursorAt(const char* text, int pixelX);

    /// Sets the extra pixels after each glyph (may be negative); ignored for an empty font.
    /// @param kerning  pixels added after every glyph.
    void SetKerning(int kerning);
    /// @return the kerning; 0 for an empty font.
    int GetKerning();
    /// Sets the surface alpha; 255 switches blending off. Ignored for an empty
    /// font, a per-pixel font or a value outside 0..255. On a hardware screen
    /// (not OpenGL) a change between 255 and translucent converts the surface
    /// again and logs " . [CFont::SetAlpha(<alpha>)] Warning: on-the-fly
    /// surface conversion. It may affect to the performance." (level 2).
    /// @param alpha  0..255.
    void SetAlpha(int alpha);
    /// @return the surface alpha 0..255; 256 for per-pixel alpha; -1 for an empty font.
    int GetAlpha();
    /// Sets the character PutStringWithCursor draws as the cursor (also on an empty font).
    /// @param cursor  a glyph character, '|' by default.
    void SetCursorChar(char cursor);
    /// @return the cursor character.
    char GetCursorChar();
    /// @return the font's surface, mark row included (still the font's); null for an empty font.
    SDL_Surface* GetSurface();
    /// Renames the font; ignored for an empty font, a null name or one of 32
    /// characters or more.
    /// @param name  the new name.
    void SetName(const char* name);
    /// @return the font's name (the font's own buffer); null for an empty font.
    char* GetName();
    /// Frees the surface and the glyph tables; kerning, name and cursor
    /// character stay. Nothing happens to an empty font.
    void Clean();
    /// Writes the font's name, memory, size (mark row included), depth,
    /// kerning, alpha and colour key to the log (level 0), or "Font
    /// information: current font is empty.".
    void Info();

private:
    // Blits one glyph cell with the software cursor taken off the screen
    // around it: where it meets the cell, or wherever it is (cursorAnywhere).
    void BlitCell(SDL_Surface* target, SDL_Rect* source, SDL_Rect* destination, bool cursorAnywhere);

    FontState* state;
};

#endif
