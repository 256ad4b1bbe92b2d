// DPF archives against zip files read through PhysFS, the loader a game
// programmer would otherwise pick. Two measurements, each run against its
// reference in the same run and reported as a ratio:
//  - loading 1,000 assets of mixed sizes (200 B to 200 KiB, half text that
//    compresses, half random bytes that do not) in random order, the archive
//    opened (or the zip mounted) once per pass;
//  - opening an archive of 10,000 blocks and finding one block in it,
//    against mounting a zip of the same files and finding the same file;
//  - what is left of the first: unpacking the compressed half of those
//    assets with the archive's UCL decoder against zlib's inflate.
// Both containers hold the same files and store the ones that compression
// would not make smaller as they are (DPF raw blocks, zip "stored" entries).
#include <benchmark/benchmark.h>
#include <physfs.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "Veltrano_IStuffDPF.h"
#include "archive/ucl_codec.h"
#include "time_collector.h"

namespace {

constexpr int kLoadAssets = 1000;
constexpr int kOpenBlocks = 10000;
const char kType[] = "BENCH";

struct Asset {
    std::string name;
    std::string bytes;
};

std::string TextBytes(std::mt19937& random, size_t size) {
    static const char* const kWords[] = {"sprite ", "tile ", "layer ",  "frame ", "alpha ", "0x3f ",
                                         "12, ",    "7, ",   "enemy\n", "gold ",  "door ",  "key "};
    std::string text;
    while (text.size() < size) text += kWords[random() % 12];
    text.resize(size);
    return text;
}

std::string RandomBytes(std::mt19937& random, size_t size) {
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random() >> 24);
    return bytes;
}

// count assets, sizes spread evenly on a log scale between minSize and
// maxSize, every other one random bytes.
std::vector<Asset> MakeAssets(int count, double minSize, double maxSize, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> logSize(std::log(minSize), std::log(maxSize));
    std::vector<Asset> assets;
    for (int i = 0; i < count; ++i) {
        const size_t size = static_cast<size_t>(std::exp(logSize(random)));
        char name[32];
        std::snprintf(name, sizeof name, "asset%05d.bin", i);
        assets.push_back({name, i % 2 == 0 ? TextBytes(random, size) : RandomBytes(random, size)});
    }
    return assets;
}

// The DPF archive: compressed blocks, raw where compression does not help
// (the archive tool's rule).
long WriteDpf(Veltrano_IStuffDPF& dpf, const std::string& path, const std::vector<Asset>& assets) {
    const int handle = dpf.Create(path.c_str());
    if (handle <= 0) std::abort();
    std::vector<uint8_t> packed;
    for (const Asset& asset : assets) {
        packed.resize(static_cast<size_t>(ucl_codec::WorstCaseSize(static_cast<int64_t>(asset.bytes.size()))));
        const int64_t packedSize = ucl_codec::Compress(reinterpret_cast<const uint8_t*>(asset.bytes.data()),
                                                       asset.bytes.size(), packed.data());
        DPF_BlockData block{};
        std::snprintf(block.name, sizeof block.name, "%s", asset.name.c_str());
        std::snprintf(block.type, sizeof block.type, "%s", kType);
        block.storage = packedSize >= 0 && packedSize < static_cast<int64_t>(asset.bytes.size()) ? 0 : 1;
        block.size = static_cast<int>(asset.bytes.size());
        block.data = const_cast<char*>(asset.bytes.data());
        if (dpf.AddData(handle, &block) <= 0) std::abort();
    }
    dpf.Close(handle);
    FILE* file = std::fopen(path.c_str(), "rb");
    std::fseek(file, 0, SEEK_END);
    const long length = std::ftell(file);
    std::fclose(file);
    return length;
}

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>((value >> 8) & 0xff);
}
void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xffff);
    Put16(out, value >> 16);
}

// Raw deflate at zlib's default level; empty when it does not shrink.
std::string Deflate(const std::string& bytes) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) std::abort();
    std::string out(deflateBound(&stream, bytes.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END) std::abort();
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out.size() < bytes.size() ? out : std::string();
}

