// Reading a configuration-sized document: open, walk a few levels with
// XMLNodePointTo, read every attribute, close; from a file and from a
// compressed archive block. Then LoadConfig/SaveConfig against an archive
// that already holds the block, with the archive's growth per save.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "platform/platform.h"

namespace {

const char* const kVideo[] = {"renderer", "resolutionx", "resolutiony", "colordepth", "window", "accel"};
const char* const kAudio[] = {"enable", "format", "frequency", "mode", "musicvol", "soundvol", "buffer"};

struct Workspace {
    Workspace() {
        char pattern[] = "/tmp/bench_xml-XXXXXX";
        if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) std::abort();
        folder = pattern;
        if (Veltrano.Init(0) != 1) std::abort();
        Veltrano.SaveConfig(nullptr, "setup.xml", nullptr);
        Veltrano.SaveConfig("setup.dpf", "setup.xml", nullptr);
    }
    std::string folder;
};

Workspace& Shared() {
    static Workspace workspace;
    return workspace;
}

long FileLength(const char* path) {
    const int fd = platform::Open(path, platform::OpenMode::ReadOnly);
    const long length = platform::Length(fd);
    platform::Close(fd);
    return length;
}

template <size_t N>
int ReadAll(int h, const char* element, const char* const (&names)[N]) {
    int sum = 0;
    Veltrano.XMLNodePointTo(h, 2, "setup", element);
    for (const char* name : names) {
        int value = 0;
        Veltrano.XMLAttributeGet(h, name, &value);
        sum += value;
    }
    return sum;
}

void ReadDocument(benchmark::State& state, bool fromArchive) {
    Shared();
    for (auto _ : state) {
        const int h = fromArchive ? Veltrano.XMLOpen("setup.dpf", "setup.xml") : Veltrano.XMLOpen("setup.xml");
        if (h == 0) std::abort();
        benchmark::DoNotOptimize(ReadAll(h, "video", kVideo) + ReadAll(h, "audio", kAudio));
        Veltrano.XMLClose(h);
    }
}

void BM_OpenNavigateReadClose_File(benchmark::State& state) { ReadDocument(state, false); }
void BM_OpenNavigateReadClose_ArchiveBlock(benchmark::State& state) { ReadDocument(state, true); }

void BM_LoadConfig_Archive(benchmark::State& state) {
    Shared();
    sConfig config = Veltrano.Config;
    for (auto _ : state)
        if (Veltrano.LoadConfig("setup.dpf", "setup.xml", &config) != 1) std::abort();
}

void BM_SaveConfig_ArchiveReplacingTheBlock(benchmark::State& state) {
    Shared();
    const long before = FileLength("setup.dpf");
    long saves = 0;
    for (auto _ : state) {
        if (Veltrano.SaveConfig("setup.dpf", "setup.xml", nullptr) != 1) std::abort();
        ++saves;
    }
    // A replaced block stays as a deleted one until the archive is compacted.
    state.counters["archive_growth_bytes_per_save"] =
        saves > 0 ? static_cast<double>(FileLength("setup.dpf") - before) / saves : 0;
    IStuffDPF->Compact("setup.dpf");
}

}  // namespace

BENCHMARK(BM_OpenNavigateReadClose_File);
BENCHMARK(BM_OpenNavigateReadClose_ArchiveBlock);
BENCHMARK(BM_LoadConfig_Archive);
BENCHMARK(BM_SaveConfig_ArchiveReplacingTheBlock);

int main(int argc, char** argv) {
    ILogSystem.Init("/dev/null", 4, 0, "bench_xml", nullptr, nullptr, nullptr);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Veltrano.Quit();
    return 0;
}
