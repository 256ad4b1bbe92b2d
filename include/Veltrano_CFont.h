// Proportional bitmap fonts cut from one image: a row of the 94 printable
// ASCII glyphs from '!' to '~', separated by empty columns. Fonts are stored
// in DPF archives as "FONT2" blocks; the game creates and deletes them.
#ifndef VELTRANO_CFONT_H
#define VELTRANO_CFONT_H

#include <SDL.h>
#include "veltrano_types.h"

struct FontState;

class VELTRANO_API Veltrano_CFont {
public:
    Veltrano_CFont();
    ~Veltrano_CFont();
    Veltrano_CFont(const Veltrano_CFont&) = delete;
    Veltrano_CFont& operator=(const Veltrano_CFont&) = delete;

    // 96 when the font was built; 255 when it was refused; otherwise how far
    // the cutting got (half the column-state changes, or the number of gaps).
    unsigned char Create(SDL_Surface* image);
    // A BMP or PNG file.
    unsigned char Create(const char* file);

    // A "FONT2" block (a "FONT" block is upgraded in place); 1 or 0.
    unsigned char Load(int dpfHandle, const char* name);
    unsigned char Load(const char* dpfFile, const char* name);
    // Stores a "FONT2" block; AddData's result or 0.
    int Save(int dpfHandle, const char* name);
    int Save(const char* dpfFile, const char* name);

    // 0 when the image can be cut into a font; otherwise as Create, and the
    // detected gaps are written to "FontWithErrors.bmp". The image is not changed.
    unsigned char Test(SDL_Surface* image);
    unsigned char Test(const char* bmpFile);

    // A null target draws nothing; clip may be null.
    void PutString(SDL_Surface* target, int x, int y, const char* text, SDL_Rect* clip);
    void PutStringWithCursor(SDL_Surface* target, int x, int y, const char* text, int cursorPos, SDL_Rect* clip,
                             unsigned char showCursor);
    void PutStringXCenter(SDL_Surface* target, int y, const char* text, SDL_Rect* clip);
    void PutStringYCenter(SDL_Surface* target, int x, const char* text, SDL_Rect* clip);

    int StringWidth(const char* text);
    int StringHeight();
    // The index of the character under pixelX, for placing a text cursor.
    int SetCursorAt(const char* text, int pixelX);

    void SetKerning(int kerning);
    int GetKerning();
    // 0..255; GetAlpha gives 256 for per-pixel alpha and -1 for an empty font.
    void SetAlpha(int alpha);
    int GetAlpha();
    void SetCursorChar(char cursor);
    char GetCursorChar();
    SDL_Surface* GetSurface();
    void SetName(const char* name);
    char* GetName();
    void Clean();
    void Info();

private:
    // Blits one glyph cell with the software cursor taken off the screen
    // around it: where it meets the cell, or wherever it is (cursorAnywhere).
    void BlitCell(SDL_Surface* target, SDL_Rect* source, SDL_Rect* destination, bool cursorAnywhere);

    FontState* state;
};

#endif
