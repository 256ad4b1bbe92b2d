// What every screen draws with: the two fonts, the ground tileset, the logo,
// the software pointer and a few drawing helpers. Loaded once from the
// archive after the screen is open.
#ifndef HELLO_RESOURCES_H
#define HELLO_RESOURCES_H

#include <veltrano.h>

bool LoadResources();
void FreeResources();

Veltrano_CFont* SmallFont();
Veltrano_CFont* BigFont();
Veltrano_CTile* GroundTiles();  // cells 1..4: floor, moss, wall, spikes
SDL_Surface* Logo();

Uint32 Rgb(Uint8 r, Uint8 g, Uint8 b);  // in the screen's format
// Writes text with its middle at x.
void WriteCentred(SDL_Surface* target, Veltrano_CFont* font, int x, int y, const char* text);
// Fills target with the ground cells, as every menu screen's backdrop.
void DrawBackdrop(SDL_Surface* target);

// The software pointer: shown on the menus, hidden while playing.
void ShowPointer(bool shown);

#endif
