// Steps the makers, loaders and savers of tiles and sprites share: reading
// an image file as it is, copying a caller's surface, opening an archive to
// save into, adding a block, and bringing a stored sheet without per-pixel
// alpha into the form the SDK draws.
#ifndef VELTRANO_IMAGING_STORED_SHEET_H
#define VELTRANO_IMAGING_STORED_SHEET_H

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

namespace stored_sheet {

// Reads a BMP or PNG file as it is: the core's automatic conversion is off
// meanwhile and put back as it was. Null when it is no such image.
SDL_Surface* ReadImageFile(const char* file);

// A copy in the source's own format and flags that keeps its surface alpha
// as well as its key; null when SDL cannot make it.
SDL_Surface* CopyOf(SDL_Surface* source);

// The handle of the archive, made when no file of that name exists.
int OpenOrCreate(const char* dpfFile);

// AddData's result for a compressed block: the stored size, -1 when the
// block exists, 0 failure (also for a name or type too long for the archive).
int AddBlock(int handle, const char* name, const std::string& type, std::vector<uint8_t>& bytes);

// A 32-bit surface without per-pixel alpha becomes 24 bits (SDL's default
// masks); the 32-bit one is freed. Kept as it is when SDL cannot copy it.
SDL_Surface* ReduceTo24Bits(SDL_Surface* surface);

// Surface alpha: 255 switches blending off.
void SetSurfaceAlpha(SDL_Surface* surface, uint8_t alpha);

}  // namespace stored_sheet

#endif
