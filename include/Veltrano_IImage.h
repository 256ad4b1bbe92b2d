// The IImage interface; created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_IIMAGE_H
#define VELTRANO_IIMAGE_H

#include "veltrano_types.h"

class VELTRANO_API Veltrano_IImage {
public:
    Veltrano_IImage();
    ~Veltrano_IImage();
    Veltrano_IImage(const Veltrano_IImage&) = delete;
    Veltrano_IImage& operator=(const Veltrano_IImage&) = delete;
};

VELTRANO_API extern Veltrano_IImage* IImage;

#endif