// A plain zip: deflated entries, stored where deflating does not help.
long WriteZip(const std::string& path, const std::vector<Asset>& assets) {
    std::string file;
    std::string directory;
    for (const Asset& asset : assets) {
        const std::string deflated = Deflate(asset.bytes);
        const bool stored = deflated.empty();
        const std::string& data = stored ? asset.bytes : deflated;
        const uint32_t crc = static_cast<uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(asset.bytes.data()), static_cast<uInt>(asset.bytes.size())));
        const uint32_t offset = static_cast<uint32_t>(file.size());
        const uint32_t method = stored ? 0 : 8;
        const uint32_t kTime = 0, kDate = (46u << 9) | (1u << 5) | 1u;  // 2026-01-01
        Put32(file, 0x04034b50);
        Put16(file, 20);
        Put16(file, 0);
        Put16(file, method);
        Put16(file, kTime);
        Put16(file, kDate);
        Put32(file, crc);
        Put32(file, static_cast<uint32_t>(data.size()));
        Put32(file, static_cast<uint32_t>(asset.bytes.size()));
        Put16(file, static_cast<uint32_t>(asset.name.size()));
        Put16(file, 0);
        file += asset.name;
        file += data;

        Put32(directory, 0x02014b50);
        Put16(directory, 20);
        Put16(directory, 20);
        Put16(directory, 0);
        Put16(directory, method);
        Put16(directory, kTime);
        Put16(directory, kDate);
        Put32(directory, crc);
        Put32(directory, static_cast<uint32_t>(data.size()));
        Put32(directory, static_cast<uint32_t>(asset.bytes.size()));
        Put16(directory, static_cast<uint32_t>(asset.name.size()));
        Put16(directory, 0);  // extra
        Put16(directory, 0);  // comment
        Put16(directory, 0);  // disk
        Put16(directory, 0);  // internal attributes
        Put32(directory, 0);  // external attributes
        Put32(directory, offset);
        directory += asset.name;
    }
    const uint32_t directoryOffset = static_cast<uint32_t>(file.size());
    file += directory;
    Put32(file, 0x06054b50);
    Put16(file, 0);
    Put16(file, 0);
    Put16(file, static_cast<uint32_t>(assets.size()));
    Put16(file, static_cast<uint32_t>(assets.size()));
    Put32(file, static_cast<uint32_t>(directory.size()));
    Put32(file, directoryOffset);
    Put16(file, 0);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr || std::fwrite(file.data(), 1, file.size(), out) != file.size()) std::abort();
    std::fclose(out);
    return static_cast<long>(file.size());
}

// One asset compressed both ways, for the codec comparison.
struct Packed {
    std::vector<uint8_t> ucl;
    std::string deflated;
    size_t size;
};

// The assets both codecs shrink, packed as the two containers hold them.
std::vector<Packed> PackBothWays(const std::vector<Asset>& assets) {
    std::vector<Packed> packed;
    for (const Asset& asset : assets) {
        std::vector<uint8_t> ucl(static_cast<size_t>(ucl_codec::WorstCaseSize(static_cast<int64_t>(asset.bytes.size()))));
        const int64_t uclSize = ucl_codec::Compress(reinterpret_cast<const uint8_t*>(asset.bytes.data()),
                                                    asset.bytes.size(), ucl.data());
        std::string deflated = Deflate(asset.bytes);
        if (uclSize < 0 || uclSize >= static_cast<int64_t>(asset.bytes.size()) || deflated.empty()) continue;
        ucl.resize(static_cast<size_t>(uclSize));
        packed.push_back({std::move(ucl), std::move(deflated), asset.bytes.size()});
    }
    return packed;
}

struct Wanted {
    std::string name;
    long size;
};

struct Pair {
    std::string dpf;
    std::string zip;
    long dpfBytes = 0;
    long zipBytes = 0;
    size_t dataBytes = 0;
    std::vector<Wanted> order;  // in the load order
    std::string lastName;       // the file written last
    std::vector<Packed> packed;  // the compressible assets
};

