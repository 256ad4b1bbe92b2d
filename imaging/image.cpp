#include "Veltrano_IImage.h"

#include "log/interface_lines.h"

Veltrano_IImage::Veltrano_IImage() { LogInterfaceCreated("IImage"); }

Veltrano_IImage::~Veltrano_IImage() { LogInterfaceDeleted("IImage"); }

