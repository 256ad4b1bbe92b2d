// Pictures in archives: PNG and BMP files stored as "IMG" blocks through the
// SDK's own image saver, their size shown in listings, and IMG blocks
// written back out as PNG files.
#ifndef VELTRANO_DPF_IMAGES_H
#define VELTRANO_DPF_IMAGES_H

#include <string>

#include "archive_session.h"
#include "command_line.h"

constexpr char kImageBlockType[] = "IMG";

// How images are stored: the depth to convert to (0 keeps the file's) and
// the colour that becomes transparent.
struct ImageOptions {
    int depth = 0;
    bool hasColorKey = false;
    unsigned red = 0, green = 0, blue = 0;
};

// Reads --depth and --colorkey; prints why and returns false when they are wrong.
bool ReadImageOptions(const Arguments& args, ImageOptions& options);

// Why a picture of width x height pixels cannot be cut into whole pieces of
// pieceWidth x pieceHeight ("frames", "cells": what pieces names), or ""
// when it can. The SDK would otherwise stretch the grid to fit or keep no
// piece at all.
std::string CuttingFault(int width, int height, int pieceWidth, int pieceHeight, const char* pieces);

// Prints why the picture file at path could not be loaded: it does not
// exist, or it is not a PNG or BMP image the SDK can read.
void PrintUnreadablePicture(const std::string& path);

// Loads the PNG or BMP file and adds it as the IMG block name.
bool AddImageFile(ArchiveSession& archive, const std::string& path, const std::string& name,
                  const ImageOptions& options);

// "WIDTHxHEIGHT, DEPTH bits" of an IMG block, or "" when it does not load.
std::string ImageDescription(ArchiveSession& archive, const BlockEntry& block);

// The file an IMG block is extracted to: its name, with ".png" added unless
// it already ends so.
std::string PngFileName(const std::string& blockName);

// Writes the IMG block as a PNG file at path.
bool ExtractImageAsPng(ArchiveSession& archive, const BlockEntry& block, const std::string& path);

#endif
