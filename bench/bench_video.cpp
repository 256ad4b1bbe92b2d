// The film player's cost per frame: PlayMPEG with effects 0, 6 and 10
// against smpeg playing the same film straight into the screen. A film plays
// in real time, so what is compared is the processor time of the whole
// process (smpeg's threads included) divided by the frames shown.
#include <benchmark/benchmark.h>
#include <smpeg.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "time_collector.h"
#include "veltrano.h"

namespace {

constexpr int kWidth = 320, kHeight = 240;

std::string FilmPath() { return std::string(VELTRANO_SOURCE_DIR) + "/tests/data/media/film_silent.mpg"; }

int framesShown = 0;
std::map<std::string, double> framesPerPlay;  // by benchmark name

int CountFrame(int, SDL_Surface*, SDL_Rect*) { return ++framesShown, 1; }

void BM_PlayMPEG(benchmark::State& state, const char* name, int effect) {
    const std::string film = FilmPath();
    IVideo->SetScale(kWidth, kHeight);
    IVideo->SetPosition(0, 0);
    IVideo->SetFX(effect);
    IVideo->SetFunction(CountFrame);
    framesShown = 0;
    for (auto _ : state) {
        if (!IVideo->PlayMPEG(film.c_str(), 0, 0)) state.SkipWithError("film not played");
    }
    framesPerPlay[name] = static_cast<double>(framesShown) / state.iterations();
}

// smpeg alone: decodes scaled into the screen and updates it itself.
void BM_SmpegAlone(benchmark::State& state, const char* name) {
    const std::string film = FilmPath();
    int frames = 0;
    for (auto _ : state) {
        SMPEG_Info info{};
        SMPEG* mpeg = SMPEG_new(film.c_str(), &info, 0);
        SMPEG_enableaudio(mpeg, 0);
        SMPEG_enablevideo(mpeg, 1);
        SMPEG_scaleXY(mpeg, kWidth, kHeight);
        SMPEG_setdisplay(mpeg, Veltrano.screen, nullptr, nullptr);
        SMPEG_play(mpeg);
        while (SMPEG_status(mpeg) == SMPEG_PLAYING) SDL_Delay(20);
        SMPEG_getinfo(mpeg, &info);
        frames += info.current_frame;
        SMPEG_delete(mpeg);
    }
    framesPerPlay[name] = static_cast<double>(frames) / state.iterations();
}

double CpuPerFrame(const TimeCollector& times, const std::string& name) {
    const double frames = framesPerPlay[name];
    return frames > 0 ? times.CpuTime(name) / frames : 0.0;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (Veltrano.Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 1) return 1;
    Veltrano.Config.colordepth = 32;
    Veltrano.Config.resolutionx = kWidth;
    Veltrano.Config.resolutiony = kHeight;
    if (Veltrano.SetVideoMode() != 1) return 1;
    ITimeSystem->Init(0);

    const char* names[] = {"video/smpeg_alone", "video/play_fx0", "video/play_fx6", "video/play_fx10"};
    auto configure = [](benchmark::internal::Benchmark* b) {
        b->Iterations(3)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);
    };
    configure(benchmark::RegisterBenchmark(names[0], BM_SmpegAlone, names[0]));
    configure(benchmark::RegisterBenchmark(names[1], BM_PlayMPEG, names[1], 0));
    configure(benchmark::RegisterBenchmark(names[2], BM_PlayMPEG, names[2], 6));
    configure(benchmark::RegisterBenchmark(names[3], BM_PlayMPEG, names[3], 10));
    benchmark::Initialize(&argc, argv);
    TimeCollector times;
    benchmark::RunSpecifiedBenchmarks(&times);

    const double reference = CpuPerFrame(times, names[0]);
    std::printf("\nprocessor time per frame at %dx%d (frames per play in brackets):\n", kWidth, kHeight);
    for (const char* name : names) {
        const double perFrame = CpuPerFrame(times, name);
        std::printf("  %-18s %8.3f ms  (%4.1f)  ratio to smpeg alone %.2f\n", name, perFrame,
                    framesPerPlay[name], reference > 0 ? perFrame / reference : 0.0);
    }
    Veltrano.Quit();
    return 0;
}
