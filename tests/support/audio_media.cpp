#include "support/audio_media.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include <vorbis/vorbisenc.h>

namespace audio_media {
namespace {

// Appends fields to a growing file; Set* patch fields written earlier (sizes
// and offsets known only later).
class Writer {
public:
    Bytes bytes;

    size_t Size() const { return bytes.size(); }
    void U8(unsigned v) { bytes.push_back(static_cast<uint8_t>(v)); }
    void Le16(unsigned v) {
        U8(v);
        U8(v >> 8);
    }
    void Le32(uint32_t v) {
        Le16(v & 0xFFFF);
        Le16(v >> 16);
    }
    void Be16(unsigned v) {
        U8(v >> 8);
        U8(v);
    }
    void Be32(uint32_t v) {
        Be16(v >> 16);
        Be16(v & 0xFFFF);
    }
    void Zeros(size_t count) { bytes.insert(bytes.end(), count, 0); }
    void PadTo(size_t size) { Zeros(size - Size()); }
    // Text in a field of `width` bytes, zero-padded (width 0: just the text).
    void Text(const std::string& text, size_t width = 0) {
        bytes.insert(bytes.end(), text.begin(), text.end());
        if (width > text.size()) Zeros(width - text.size());
    }
    void Append(const Bytes& more) { bytes.insert(bytes.end(), more.begin(), more.end()); }
    void SetLe16(size_t at, unsigned v) { bytes[at] = v & 0xFF, bytes[at + 1] = (v >> 8) & 0xFF; }
    void SetLe32(size_t at, uint32_t v) { SetLe16(at, v & 0xFFFF), SetLe16(at + 2, v >> 16); }
    void SetBe32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = (v >> (24 - 8 * i)) & 0xFF;
    }
};

constexpr double kPi = 3.14159265358979323846;

// Frame i of the tone, in -0.5 .. 0.5.
double ToneValue(const Tone& tone, int i) {
    return 0.5 * std::sin(2.0 * kPi * tone.frequency * i / tone.rate);
}

int16_t ToneS16(const Tone& tone, int i) { return static_cast<int16_t>(std::lround(ToneValue(tone, i) * 32767)); }
uint8_t ToneU8(const Tone& tone, int i) { return static_cast<uint8_t>(128 + std::lround(ToneValue(tone, i) * 127)); }

// Interleaved sample data: 8-bit unsigned or 16-bit signed in the given order.
Bytes PcmData(const Tone& tone, bool bigEndian) {
    Writer out;
    for (int i = 0; i < tone.frames; ++i) {
        for (int c = 0; c < tone.channels; ++c) {
            if (tone.bits == 8) {
                out.U8(ToneU8(tone, i));
            } else {
                const uint16_t v = static_cast<uint16_t>(ToneS16(tone, i));
                bigEndian ? out.Be16(v) : out.Le16(v);
            }
        }
    }
    return out.bytes;
}

// The module song: two notes at row 0 on channels 0 and 1, then silence
// until the end of row 7.
constexpr int kSongRows = 8;
constexpr int kSampleLength = 256;  // bytes of the shared looping sample
constexpr int kSampleCycles = 8;    // sine periods in it

}  // namespace

std::vector<int8_t> SineSample(int length, int cycles) {
    std::vector<int8_t> sample(length);
    for (int i = 0; i < length; ++i)
        sample[i] = static_cast<int8_t>(std::lround(100 * std::sin(2.0 * kPi * cycles * i / length)));
    return sample;
}

Bytes Wav(const Tone& tone) {
    const Bytes data = PcmData(tone, false);
    const int blockAlign = tone.channels * tone.bits / 8;
    Writer out;
    out.Text("RIFF");
    out.Le32(4 + 8 + 16 + 8 + data.size());
    out.Text("WAVE");
    out.Text("fmt ");
    out.Le32(16);
    out.Le16(1);  // PCM
    out.Le16(tone.channels);
    out.Le32(tone.rate);
    out.Le32(tone.rate * blockAlign);
    out.Le16(blockAlign);
    out.Le16(tone.bits);
    out.Text("data");
    out.Le32(data.size());
    out.Append(data);
    return out.bytes;
}

