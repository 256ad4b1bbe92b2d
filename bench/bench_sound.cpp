// Sound loading and music switching through ISoundFX against the mixer used
// by hand in the same run, on the dummy audio driver:
// - 256 sounds (a short 16-bit WAV) loaded from "SND" blocks of an archive
//   and freed, against Mix_LoadWAV_RW of the same bytes already in memory
//   (so the ratio includes reading and unscrambling the blocks);
// - two modules played in turn with MusicPlay (each decoded anew, the other
//   freed), against the same free, typed decode and Mix_PlayMusic by hand.
#include <benchmark/benchmark.h>

#include <SDL_mixer.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/audio_media.h"
#include "time_collector.h"
#include "veltrano.h"

namespace {

constexpr int kSounds = 256;
constexpr char kArchive[] = "bench_sound.dpf";
constexpr char kWav[] = "bench_sound.wav";

audio_media::Bytes& WavBytes() {
    static audio_media::Bytes bytes = audio_media::Wav(audio_media::Tone{22050, 1, 16, 2205, 440.0});
    return bytes;
}

bool WriteArchive() {
    std::remove(kArchive);
    FILE* file = std::fopen(kWav, "wb");
    if (file == nullptr) return false;
    std::fwrite(WavBytes().data(), 1, WavBytes().size(), file);
    std::fclose(file);
    const int dpf = IStuffDPF->Create(kArchive);
    if (dpf <= 0) return false;
    bool stored = true;
    for (int i = 0; i < kSounds; ++i) stored = stored && ISoundFX->SoundImport(dpf, std::to_string(i).c_str(), kWav) > 0;
    IStuffDPF->Close(dpf);
    std::remove(kWav);
    return stored;
}

void BM_SoundLoad(benchmark::State& state) {
    const int dpf = IStuffDPF->Open(kArchive);
    std::vector<std::string> names;
    for (int i = 0; i < kSounds; ++i) names.push_back(std::to_string(i));
    for (auto _ : state) {
        for (const std::string& name : names)
            if (ISoundFX->SoundLoad(dpf, name.c_str()) < 0) state.SkipWithError("SoundLoad failed");
        for (int i = 0; i < kSounds; ++i) ISoundFX->SoundFree(i);
    }
    IStuffDPF->Close(dpf);
}

void BM_MixLoadWAV(benchmark::State& state) {
    const audio_media::Bytes& bytes = WavBytes();
    std::vector<Mix_Chunk*> chunks(kSounds);
    for (auto _ : state) {
        for (Mix_Chunk*& chunk : chunks) {
            chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
            if (chunk == nullptr) state.SkipWithError("Mix_LoadWAV_RW failed");
        }
        for (Mix_Chunk* chunk : chunks) Mix_FreeChunk(chunk);
    }
}

void BM_MusicPlay(benchmark::State& state) {
    const int dpf = IStuffDPF->Create(kArchive);
    const audio_media::Bytes modules[] = {audio_media::ModModule(), audio_media::XmModule()};
    int music[2];
    for (int i = 0; i < 2; ++i) {
        DPF_BlockData block{};
        std::snprintf(block.name, sizeof block.name, "song%d", i);
        std::snprintf(block.type, sizeof block.type, "MUS");
        block.size = static_cast<int>(modules[i].size());
        block.data = const_cast<char*>(reinterpret_cast<const char*>(modules[i].data()));
        IStuffDPF->AddData(dpf, &block);
        music[i] = ISoundFX->MusicLoad(dpf, block.name);
    }
    IStuffDPF->Close(dpf);
    for (auto _ : state) {
        for (int m : music)
            if (ISoundFX->MusicPlay(m, -1) != 0) state.SkipWithError("MusicPlay failed");
    }
    ISoundFX->MusicStop();
    for (int m : music) ISoundFX->MusicFree(m);
}

void BM_MixPlayByHand(benchmark::State& state) {
    const audio_media::Bytes modules[] = {audio_media::ModModule(), audio_media::XmModule()};
    SDL_RWops* streams[2];
    for (int i = 0; i < 2; ++i)
        streams[i] = SDL_RWFromConstMem(modules[i].data(), static_cast<int>(modules[i].size()));
    Mix_Music* playing = nullptr;
    for (auto _ : state) {
        for (SDL_RWops* stream : streams) {
            if (playing != nullptr) Mix_FreeMusic(playing);
            SDL_RWseek(stream, 0, RW_SEEK_SET);
            playing = Mix_LoadMUSType_RW(stream, MUS_MOD, 0);
            if (playing == nullptr || Mix_PlayMusic(playing, -1) != 0) state.SkipWithError("play failed");
        }
    }
    Mix_HaltMusic();
    if (playing != nullptr) Mix_FreeMusic(playing);
    for (SDL_RWops* stream : streams) SDL_RWclose(stream);
}

void PrintRatio(const TimeCollector& collector, const char* what, const char* sdk, const char* reference) {
    const double ours = collector.CpuTime(sdk);
    const double theirs = collector.CpuTime(reference);
    if (ours > 0.0 && theirs > 0.0)
        std::printf("%s: %.3f ms processor time against %.3f ms by hand, ratio %.2fx\n", what, ours, theirs,
                    ours / theirs);
}

}  // namespace

int main(int argc, char** argv) {
    ILogSystem.Init("/dev/null", 4, 0, "bench_sound", nullptr, nullptr, nullptr);
    if (Veltrano.Init(SDL_INIT_TIMER) != 1 || ISoundFX->Init(22050, AUDIO_S16SYS, 2, 1024) != 1 || !WriteArchive())
        return 1;
    benchmark::RegisterBenchmark("sounds_256/Mix_LoadWAV_RW", BM_MixLoadWAV)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("sounds_256/SoundLoad_archive", BM_SoundLoad)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("modules_2/by_hand", BM_MixPlayByHand)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("modules_2/MusicPlay", BM_MusicPlay)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    std::printf("\n");
    PrintRatio(collector, "Loading 256 sounds from an archive", "sounds_256/SoundLoad_archive",
               "sounds_256/Mix_LoadWAV_RW");
    PrintRatio(collector, "Switching between two modules", "modules_2/MusicPlay", "modules_2/by_hand");
    std::remove(kArchive);
    Veltrano.Quit();
    return 0;
}
