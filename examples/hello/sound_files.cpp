// The demo's sounds, synthesised here and written as ordinary files: two
// short WAV effects (a coin's chime, a button's click, a hurt thud) and a little
// looping tune as a four-channel tracker module (MOD). The build packs them
// into assets.dpf with veltrano-dpf, as it does the pictures.
#include "sounds.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16LE(Bytes& out, unsigned v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void Put32LE(Bytes& out, unsigned v) { Put16LE(out, v & 0xFFFF), Put16LE(out, v >> 16); }
void Put16BE(Bytes& out, unsigned v) { out.insert(out.end(), {uint8_t(v >> 8), uint8_t(v)}); }
void PutText(Bytes& out, const std::string& text, size_t width) {
    for (size_t i = 0; i < width; ++i) out.push_back(i < text.size() ? uint8_t(text[i]) : 0);
}

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

// 16-bit mono PCM in a RIFF WAVE file.
Bytes Wave(const std::vector<int16_t>& samples) {
    Bytes out;
    PutText(out, "RIFF", 4);
    Put32LE(out, 36 + static_cast<unsigned>(samples.size()) * 2);
    PutText(out, "WAVEfmt ", 8);
    Put32LE(out, 16);
    Put16LE(out, 1);  // PCM
    Put16LE(out, 1);  // mono
    Put32LE(out, kRate);
    Put32LE(out, kRate * 2);
    Put16LE(out, 2);
    Put16LE(out, 16);
    PutText(out, "data", 4);
    Put32LE(out, static_cast<unsigned>(samples.size()) * 2);
    for (int16_t s : samples) Put16LE(out, static_cast<uint16_t>(s));
    return out;
}

// Tones one after another, each fading out: (frequency, seconds) pairs.
std::vector<int16_t> Tones(const std::vector<std::pair<double, double>>& notes, double loudness) {
    std::vector<int16_t> samples;
    for (const auto& [frequency, seconds] : notes) {
        const int count = static_cast<int>(seconds * kRate);
        for (int i = 0; i < count; ++i) {
            const double fade = 1.0 - static_cast<double>(i) / count;
            const double wave = std::sin(2 * kPi * frequency * i / kRate) >= 0 ? 1.0 : -1.0;  // square: bright
            samples.push_back(static_cast<int16_t>(wave * fade * loudness * 32767));
        }
    }
    return samples;
}

// A tracker module: 4 channels, two looping instruments and one 64-row
// pattern of a melody over a bass line, played again and again.
Bytes Tune() {
    constexpr int kLead = 1, kBass = 2;
    auto sample = [](int length, bool square) {
        std::vector<int8_t> data;
        for (int i = 0; i < length; ++i) {
            const double phase = std::sin(2 * kPi * i / length);
            data.push_back(static_cast<int8_t>((square ? (phase >= 0 ? 1.0 : -1.0) * 0.5 : phase) * 100));
        }
        return data;
    };
    const std::vector<int8_t> lead = sample(32, true), bass = sample(64, false);

    Bytes out;
    PutText(out, "hello theme", 20);
    for (int i = 1; i <= 31; ++i) {
        const std::vector<int8_t>* data = i == kLead ? &lead : i == kBass ? &bass : nullptr;
        const unsigned words = data != nullptr ? static_cast<unsigned>(data->size() / 2) : 0;
        PutText(out, "", 22);
        Put16BE(out, words);
        out.push_back(0);                              // finetune
        out.push_back(data != nullptr ? 40 : 0);       // volume (of 64)
        Put16BE(out, 0);                               // loop start
        Put16BE(out, data != nullptr ? words : 1);     // the whole sample loops
    }
    out.push_back(1);    // song length: one pattern
    out.push_back(127);
    PutText(out, "", 128);  // order table: pattern 0
    PutText(out, "M.K.", 4);

    // Amiga periods: C, D, E, G, A of two octaves.
    const int melody[16] = {428, 381, 339, 285, 254, 285, 339, 381, 428, 339, 285, 214, 254, 285, 339, 428};
    const int bassLine[4] = {856, 678, 762, 570};
    for (int row = 0; row < 64; ++row)
        for (int channel = 0; channel < 4; ++channel) {
            int period = 0, instrument = 0;
            if (channel == 0 && row % 4 == 0) period = melody[row / 4 % 16], instrument = kLead;
            if (channel == 1 && row % 16 == 0) period = bassLine[row / 16], instrument = kBass;
            out.push_back(static_cast<uint8_t>((instrument & 0xF0) | (period >> 8)));
            out.push_back(static_cast<uint8_t>(period));
            out.push_back(static_cast<uint8_t>((instrument & 0x0F) << 4));
            out.push_back(0);
        }
    for (int8_t v : lead) out.push_back(static_cast<uint8_t>(v));
    for (int8_t v : bass) out.push_back(static_cast<uint8_t>(v));
    return out;
}

bool Write(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) return true;
    std::fprintf(stderr, "make_assets: cannot write %s\n", path.string().c_str());
    return false;
}

}  // namespace

bool SaveSounds(const std::filesystem::path& folder) {
    return Write(folder / "coin.wav", Wave(Tones({{988, 0.06}, {1319, 0.18}}, 0.35))) &&
           Write(folder / "click.wav", Wave(Tones({{1800, 0.02}}, 0.3))) &&
           Write(folder / "hurt.wav", Wave(Tones({{220, 0.08}, {147, 0.2}}, 0.4))) && Write(folder / "theme.mod", Tune());
}