Bytes Aiff(const Tone& tone) {
    Tone pcm = tone;
    pcm.bits = 16;
    const Bytes data = PcmData(pcm, true);
    Writer out;
    out.Text("FORM");
    out.Be32(0);  // patched below
    out.Text("AIFF");
    out.Text("COMM");
    out.Be32(18);
    out.Be16(pcm.channels);
    out.Be32(pcm.frames);
    out.Be16(16);
    // 80-bit extended: sign and 15-bit exponent (bias 16383), then a 64-bit
    // mantissa with an explicit leading one.
    const uint32_t rate = static_cast<uint32_t>(pcm.rate);
    int top = 31;
    while (!(rate & (1u << top))) --top;
    const uint64_t mantissa = static_cast<uint64_t>(rate) << (63 - top);
    out.Be16(16383 + top);
    out.Be32(static_cast<uint32_t>(mantissa >> 32));
    out.Be32(static_cast<uint32_t>(mantissa));
    out.Text("SSND");
    out.Be32(8 + data.size());
    out.Be32(0);  // offset
    out.Be32(0);  // block size
    out.Append(data);
    out.SetBe32(4, out.Size() - 8);
    return out.bytes;
}

int VocBlock1Rate(int rate) { return 1000000 / (1000000 / rate); }

Bytes Voc(const Tone& tone, VocBlock block) {
    const Bytes data = PcmData(tone, false);
    Writer out;
    out.Text("Creative Voice File\x1A");
    out.Le16(26);  // header size
    const unsigned version = block == VocBlock::Sound ? 0x010A : 0x0114;
    out.Le16(version);
    out.Le16((~version + 0x1234) & 0xFFFF);
    if (block == VocBlock::Sound) {
        out.U8(1);
        const uint32_t size = 2 + data.size();
        out.U8(size), out.Le16(size >> 8);
        out.U8(256 - 1000000 / tone.rate);  // time constant
        out.U8(0);                          // 8-bit unsigned
    } else {
        out.U8(9);
        const uint32_t size = 12 + data.size();
        out.U8(size), out.Le16(size >> 8);
        out.Le32(tone.rate);
        out.U8(tone.bits);
        out.U8(tone.channels);
        out.Le16(tone.bits == 8 ? 0 : 4);  // 8-bit unsigned / 16-bit signed PCM
        out.Le32(0);
    }
    out.Append(data);
    out.U8(0);  // terminator
    return out.bytes;
}

Bytes OggVorbis(const Tone& tone) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, tone.channels, tone.rate, 0.0f) != 0) std::abort();
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 0x56454C54);

    Writer out;
    ogg_page page;
    auto writePage = [&] {
        out.bytes.insert(out.bytes.end(), page.header, page.header + page.header_len);
        out.bytes.insert(out.bytes.end(), page.body, page.body + page.body_len);
    };
    ogg_packet id, commentPacket, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &id, &commentPacket, &codebooks);
    ogg_stream_packetin(&stream, &id);
    ogg_stream_packetin(&stream, &commentPacket);
    ogg_stream_packetin(&stream, &codebooks);
    while (ogg_stream_flush(&stream, &page) != 0) writePage();

    // All the audio in one go, then the end of the stream.
    float** buffer = vorbis_analysis_buffer(&dsp, tone.frames);
    for (int i = 0; i < tone.frames; ++i)
        for (int c = 0; c < tone.channels; ++c) buffer[c][i] = static_cast<float>(ToneValue(tone, i));
    vorbis_analysis_wrote(&dsp, tone.frames);
    vorbis_analysis_wrote(&dsp, 0);

    ogg_packet packet;
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
        vorbis_analysis(&block, nullptr);
        vorbis_bitrate_addblock(&block);
        while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
            ogg_stream_packetin(&stream, &packet);
            while (ogg_stream_pageout(&stream, &page) != 0) writePage();
        }
    }
    while (ogg_stream_flush(&stream, &page) != 0) writePage();

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out.bytes;
}

Bytes ModModule() {
    const std::vector<int8_t> sample = SineSample(kSampleLength, kSampleCycles);
    Writer out;
    out.Text("veltrano test", 20);
    for (int s = 0; s < 31; ++s) {  // sample headers; only the first is used
        out.Text(s == 0 ? "sine" : "", 22);
        const bool used = s == 0;
        out.Be16(used ? kSampleLength / 2 : 0);  // length in words
        out.U8(0);                               // finetune
        out.U8(used ? 64 : 0);                   // volume
        out.Be16(0);                             // loop start (words)
        out.Be16(used ? kSampleLength / 2 : 1);  // loop length (words; 1: no loop)
    }
    out.U8(1);    // song length
    out.U8(127);  // restart byte
    out.Zeros(128);  // order table: pattern 0 only
    out.Text("M.K.");
    // Pattern 0: 64 rows of 4 channels of 4 bytes: sample number split over
    // the high nibbles, 12-bit Amiga period, effect and parameter.
    auto cell = [&](int sample, int period, int effect, int parameter) {
        out.U8((sample & 0xF0) | (period >> 8));
        out.U8(period & 0xFF);
        out.U8(((sample & 0x0F) << 4) | effect);
        out.U8(parameter);
    };
    for (int row = 0; row < 64; ++row) {
        for (int channel = 0; channel < 4; ++channel) {
            if (row == 0 && channel == 0) cell(1, 428, 0, 0);  // C-2
            else if (row == 0 && channel == 1) cell(1, 285, 0, 0);  // G-2
            else if (row == kSongRows - 1 && channel == 0) cell(0, 0, 0xD, 0);  // pattern break
            else cell(0, 0, 0, 0);
        }
    }
    for (int8_t v : sample) out.U8(static_cast<uint8_t>(v));
    return out.bytes;
}

