// The demo's sounds as the asset maker writes them: coin.wav and click.wav
// (short effects) and theme.mod (the looping tune). The build packs them
// into assets.dpf with veltrano-dpf.
#ifndef HELLO_SOUNDS_H
#define HELLO_SOUNDS_H

#include <filesystem>

// False (with a message) when a file cannot be written.
bool SaveSounds(const std::filesystem::path& folder);

#endif
