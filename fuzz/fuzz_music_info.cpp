// Arbitrary bytes as a music file and as a "MUS" block: MusicInfo on both,
// then MusicLoad from both and MusicPlay of each (stopped at once, so no
// input waits on the audio clock), then freed. The committed seeds are the
// modules and the Ogg music of the test media.
#include <cstdint>
#include <cstring>
#include <string>

#include "Veltrano_IStuffDPF.h"
#include "sound_fuzz_setup.h"

namespace {

void PlayAndFree(int music) {
    if (music < 0) return;
    if (ISoundFX->MusicPlay(music, 0) == 0) ISoundFX->MusicStop();
    ISoundFX->MusicFree(music);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    sound_fuzz::Start("fuzz_music_info");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const int dpf = sound_fuzz::Prepare(bytes, "MUS");
    const std::string& file = sound_fuzz::WorkPaths().file;
    sAudioType fromFile{};
    sAudioType fromBlock{};
    const int fileKnown = ISoundFX->MusicInfo(0, file.c_str(), &fromFile);
    const int blockKnown = ISoundFX->MusicInfo(dpf, "input", &fromBlock);
    // Music detection never fails once the bytes were read.
    if (fileKnown != 1 || (size > 0 && blockKnown != 1)) __builtin_trap();
    if (size > 0 && std::memcmp(&fromFile, &fromBlock, sizeof fromFile) != 0) __builtin_trap();
    PlayAndFree(ISoundFX->MusicLoad(file.c_str()));
    PlayAndFree(ISoundFX->MusicLoad(dpf, "input"));
    IStuffDPF->Close(dpf);
    return 0;
}
