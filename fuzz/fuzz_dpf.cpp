// Arbitrary bytes as a DPF archive file: open, walk in both access modes,
// load every block found, count, close, compact, and convert. The first
// input byte chooses the variant; the rest is the file.
//   bit 0  a password is set (protected archives get deciphered)
//   bit 1  the archive header's CRC is made to match, so damage past the
//          header reaches the walker instead of being refused by Open
//   bit 2  the file's modification time is put in the past, so the walk
//          trusts the blocks it remembers between searches
//   bit 3  a block is added and the first block deleted, then it is walked again
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_Main.h"
#include "archive/archive_format.h"
#include "core/byte_order.h"
#include "archive/archive_keys.h"
#include "archive/blowfish.h"
#include "archive/compact_pause.h"

namespace {

unsigned char kPassword[] = "fuzzpass";
constexpr unsigned char kPasswordLength = 8;
constexpr size_t kMaxLoads = 64;
constexpr size_t kMaxWalk = 5000;
const char* const kDerivedSuffixes[] = {"", "_v3.dpf", "_secure.dpf", "_unsecure.dpf", "_secure_unsecure.dpf"};

std::string folder;
std::string base;  // the archive's path without ".dpf"
Veltrano_IStuffDPF* plain = nullptr;
Veltrano_IStuffDPF* keyed = nullptr;

void RemoveFiles() {
    for (const char* suffix : kDerivedSuffixes) std::remove((base + (*suffix ? suffix : ".dpf")).c_str());
    std::remove("dpf.tmp");
    std::remove("tmp.dpf");
}

void Reseal(std::string& file) {
    if (file.size() < 520) return;
    uint8_t key[archive_keys::kArchiveKeyLength];
    archive_keys::UnmaskArchiveKey(key);
    Blowfish cipher;
    cipher.SetKey(key, sizeof key);
    auto* header = reinterpret_cast<uint8_t*>(&file[8]);
    cipher.Decipher(header, 64);
    const uint32_t crc = Veltrano.CRC32(file.data() + 520, static_cast<int>(file.size() - 520));
    byte_order::StoreLE32(header + dpf_format::kCrcOffset, crc);
    cipher.Encipher(header, 64);
}

void WriteInput(const std::string& path, const std::string& bytes, bool aged) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);
    if (aged) {
        struct timeval old[2] = {{1000000000, 0}, {1000000000, 0}};
        utimes(path.c_str(), old);
    }
}

std::vector<DPF_BlockData> WalkAll(Veltrano_IStuffDPF& dpf, int handle) {
    std::vector<DPF_BlockData> found;
    DPF_BlockData block{};
    for (int r = dpf.FindFirst(handle, &block); r == 1 && found.size() < kMaxWalk; r = dpf.FindNext(handle, &block))
        found.push_back(block);
    return found;
}

void LoadSome(Veltrano_IStuffDPF& dpf, int handle, const std::vector<DPF_BlockData>& records) {
    for (size_t i = 0; i < records.size() && i < kMaxLoads; ++i) {
        DPF_BlockData loaded{};
        const int size = dpf.LoadBlock(handle, records[i].type, records[i].name, &loaded);
        // Touch every byte the loader claims to have handed over.
        if (size > 0) {
            volatile char sum = 0;
            for (int k = 0; k < size; ++k) sum = static_cast<char>(sum + loaded.data[k]);
        }
        dpf.FreeBlock(&loaded);
    }
}

void ExerciseOpen(Veltrano_IStuffDPF& dpf, const std::string& path, bool modify) {
    const int handle = dpf.Open(path.c_str());
    if (handle <= 0) return;
    for (char mode : {0, 1}) {
        dpf.SetAccessMode(mode);
        LoadSome(dpf, handle, WalkAll(dpf, handle));
    }
    dpf.SetAccessMode(0);
    if (modify) {
        std::vector<DPF_BlockData> records = WalkAll(dpf, handle);
        std::string bytes(100, 'z');
        DPF_BlockData added{};
        std::strcpy(added.name, "fuzz-added");
        std::strcpy(added.type, "RAW");
        added.storage = 1;
        added.size = static_cast<int>(bytes.size());
        added.data = bytes.data();
        dpf.AddData(handle, &added);
        if (!records.empty()) dpf.Delete(handle, &records[0]);
        LoadSome(dpf, handle, WalkAll(dpf, handle));
    }
    dpf.GetNumBlocks(handle);
    dpf.GetNumDelBlocks(handle);
    dpf.GetFragment(handle);
    dpf.GetSize(handle);
    dpf.GetCopyright();
    dpf.GetCreateDate();
    dpf.GetLastModified();
    dpf.GetName();
    dpf.Close(handle);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    compact_pause::SetPauseFunction([](uint32_t) {});
    // Every message is formatted (names and types from the input included)
    // and thrown away.
    ILogSystem.Init("/dev/null", 4, 5, "fuzz_dpf", nullptr, nullptr, nullptr);
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/fuzz_dpf-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
    base = folder + "/input";
    plain = new Veltrano_IStuffDPF;
    keyed = new Veltrano_IStuffDPF;
    keyed->SetPassword(kPassword, kPasswordLength);
    std::atexit([] {
        RemoveFiles();
        rmdir(folder.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t flags = data[0];
    std::string file(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (flags & 2) Reseal(file);
    Veltrano_IStuffDPF& dpf = (flags & 1) ? *keyed : *plain;
    const std::string path = base + ".dpf";
    RemoveFiles();
    WriteInput(path, file, (flags & 4) != 0);
    ExerciseOpen(dpf, path, (flags & 8) != 0);
    dpf.Compact(path.c_str());
    if (flags & 1)
        dpf.UnProtect(path.c_str(), kPassword, kPasswordLength);
    else
        dpf.Protect(path.c_str(), kPassword, kPasswordLength);
    RemoveFiles();
    return 0;
}