Pair MakePair(Veltrano_IStuffDPF& dpf, const std::string& folder, const char* stem, int count, double minSize,
              double maxSize, uint32_t seed) {
    Pair pair;
    std::vector<Asset> assets = MakeAssets(count, minSize, maxSize, seed);
    pair.dpf = folder + "/" + stem + ".dpf";
    pair.zip = folder + "/" + stem + ".zip";
    pair.dpfBytes = WriteDpf(dpf, pair.dpf, assets);
    pair.zipBytes = WriteZip(pair.zip, assets);
    pair.lastName = assets.back().name;
    pair.packed = PackBothWays(assets);
    for (const Asset& asset : assets) pair.dataBytes += asset.bytes.size();
    std::mt19937 random(seed + 1);
    std::shuffle(assets.begin(), assets.end(), random);
    for (const Asset& asset : assets) pair.order.push_back({asset.name, static_cast<long>(asset.bytes.size())});
    return pair;
}

void BM_DpfLoad(benchmark::State& state, Veltrano_IStuffDPF* dpf, const Pair* pair) {
    for (auto _ : state) {
        const int handle = dpf->Open(pair->dpf.c_str());
        for (const Wanted& asset : pair->order) {
            DPF_BlockData block{};
            if (dpf->LoadBlock(handle, kType, asset.name.c_str(), &block) != asset.size)
                std::abort();
            benchmark::DoNotOptimize(block.data);
            dpf->FreeBlock(&block);
        }
        dpf->Close(handle);
    }
}

// What a PhysFS game does to load a file into memory.
void BM_ZipLoad(benchmark::State& state, const Pair* pair) {
    for (auto _ : state) {
        if (PHYSFS_mount(pair->zip.c_str(), nullptr, 0) == 0) std::abort();
        for (const Wanted& asset : pair->order) {
            PHYSFS_File* file = PHYSFS_openRead(asset.name.c_str());
            if (file == nullptr) std::abort();
            const PHYSFS_sint64 length = PHYSFS_fileLength(file);
            char* bytes = static_cast<char*>(std::malloc(static_cast<size_t>(length)));
            if (PHYSFS_readBytes(file, bytes, static_cast<PHYSFS_uint64>(length)) != length ||
                length != asset.size)
                std::abort();
            benchmark::DoNotOptimize(bytes);
            std::free(bytes);
            PHYSFS_close(file);
        }
        PHYSFS_unmount(pair->zip.c_str());
    }
}

// Opening is measured up to the first lookup: PhysFS reads the whole
// central directory on mount; the DPF reader walks the block headers on
// the first search, here all of them (the file written last).
void BM_DpfOpen(benchmark::State& state, Veltrano_IStuffDPF* dpf, const Pair* pair) {
    const std::string& name = pair->lastName;
    for (auto _ : state) {
        const int handle = dpf->Open(pair->dpf.c_str());
        DPF_BlockData block{};
        std::snprintf(block.name, sizeof block.name, "%s", name.c_str());
        std::snprintf(block.type, sizeof block.type, "%s", kType);
        if (dpf->Search(handle, &block) != 1) std::abort();
        dpf->Close(handle);
    }
}

void BM_ZipOpen(benchmark::State& state, const Pair* pair) {
    const std::string& name = pair->lastName;
    for (auto _ : state) {
        if (PHYSFS_mount(pair->zip.c_str(), nullptr, 0) == 0) std::abort();
        if (PHYSFS_exists(name.c_str()) == 0) std::abort();
        PHYSFS_unmount(pair->zip.c_str());
    }
}

void BM_UclDecompress(benchmark::State& state, const Pair* pair) {
    std::vector<uint8_t> out;
    for (auto _ : state)
        for (const Packed& asset : pair->packed) {
            out.resize(asset.size);
            if (!ucl_codec::Decompress(asset.ucl.data(), asset.ucl.size(), out.data(), asset.size)) std::abort();
            benchmark::DoNotOptimize(out.data());
        }
}

