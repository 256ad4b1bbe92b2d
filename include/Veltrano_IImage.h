// The IImage interface; created by Veltrano.Init, deleted by Veltrano.Quit.
// Turns "IMG" archive blocks, BMP and PNG files into SDL surfaces and back.
// Surfaces returned belong to the caller (SDL_FreeSurface).
#ifndef VELTRANO_IIMAGE_H
#define VELTRANO_IIMAGE_H

#include <SDL.h>
#include "veltrano_types.h"

class VELTRANO_API Veltrano_IImage {
public:
    Veltrano_IImage();
    ~Veltrano_IImage();
    Veltrano_IImage(const Veltrano_IImage&) = delete;
    Veltrano_IImage& operator=(const Veltrano_IImage&) = delete;

    // "IMG" blocks of DPF archives; header may be null.
    SDL_Surface* Load(int dpfHandle, const char* name, sHeaderIPF* header);
    SDL_Surface* Load(const char* dpfFile, const char* name, sHeaderIPF* header);
    // AddData's result: the stored size, -1 when the name exists, 0 failure.
    int Save(int dpfHandle, const char* name, SDL_Surface* surface);
    int Save(const char* dpfFile, const char* name, SDL_Surface* surface);

    SDL_Surface* LoadBMP(const char* file);
    int SaveBMP(const char* file, SDL_Surface* surface);
    int isBMP(const char* file);

    SDL_Surface* LoadPNG(const char* file);
    SDL_Surface* LoadPNG(void* memory, int length);
    // 0 written, -1 failure (0 also for a null surface, which is logged).
    int SavePNG(const char* file, SDL_Surface* surface, int compression);
    // 1 PNG, 0 not PNG, -1 the file cannot be opened.
    int isPNG(const char* file);

    // A BMP or PNG file, whichever it is.
    SDL_Surface* LoadIMG(const char* file);
};

VELTRANO_API extern Veltrano_IImage* IImage;

#endif