Bytes S3mModule() {
    const std::vector<int8_t> sample = SineSample(kSampleLength, kSampleCycles);
    Writer out;
    out.Text("veltrano test", 28);
    out.U8(0x1A);
    out.U8(16);  // type: module
    out.Zeros(2);
    out.Le16(2);       // orders
    out.Le16(1);       // instruments
    out.Le16(1);       // patterns
    out.Le16(0);       // flags
    out.Le16(0x1320);  // tracker version
    out.Le16(2);       // unsigned samples
    out.Text("SCRM");
    out.U8(64);    // global volume
    out.U8(6);     // speed
    out.U8(125);   // tempo
    out.U8(0xB0);  // stereo, master volume 0x30
    out.U8(16);    // click removal
    out.U8(0);     // no panning table
    out.Zeros(8);
    out.Le16(0);  // no special data
    // Channel settings: one left and one right channel, the rest unused.
    out.U8(0), out.U8(8);
    for (int c = 2; c < 32; ++c) out.U8(255);
    out.U8(0), out.U8(255);  // orders: pattern 0, end
    // The instrument and the pattern start on 16-byte paragraphs.
    const size_t instrumentPointer = out.Size();
    out.Le16(0);
    const size_t patternPointer = out.Size();
    out.Le16(0);

    out.PadTo((out.Size() + 15) & ~size_t{15});
    out.SetLe16(instrumentPointer, out.Size() / 16);
    out.U8(1);  // sampled instrument
    out.Text("SINE.SMP", 12);
    const size_t memSeg = out.Size();
    out.Zeros(3);              // sample paragraph, patched below
    out.Le32(kSampleLength);   // length
    out.Le32(0);               // loop start
    out.Le32(kSampleLength);   // loop end
    out.U8(64);                // volume
    out.U8(0);
    out.U8(0);                 // not packed
    out.U8(1);                 // looping, 8-bit mono
    out.Le32(8363);            // C-4 rate
    out.Zeros(12);
    out.Text("sine", 28);
    out.Text("SCRS");

    out.PadTo((out.Size() + 15) & ~size_t{15});
    out.SetLe16(patternPointer, out.Size() / 16);
    // Packed pattern: per row, entries led by a byte of channel and flags
    // (32 note and instrument, 128 effect), then 0 to end the row.
    const size_t patternStart = out.Size();
    out.Le16(0);  // packed length, patched below
    for (int row = 0; row < 64; ++row) {
        if (row == 0) {
            out.U8(32 | 0), out.U8(0x40), out.U8(1);  // C-4, instrument 1
            out.U8(32 | 1), out.U8(0x47), out.U8(1);  // G-4
        }
        if (row == kSongRows - 1) out.U8(128 | 0), out.U8(3), out.U8(0);  // C00: pattern break
        out.U8(0);
    }
    out.SetLe16(patternStart, out.Size() - patternStart);

    out.PadTo((out.Size() + 15) & ~size_t{15});
    const size_t paragraph = out.Size() / 16;
    out.bytes[memSeg] = (paragraph >> 16) & 0xFF;
    out.SetLe16(memSeg + 1, paragraph & 0xFFFF);
    for (int8_t v : sample) out.U8(static_cast<uint8_t>(v) ^ 0x80);  // unsigned
    return out.bytes;
}