void BM_ZlibInflate(benchmark::State& state, const Pair* pair) {
    std::vector<uint8_t> out;
    for (auto _ : state)
        for (const Packed& asset : pair->packed) {
            out.resize(asset.size);
            z_stream stream{};
            if (inflateInit2(&stream, -15) != Z_OK) std::abort();
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(asset.deflated.data()));
            stream.avail_in = static_cast<uInt>(asset.deflated.size());
            stream.next_out = out.data();
            stream.avail_out = static_cast<uInt>(out.size());
            if (inflate(&stream, Z_FINISH) != Z_STREAM_END || stream.total_out != asset.size) std::abort();
            inflateEnd(&stream);
            benchmark::DoNotOptimize(out.data());
        }
}

void Report(const TimeCollector& collector, const char* what, const char* ours, const char* reference,
            const Pair& pair, int files) {
    const double oursTime = collector.Time(ours);
    const double referenceTime = collector.Time(reference);
    if (oursTime <= 0.0 || referenceTime <= 0.0) return;
    std::printf("%s (%d files, %.1f MiB): DPF %.3f ms, zip through PhysFS %.3f ms; ratio %.2fx (goal <= 1.0x); "
                "DPF %ld bytes, zip %ld bytes\n",
                what, files, pair.dataBytes / 1048576.0, oursTime, referenceTime, oursTime / referenceTime,
                pair.dpfBytes, pair.zipBytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (PHYSFS_init(argv[0]) == 0) return 1;
    Veltrano_IStuffDPF dpf;
    char pattern[] = "/tmp/veltrano-bench-zip-XXXXXX";
    const std::string folder = mkdtemp(pattern);
    const Pair load = MakePair(dpf, folder, "load", kLoadAssets, 200.0, 200.0 * 1024, 20260301);
    const Pair open = MakePair(dpf, folder, "open", kOpenBlocks, 50.0, 2000.0, 20260302);
    // Games read archives written long before; a file changed within the
    // last moments is re-read on every search (its time stamp cannot tell a
    // later change in the same clock tick apart).
    usleep(300 * 1000);

    benchmark::RegisterBenchmark("archive/zip_physfs_load_1000", BM_ZipLoad, &load)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0);
    benchmark::RegisterBenchmark("archive/dpf_load_1000", BM_DpfLoad, &dpf, &load)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(2.0);
    benchmark::RegisterBenchmark("codec/zlib_inflate", BM_ZlibInflate, &load)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("codec/ucl_nrv2b_decompress", BM_UclDecompress, &load)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("archive/zip_physfs_mount_10000", BM_ZipOpen, &open)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0);
    benchmark::RegisterBenchmark("archive/dpf_open_10000", BM_DpfOpen, &dpf, &open)
        ->Unit(benchmark::kMillisecond)
        ->MinTime(1.0);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TimeCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    std::printf("\n");
    Report(collector, "Load in random order", "archive/dpf_load_1000", "archive/zip_physfs_load_1000", load,
           kLoadAssets);
    const double inflateTime = collector.CpuTime("codec/zlib_inflate");
    const double uclTime = collector.CpuTime("codec/ucl_nrv2b_decompress");
    size_t packedBytes = 0, uclBytes = 0, deflatedBytes = 0;
    for (const Packed& asset : load.packed) {
        packedBytes += asset.size;
        uclBytes += asset.ucl.size();
        deflatedBytes += asset.deflated.size();
    }
    if (inflateTime > 0.0 && uclTime > 0.0)
        std::printf("Unpack the %zu compressed assets of the load (%.1f MiB; UCL %.1f MiB, deflate %.1f MiB): "
                    "UCL %.3f ms, inflate %.3f ms processor time; ratio %.2fx\n",
                    load.packed.size(), packedBytes / 1048576.0, uclBytes / 1048576.0, deflatedBytes / 1048576.0,
                    uclTime, inflateTime, uclTime / inflateTime);
    Report(collector, "Open and find one file", "archive/dpf_open_10000", "archive/zip_physfs_mount_10000", open,
           kOpenBlocks);
    benchmark::Shutdown();
    PHYSFS_deinit();
    for (const Pair* pair : {&load, &open}) {
        std::remove(pair->dpf.c_str());
        std::remove(pair->zip.c_str());
    }
    rmdir(folder.c_str());
    return 0;
}
