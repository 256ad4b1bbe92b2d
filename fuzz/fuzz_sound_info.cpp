// Arbitrary bytes as a sound file and as a "SND" block: SoundInfo on both,
// then SoundLoad from both, each loaded sound played a moment and freed.
// The committed seeds are the sound files of the test media.
#include <cstdint>
#include <cstring>
#include <string>

#include "Veltrano_IStuffDPF.h"
#include "sound_fuzz_setup.h"

namespace {

void PlayAndFree(int sound) {
    if (sound < 0) return;
    const int channel = ISoundFX->SoundPlay(-1, sound, 0);
    if (channel >= 0) ISoundFX->ChannelStop(channel);
    ISoundFX->SoundFree(sound);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    sound_fuzz::Start("fuzz_sound_info");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const int dpf = sound_fuzz::Prepare(bytes, "SND");
    const std::string& file = sound_fuzz::WorkPaths().file;
    sAudioType fromFile{};
    sAudioType fromBlock{};
    const int fileKnown = ISoundFX->SoundInfo(0, file.c_str(), &fromFile);
    const int blockKnown = ISoundFX->SoundInfo(dpf, "input", &fromBlock);
    // The same bytes tell the same, wherever they are kept.
    if (fileKnown != blockKnown || (fileKnown && std::memcmp(&fromFile, &fromBlock, sizeof fromFile) != 0))
        __builtin_trap();
    PlayAndFree(ISoundFX->SoundLoad(file.c_str()));
    PlayAndFree(ISoundFX->SoundLoad(dpf, "input"));
    IStuffDPF->Close(dpf);
    return 0;
}