Bytes XmModule() {
    const std::vector<int8_t> sample = SineSample(kSampleLength, kSampleCycles);
    const int channels = 2;
    Writer out;
    out.Text("Extended Module: ");
    out.Text("veltrano test", 20);
    out.U8(0x1A);
    out.Text("veltrano tests", 20);
    out.Le16(0x0104);  // format version
    out.Le32(276);     // header size from here
    out.Le16(1);       // song length
    out.Le16(0);       // restart position
    out.Le16(channels);
    out.Le16(1);  // patterns
    out.Le16(1);  // instruments
    out.Le16(1);  // linear frequency table
    out.Le16(6);  // speed
    out.Le16(125);  // BPM
    out.Zeros(256);  // order table: pattern 0

    // Pattern: packed cells (0x80 | which of note, instrument, volume,
    // effect, parameter follow).
    out.Le32(9);  // pattern header size
    out.U8(0);    // packing type
    out.Le16(kSongRows);
    const size_t packedSize = out.Size();
    out.Le16(0);
    const size_t packedStart = out.Size();
    for (int row = 0; row < kSongRows; ++row) {
        for (int channel = 0; channel < channels; ++channel) {
            if (row == 0) out.U8(0x83), out.U8(channel == 0 ? 49 : 56), out.U8(1);  // C-4, G-4
            else out.U8(0x80);
        }
    }
    out.SetLe16(packedSize, out.Size() - packedStart);

    // Instrument with one sample and no envelopes.
    const size_t instrument = out.Size();
    out.Le32(263);  // instrument header size
    out.Text("sine", 22);
    out.U8(0);
    out.Le16(1);    // samples
    out.Le32(40);   // sample header size
    out.Zeros(96);  // every note plays sample 0
    out.Zeros(48 + 48);  // envelope points
    out.Zeros(2 + 6 + 2 + 4);  // point counts, sustain and loops, types, vibrato
    out.Le16(0);    // fadeout
    out.PadTo(instrument + 263);
    out.Le32(kSampleLength);  // length in bytes
    out.Le32(0);              // loop start
    out.Le32(kSampleLength);  // loop length
    out.U8(64);               // volume
    out.U8(0);                // finetune
    out.U8(1);                // forward loop, 8-bit
    out.U8(128);              // panning
    out.U8(0);                // relative note: C-4 plays at 8363 Hz
    out.U8(0);
    out.Text("sine", 22);
    // Sample data as differences from the previous value.
    int8_t previous = 0;
    for (int8_t v : sample) {
        out.U8(static_cast<uint8_t>(v - previous));
        previous = v;
    }
    return out.bytes;
}

Bytes ItModule() {
    const std::vector<int8_t> sample = SineSample(kSampleLength, kSampleCycles);
    Writer out;
    out.Text("IMPM");
    out.Text("veltrano test", 26);
    out.Le16(0x1004);  // pattern row highlight
    out.Le16(2);       // orders
    out.Le16(0);       // instruments: sample mode
    out.Le16(1);       // samples
    out.Le16(1);       // patterns
    out.Le16(0x0214);  // made with
    out.Le16(0x0200);  // compatible with
    out.Le16(0x0009);  // stereo, linear slides
    out.Le16(0);       // no message
    out.U8(128);  // global volume
    out.U8(48);   // mix volume
    out.U8(6);    // speed
    out.U8(125);  // tempo
    out.U8(128);  // stereo separation
    out.U8(0);
    out.Le16(0), out.Le32(0);  // message length and offset
    out.Le32(0);
    for (int c = 0; c < 64; ++c) out.U8(c == 0 ? 16 : c == 1 ? 48 : 32 | 128);  // pan; 128: off
    for (int c = 0; c < 64; ++c) out.U8(64);  // channel volume
    out.U8(0), out.U8(255);  // orders: pattern 0, end
    const size_t samplePointer = out.Size();
    out.Le32(0);
    const size_t patternPointer = out.Size();
    out.Le32(0);

    out.SetLe32(samplePointer, out.Size());
    out.Text("IMPS");
    out.Text("SINE.SMP", 12);
    out.U8(0);
    out.U8(64);    // global volume
    out.U8(0x11);  // has data, looping, 8-bit mono
    out.U8(64);    // volume
    out.Text("sine", 26);
    out.U8(1);  // signed samples
    out.U8(0);  // no default pan
    out.Le32(kSampleLength);
    out.Le32(0);              // loop begin
    out.Le32(kSampleLength);  // loop end
    out.Le32(8363);           // C-5 rate
    out.Le32(0), out.Le32(0);  // sustain loop
    const size_t sampleData = out.Size();
    out.Le32(0);
    out.Zeros(4);  // vibrato

    // Packed pattern: per cell a channel byte (channel + 1, 128: a mask
    // follows), the mask (1 note, 2 instrument), the values; 0 ends a row.
    out.SetLe32(patternPointer, out.Size());
    const size_t patternStart = out.Size();
    out.Le16(0);  // packed length, patched below
    out.Le16(kSongRows);
    out.Zeros(4);
    for (int row = 0; row < kSongRows; ++row) {
        if (row == 0) {
            out.U8(128 | 1), out.U8(3), out.U8(60), out.U8(1);  // C-5, sample 1
            out.U8(128 | 2), out.U8(3), out.U8(67), out.U8(1);  // G-5
        }
        out.U8(0);
    }
    out.SetLe16(patternStart, out.Size() - patternStart - 8);

    out.SetLe32(sampleData, out.Size());
    for (int8_t v : sample) out.U8(static_cast<uint8_t>(v));
    return out.bytes;
}

}  // namespace audio_media
