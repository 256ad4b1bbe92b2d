// A look at a film's first bytes before smpeg opens it. smpeg takes a sound
// track for any bytes with an audio sync word, and it reads the header of a
// declared sound track without checking that one was found; both end in
// reads of unset memory, so such files never reach it.
#ifndef VELTRANO_MEDIA_MPEG_PROBE_H
#define VELTRANO_MEDIA_MPEG_PROBE_H

namespace mpeg_probe {

// Null when the file may go to smpeg (a missing file included: smpeg
// reports that itself), else why not.
const char* Refusal(const char* file);

}  // namespace mpeg_probe

#endif
