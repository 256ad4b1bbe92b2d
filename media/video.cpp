#include "Veltrano_IVideo.h"

#include "log/interface_lines.h"

// The film player's private record; empty until films play.
struct VideoState {};

Veltrano_IVideo::Veltrano_IVideo() : state(new VideoState) { LogInterfaceCreated("IVideo"); }

Veltrano_IVideo::~Veltrano_IVideo() {
    delete state;
    state = nullptr;
    LogInterfaceDeleted("IVideo");
}
