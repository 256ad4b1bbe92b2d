#include "Veltrano_IVideo.h"

#include "log/interface_lines.h"

Veltrano_IVideo::Veltrano_IVideo() { LogInterfaceCreated("IVideo"); }

Veltrano_IVideo::~Veltrano_IVideo() { LogInterfaceDeleted("IVideo"); }

