// The IVideo interface; created by Veltrano.Init, deleted by Veltrano.Quit.
#ifndef VELTRANO_IVIDEO_H
#define VELTRANO_IVIDEO_H

#include "veltrano_types.h"

struct VideoState;

class VELTRANO_API Veltrano_IVideo {
public:
    Veltrano_IVideo();
    ~Veltrano_IVideo();
    Veltrano_IVideo(const Veltrano_IVideo&) = delete;
    Veltrano_IVideo& operator=(const Veltrano_IVideo&) = delete;

private:
    VideoState* state;
};

VELTRANO_API extern Veltrano_IVideo* IVideo;

#endif
