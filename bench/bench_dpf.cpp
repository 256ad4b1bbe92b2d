// Loading every block of a large archive by name, in random order, against
// the least any loader must do: one read of each block's stored bytes and
// its decompression. The archive holds 1,000 blocks of 64 KiB of
// compressible text; each LoadBlock searches from the first block.
#include <benchmark/benchmark.h>
#include <ucl/ucl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "Veltrano_IStuffDPF.h"
#include "platform/platform.h"
#include "time_collector.h"

namespace {

constexpr int kBlocks = 1000;
constexpr size_t kBlockSize = 64 * 1024;

struct StoredBlock {
    std::string name;
    long dataOffset;
    int storedSize;
};

struct Fixture {
    std::string folder;
    std::string archive;
    long archiveBytes = 0;
    std::vector<std::string> order;      // names in the random load order
    std::vector<StoredBlock> locations;  // the same order, for the reference
};

std::string TextBlock(std::mt19937& random) {
    static const char* const kWords[] = {"sprite ", "tile ", "layer ",  "frame ", "alpha ", "0x3f ",
                                         "12, ",    "7, ",   "enemy\n", "gold ",  "door ",  "key "};
    std::string text;
    while (text.size() < kBlockSize) text += kWords[random() % 12];
    text.resize(kBlockSize);
    return text;
}

Fixture* MakeFixture(Veltrano_IStuffDPF& dpf) {
    auto* fixture = new Fixture;
    char pattern[] = "/tmp/veltrano-bench-dpf-XXXXXX";
    fixture->folder = mkdtemp(pattern);
    fixture->archive = fixture->folder + "/bench.dpf";
    std::mt19937 random(20260101);
    const int handle = dpf.Create(fixture->archive.c_str());
    for (int i = 0; i < kBlocks; ++i) {
        const std::string name = "block" + std::to_string(i);
        std::string bytes = TextBlock(random);
        DPF_BlockData block{};
        std::snprintf(block.name, sizeof block.name, "%s", name.c_str());
        std::snprintf(block.type, sizeof block.type, "BENCH");
        block.storage = 0;
        block.size = static_cast<int>(bytes.size());
        block.data = bytes.data();
        if (dpf.AddData(handle, &block) <= 0) std::abort();
        fixture->order.push_back(name);
    }
    std::shuffle(fixture->order.begin(), fixture->order.end(), random);

    // Where each block's stored bytes are, for the reference loader.
    std::map<std::string, StoredBlock> where;
    DPF_BlockData block{};
    for (int r = dpf.FindFirst(handle, &block); r == 1; r = dpf.FindNext(handle, &block))
        where[block.name] = StoredBlock{block.name, 0, block.storedSize};
    dpf.Close(handle);

    // Offsets: the ID block precedes each 64-byte header; data follow it.
    const int fd = platform::Open(fixture->archive.c_str(), platform::OpenMode::ReadOnly);
    fixture->archiveBytes = platform::Length(fd);
    std::string file(static_cast<size_t>(fixture->archiveBytes), '\0');
    platform::Read(fd, file.data(), file.size());
    platform::Close(fd);
    const std::string id("\xB7\xAE\xCE" "Block-Data\xCE\xAF\xB7");
    for (size_t at = file.find(id, 520); at != std::string::npos;) {
        const std::string name = file.c_str() + at + 16;
        where[name].dataOffset = static_cast<long>(at + 80);
        at = file.find(id, at + 80 + ((where[name].storedSize + 7) / 8 * 8));
    }
    for (const std::string& name : fixture->order) fixture->locations.push_back(where[name]);

    // Games read archives written long before; a file changed within the
    // last moments is re-read on every search (its time stamp cannot tell a
    // later change in the same clock tick apart).
    usleep(300 * 1000);
    return fixture;
}

void BM_LoadBlockEveryBlock(benchmark::State& state, Veltrano_IStuffDPF* dpf, const Fixture* fixture) {
    for (auto _ : state) {
        const int handle = dpf->Open(fixture->archive.c_str());
        for (const std::string& name : fixture->order) {
            DPF_BlockData block{};
            if (dpf->LoadBlock(handle, "BENCH", name.c_str(), &block) != static_cast<int>(kBlockSize)) std::abort();
            benchmark::DoNotOptimize(block.data);
            dpf->FreeBlock(&block);
        }
        dpf->Close(handle);
    }
}

// One read of the stored bytes and one decompression per block.
void BM_ReadAndDecompressReference(benchmark::State& state, const Fixture* fixture) {
    for (auto _ : state) {
        const int fd = platform::Open(fixture->archive.c_str(), platform::OpenMode::ReadOnly);
        for (const StoredBlock& block : fixture->locations) {
            const size_t padded = static_cast<size_t>((block.storedSize + 7) / 8 * 8);
            auto* stored = static_cast<unsigned char*>(std::malloc(padded));
            platform::Seek(fd, block.dataOffset, platform::Whence::Begin);
            if (platform::Read(fd, stored, padded) != static_cast<long>(padded)) std::abort();
            auto* out = static_cast<unsigned char*>(std::malloc(kBlockSize));
            ucl_uint outLength = kBlockSize;
            if (ucl_nrv2b_decompress_safe_8(stored, static_cast<ucl_uint>(block.storedSize), out, &outLength,
                                            nullptr) != UCL_E_OK)
                std::abort();
            benchmark::DoNotOptimize(out);
            std::free(stored);
            std::free(out);
        }
        platform::Close(fd);
    }
}

}  // namespace

int main(int argc, char** argv) {
    ucl_init();
    Veltrano_IStuffDPF dpf;
    Fixture* fixture = MakeFixture(dpf);
    benchmark::RegisterBenchmark("dpf/reference_read_and_decompress", BM_ReadAndDecompressReference, fixture)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0);
    benchmark::RegisterBenchmark("dpf/open_and_loadblock_all", BM_LoadBlockEveryBlock, &dpf, fixture)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const double reference = collector.Time("dpf/reference_read_and_decompress");
    const double loader = collector.Time("dpf/open_and_loadblock_all");
    if (reference > 0.0 && loader > 0.0)
        std::printf("\nOpen + LoadBlock of %d blocks of %zu KiB (archive of %.1f MiB) in random order: %.1f ms; "
                    "reference %.1f ms; ratio %.2fx (goal <= 1.5x)\n",
                    kBlocks, kBlockSize / 1024, fixture->archiveBytes / 1048576.0, loader, reference,
                    loader / reference);
    benchmark::Shutdown();
    std::remove(fixture->archive.c_str());
    rmdir(fixture->folder.c_str());
    delete fixture;
    return 0;
}
