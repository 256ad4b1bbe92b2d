#include "xml/config_layout.h"

#include "veltrano_cpu.h"

namespace config_layout {

const char kRootName[] = "setup";
// A comment may hold neither "--" nor end in "-", or XML tools refuse the file.
const char kBanner[] = " Veltrano SDK setup system: edit the values below, each section explains them. ";

int MtFriendly(int value) {
    if (value < 0) return 0;
    return value > 127 ? 127 : value;  // the field is 8-bit signed: more would wrap negative
}

// Every back-end value of the renderer table is kept, so a file written
// with the automatic choice (1) or x11 (8) opens the same screen again;
// anything else falls back to the automatic choice, which exists everywhere.
int Renderer(int value) {
    switch (value) {
        case 1: case 2: case 4: case 8: case 16: case 64: case 128: return value;
        default: return 1;
    }
}

int Resolution(int value) { return value & 0xFFFF; }

int ColorDepth(int value) { return value == 0 || value == 8 || value == 16 || value == 32 ? value : 0; }

int Window(int value) {
    if (value < 0) return 0;
    return value >= 3 ? 2 : value;
}

int Accel(int value) {
    if (value <= 0) return 1;
    return value >= 4 ? 3 : value;
}

int AudioEnable(int value) {
    if (value < 0) return 0;
    return value >= 2 ? 1 : value;
}

int AudioFormat(int value) { return value > 15 ? 16 : 8; }

int AudioFrequency(int value) {
    if (value > 44100) return 44100;
    return value == 22050 || value == 44100 ? value : 11025;
}

int AudioMode(int value) {
    if (value >= 5) return 4;
    return value == 2 || value == 4 ? value : 1;
}

int Volume(int value) {
    if (value < 0) return 0;
    return value > 255 ? 255 : value;
}

int AudioBuffer(int value) {
    if (value < 1024) return 1024;
    return value > 16384 ? 16384 : value;
}

namespace {

using Narrow = unsigned char;

void SelectCore(sConfig&, int value) { SelectCPUCore(value); }

const Attribute kGeneral[] = {
    {"mtfriendly", [](sConfig& c, int v) { c.mtfriendly = static_cast<signed char>(MtFriendly(v)); },
     [](const sConfig& c) { return static_cast<int>(c.mtfriendly); }, false},
    {"optcore", SelectCore, nullptr, true},
};

const Attribute kVideo[] = {
    {"renderer", [](sConfig& c, int v) { c.renderer = static_cast<Narrow>(Renderer(v)); },
     [](const sConfig& c) { return static_cast<int>(c.renderer); }, false},
    {"resolutionx", [](sConfig& c, int v) { c.resolutionx = static_cast<unsigned short>(Resolution(v)); },
     [](const sConfig& c) { return static_cast<int>(c.resolutionx); }, false},
    {"resolutiony", [](sConfig& c, int v) { c.resolutiony = static_cast<unsigned short>(Resolution(v)); },
     [](const sConfig& c) { return static_cast<int>(c.resolutiony); }, false},
    {"colordepth", [](sConfig& c, int v) { c.colordepth = static_cast<Narrow>(ColorDepth(v)); },
     [](const sConfig& c) { return static_cast<int>(c.colordepth); }, false},
    {"window", [](sConfig& c, int v) { c.window = static_cast<Narrow>(Window(v)); },
     [](const sConfig& c) { return static_cast<int>(c.window); }, false},
    {"accel", [](sConfig& c, int v) { c.accel = static_cast<Narrow>(Accel(v)); },
     [](const sConfig& c) { return static_cast<int>(c.accel); }, false},
};

const Attribute kAudio[] = {
    {"enable", [](sConfig& c, int v) { c.audioEnable = static_cast<Narrow>(AudioEnable(v)); },
     [](const sConfig& c) { return static_cast<int>(c.audioEnable); }, false},
    {"format", [](sConfig& c, int v) { c.audioFormat = AudioFormat(v); },
     [](const sConfig& c) { return c.audioFormat; }, false},
    {"frequency", [](sConfig& c, int v) { c.audioFrequency = AudioFrequency(v); },
     [](const sConfig& c) { return c.audioFrequency; }, false},
    {"mode", [](sConfig& c, int v) { c.audioMode = AudioMode(v); }, [](const sConfig& c) { return c.audioMode; },
     false},
    {"musicvol", [](sConfig& c, int v) { c.musicVolume = static_cast<Narrow>(Volume(v)); },
     [](const sConfig& c) { return static_cast<int>(c.musicVolume); }, false},
    {"soundvol", [](sConfig& c, int v) { c.soundVolume = static_cast<Narrow>(Volume(v)); },
     [](const sConfig& c) { return static_cast<int>(c.soundVolume); }, false},
    {"buffer", [](sConfig& c, int v) { c.audioBuffer = AudioBuffer(v); },
     [](const sConfig& c) { return c.audioBuffer; }, false},
};

const char* const kGeneralHelp[] = {"General information"};

const char* const kVideoHelp[] = {
    "Renderer: Windib(2), DirectX(4), X11(8), FBCon(16), Quartz(128) and OpenGL(64) .\n",
    "ResolutionX: width of the desired screen.\n",
    "ResolutionY: height of the desired screen.\n",
    "Colordepth: 0,8, 16 or 32 bits.\n",
    "Window: Window(1), Window with no-frame(2) or fullscreen(0).\n",
    "Accel: Software(1), Hardware smooth(2) and Hardware speed(3).\n",
};

const char* const kAudioHelp[] = {
    "Enable: could be 1(enabled) or 0(disabled).\n",
    "Format: 8 or 16 for 8bits/16bits audio stream.\n",
    "Frequency: 11025/22050/44100 samples per second (Hz).\n",
    "Mode: number of channels. 1 for mono, 2 for stereo and 4 for surround.\n",
    "Musicvol: from 0 to 255 is the music volumen.\n",
    "Soundvol: from 0 to 255 is the sound volumen.\n",
    "Buffer: internal buffer(in bytes) to avoid playback problems. 4096 is a good value.\n",
};

template <typename T, size_t N>
constexpr size_t Count(const T (&)[N]) {
    return N;
}

}  // namespace

const Section kSections[] = {
    {"general", kGeneral, Count(kGeneral), kGeneralHelp, Count(kGeneralHelp)},
    {"video", kVideo, Count(kVideo), kVideoHelp, Count(kVideoHelp)},
    {"audio", kAudio, Count(kAudio), kAudioHelp, Count(kAudioHelp)},
};
const size_t kSectionCount = Count(kSections);

}  // namespace config_layout
