// Text drawing cost: 10,000 characters of PutString per frame with the
// built-in font, against raw SDL_BlitSurface calls of the same glyph
// rectangles; and StringWidth of long lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fonts/builtin_font.h"
#include "headless_screen.h"
#include "time_collector.h"
#include "veltrano.h"

namespace {

constexpr int kLines = 100;
constexpr int kLineLength = 100;
constexpr int kLineStep = 14;

Veltrano_CFont font;
std::vector<std::string> lines;
std::vector<int> lineY;

struct GlyphBlit {
    SDL_Rect source;
    SDL_Rect destination;
};
std::vector<GlyphBlit> reference;

// 100 lines of 100 characters: every printable character, spaces included.
void MakeText() {
    for (int i = 0; i < kLines; ++i) {
        std::string line;
        for (int j = 0; j < kLineLength; ++j) line += static_cast<char>(' ' + (i * 7 + j) % 95);
        lines.push_back(line);
        lineY.push_back((i * kLineStep) % 460);
    }
}

// The glyph cells as the font cut them: gap runs are the columns holding
// only the background; a cell runs from one gap's centre to the next.
std::vector<int> GapCentres(SDL_Surface* surface) {
    const Uint32 key = surface->format->colorkey;
    std::vector<int> centres;
    SDL_LockSurface(surface);
    auto empty = [&](int x) {
        for (int y = 0; y < surface->h; ++y) {
            const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
            if (reinterpret_cast<const Uint32*>(row)[x] != key) return false;
        }
        return true;
    };
    for (int x = 0; x < surface->w;) {
        if (!empty(x)) {
            ++x;
            continue;
        }
        const int start = x;
        while (x < surface->w && empty(x)) ++x;
        centres.push_back((start + (x < surface->w ? x : surface->w - 1)) / 2);
    }
    SDL_UnlockSurface(surface);
    centres.push_back(surface->w);
    return centres;
}

void MakeReferenceBlits() {
    const std::vector<int> centres = GapCentres(font.GetSurface());
    const int height = font.StringHeight();
    for (int i = 0; i < kLines; ++i) {
        int x = 0;
        for (const char c : lines[i]) {
            const char text[2] = {c, 0};
            const int advance = font.StringWidth(text);
            if (c != ' ') {
                const int cell = c - '!';
                const int width = centres[cell + 1] - centres[cell];
                GlyphBlit blit;
                blit.source = {static_cast<Sint16>(centres[cell]), 1, static_cast<Uint16>(width),
                               static_cast<Uint16>(height)};
                blit.destination = {static_cast<Sint16>(x - (width - advance) / 2), static_cast<Sint16>(lineY[i]),
                                    static_cast<Uint16>(width), static_cast<Uint16>(height)};
                reference.push_back(blit);
            }
            x += advance;
        }
    }
}

void BM_PutString(benchmark::State& state) {
    for (auto _ : state)
        for (int i = 0; i < kLines; ++i) font.PutString(Veltrano.screen, 0, lineY[i], lines[i].c_str(), nullptr);
    state.SetItemsProcessed(state.iterations() * kLines * kLineLength);
}

void BM_RawBlits(benchmark::State& state) {
    SDL_Surface* source = font.GetSurface();
    for (auto _ : state)
        for (const GlyphBlit& blit : reference) {
            SDL_Rect destination = blit.destination;
            SDL_Rect sourceRect = blit.source;
            SDL_BlitSurface(source, &sourceRect, Veltrano.screen, &destination);
        }
    state.SetItemsProcessed(state.iterations() * kLines * kLineLength);
}

void BM_StringWidth(benchmark::State& state) {
    const std::string line = lines[0] + lines[1] + lines[2];  // 300 characters: 255 are measured
    for (auto _ : state) benchmark::DoNotOptimize(font.StringWidth(line.c_str()));
}

}  // namespace

int main(int argc, char** argv) {
    if (!StartHeadlessScreen()) return 1;
    const builtin_font::PngBytes png = builtin_font::Png();
    SDL_Surface* image = IImage->LoadPNG(const_cast<unsigned char*>(png.data), png.size);
    if (image == nullptr || font.Create(image) != 96 || font.GetSurface()->format->BytesPerPixel != 4) return 1;
    SDL_FreeSurface(image);
    MakeText();
    MakeReferenceBlits();

    // The median of three runs: the machine may be busy with other work.
    benchmark::RegisterBenchmark("font/raw_blits_10000_chars", BM_RawBlits)->MinTime(1.0)->Repetitions(3);
    benchmark::RegisterBenchmark("font/PutString_10000_chars", BM_PutString)->MinTime(1.0)->Repetitions(3);
    benchmark::RegisterBenchmark("font/StringWidth_300_chars", BM_StringWidth)->MinTime(0.5);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const double raw = collector.Time("font/raw_blits_10000_chars");
    const double drawn = collector.Time("font/PutString_10000_chars");
    if (raw > 0.0 && drawn > 0.0)
        std::printf("\nPutString of 10,000 characters: %.0f us; raw blits of the same %zu glyph cells: %.0f us; "
                    "ratio %.2fx (goal <= 1.1x)\n",
                    drawn / 1000.0, reference.size(), raw / 1000.0, drawn / raw);
    std::printf("StringWidth of a 300-character line: %.0f ns\n", collector.Time("font/StringWidth_300_chars"));
    benchmark::Shutdown();
    font.Clean();
    Veltrano.Quit();
    return 0;
}
