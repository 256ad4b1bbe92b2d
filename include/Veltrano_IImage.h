/// @file
/// The IImage interface; created by Veltrano.Init, deleted by Veltrano.Quit.
/// Turns "IMG" archive blocks, BMP and PNG files into SDL surfaces and back.
/// Surfaces returned belong to the caller (SDL_FreeSurface).
#ifndef VELTRANO_IIMAGE_H
#define VELTRANO_IIMAGE_H

#include <SDL.h>
#include "veltrano_types.h"

/// Image loading and saving, reached through the global pointer IImage.
/// With automatic surface conversion on (Veltrano.SurfaceAutomaticConversion)
/// loaded surfaces come out in the screen's format (per-pixel alpha kept);
/// a surface loaded without a colour key has its format's colour key field
/// set to -1.
class VELTRANO_API Veltrano_IImage {
public:
    /// Logs " . [IImage] Interfaz created." at level 5.
    Veltrano_IImage();
    /// Logs " . [IImage] Interfaz deleted." at level 5.
    ~Veltrano_IImage();
    /// Not copyable: the core makes the one interface object.
    Veltrano_IImage(const Veltrano_IImage&) = delete;
    /// Not assignable, for the same reason.
    Veltrano_IImage& operator=(const Veltrano_IImage&) = delete;

    /// Loads the "IMG" block of an open archive. An 8-bit image keeps its
    /// palette and is never converted (logs
    /// "... Warning: 8bits surface loaded, it could be a different screen format.").
    /// @param dpfHandle  a handle from IStuffDPF->Open.
    /// @param name       the block's name.
    /// @param header     filled with the stored size, depth, alpha, colour key
    ///                   and the name; may be null.
    /// @return a new surface; null for a handle below 1, a missing block or a
    ///         damaged one.
    /// Logs " . [IImage->Load('archive','name',0xheader)] Error: image not found." or
    /// "... Error: image block is damaged." on failure.
    SDL_Surface* Load(int dpfHandle, const char* name, sHeaderIPF* header);
    /// Opens the archive, loads the "IMG" block as Load(int, ...) does and
    /// closes the archive.
    /// @param dpfFile  the archive's file name.
    /// @param name     the block's name.
    /// @param header   filled as by Load(int, ...); may be null.
    /// @return a new surface, or null when the archive does not open or the
    ///         block cannot be loaded (logged as above).
    SDL_Surface* Load(const char* dpfFile, const char* name, sHeaderIPF* header);
    /// Stores a surface as an "IMG" block (compressed); the OpenGL screen is
    /// read back first.
    /// @param dpfHandle  a handle from IStuffDPF->Open or Create.
    /// @param name       the block's name, at most 31 characters.
    /// @param surface    the surface to store.
    /// @return AddData's result: the stored size (> 0), -1 when a block of
    ///         that name exists, 0 on failure (handle below 1, null name or
    ///         surface, the copy cannot be made).
    /// Logs " . [IImage->Save(handle,'name')] Error: the name is longer than 31 characters." for a long name; AddData
    /// logs its own failures.
    int Save(int dpfHandle, const char* name, SDL_Surface* surface);
    /// Opens the archive (creating it when the file does not exist), stores
    /// the surface as Save(int, ...) does and closes the archive.
    /// @param dpfFile  the archive's file name.
    /// @param name     the block's name, at most 31 characters.
    /// @param surface  the surface to store.
    /// @return as Save(int, ...); 0 when the archive cannot be opened.
    int Save(const char* dpfFile, const char* name, SDL_Surface* surface);

    /// Loads a BMP file.
    /// @param file  the file's path.
    /// @return a new surface, or null.
    /// Logs " . [IImage->LoadBMP(file)] Error: file not found." when the file
    /// is missing or not a BMP.
    SDL_Surface* LoadBMP(const char* file);
    /// Writes a surface as a BMP file, creating the folders of the path; the
    /// OpenGL screen is read back first.
    /// @param file     the file's path.
    /// @param surface  the surface to write.
    /// @return 1 when written; 0 for a null surface or file name, or when the
    ///         file cannot be written.
    /// Logs " . [IImage->SaveBMP(file,0)] Error: surface is null." for a null
    /// surface or file name.
    int SaveBMP(const char* file, SDL_Surface* surface);
    /// Tells whether SDL's BMP reader can load a file.
    /// @param file  the file's path.
    /// @return 1 for a readable BMP, 0 otherwise (also for a null name).
    int isBMP(const char* file);

    /// Loads a PNG file (palette images with one fully transparent entry get
    /// that entry as colour key; with more they become 32-bit RGBA).
    /// @param file  the file's path.
    /// @return a new surface, or null.
    /// Logs " . [IImage->LoadPNG(file)] Error: " followed by "file not found."
    /// or the decoder's reason (SDL's error text).
    SDL_Surface* LoadPNG(const char* file);
    /// Loads a PNG image held in memory.
    /// @param memory  the PNG file's bytes.
    /// @param length  their count.
    /// @return a new surface, or null (also for null memory or a length of 0
    ///         or less).
    /// Logs " . [IImage->LoadPNG(memory)] Error: " and the reason on failure.
    SDL_Surface* LoadPNG(void* memory, int length);
    /// Writes a surface as a PNG file (palette PNG for 8-bit surfaces, RGB or
    /// RGBA otherwise), creating the folders of the path; the OpenGL screen is
    /// read back first.
    /// @param file         the file's path.
    /// @param surface      the surface to write.
    /// @param compression  zlib level 1..9 (10 or more count as 9); 0 writes
    ///                     unfiltered, uncompressed data; negative for zlib's
    ///                     default.
    /// @return 0 when written; -1 when the file cannot be created or encoding
    ///         fails (the reason in SDL_GetError); 0 also for a null surface
    ///         or file name, which is logged.
    /// Logs " . [IImage->SavePNG(file,compression)] Error: surface is null."
    /// for a null surface; other failures are reported through SDL_GetError only.
    int SavePNG(const char* file, SDL_Surface* surface, int compression);
    /// Tells whether a file starts with the PNG signature.
    /// @param file  the file's path.
    /// @return 1 PNG, 0 not PNG, -1 the file cannot be opened (or a null name).
    int isPNG(const char* file);

    /// Loads a BMP or PNG file, whichever it is.
    /// @param file  the file's path.
    /// @return a new surface, or null when the file is neither (nothing
    ///         logged then) or cannot be loaded (logged by LoadBMP / LoadPNG).
    SDL_Surface* LoadIMG(const char* file);
};

/// The image interface; null before Veltrano.Init and after Veltrano.Quit.
VELTRANO_API extern Veltrano_IImage* IImage;

#endif
