#include "archive_test_helpers.h"

#include <cstring>

#include "archive/archive_format.h"
#include "core/byte_order.h"
#include "archive/archive_keys.h"
#include "archive/blowfish.h"

namespace archive_test {

void ArchiveTest::MakeArchive(const char* name,
                              std::initializer_list<std::tuple<const char*, const char*, int, std::string>> blocks) {
    const int handle = dpf.Create(name);
    ASSERT_GT(handle, 0);
    for (const auto& [blockName, type, storage, bytes] : blocks) {
        DPF_BlockData block = Block(blockName, type, storage, bytes);
        ASSERT_GT(dpf.AddData(handle, &block), 0) << blockName;
    }
    dpf.Close(handle);
}

std::string ArchiveTest::Load(int handle, const char* type, const char* name) {
    DPF_BlockData block{};
    const int size = dpf.LoadBlock(handle, type, name, &block);
    if (size <= 0 || block.data == nullptr) return "<failed>";
    std::string bytes(block.data, static_cast<size_t>(size));
    dpf.FreeBlock(&block);
    return bytes;
}

int ArchiveTest::Walk(int handle) {
    DPF_BlockData block{};
    int count = 0;
    for (int r = dpf.FindFirst(handle, &block); r == 1; r = dpf.FindNext(handle, &block)) ++count;
    return count;
}

DPF_BlockData Block(const char* name, const char* type, int storage, const char* bytes, size_t size) {
    DPF_BlockData block{};
    std::memcpy(block.name, name, strnlen(name, sizeof block.name));
    std::memcpy(block.type, type, strnlen(type, sizeof block.type));
    block.storage = static_cast<unsigned char>(storage);
    block.size = static_cast<int>(size);
    block.data = const_cast<char*>(bytes);
    return block;
}

namespace {
uint32_t Next(uint32_t& x) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return x;
}
}  // namespace

std::string Compressible(size_t size, uint32_t seed) {
    static const char* const kWords[] = {"tile ", "sprite ", "font ", "sound ", "map ", "level\n", "0123 ", "xyz "};
    std::string out;
    uint32_t x = seed * 2654435761u + 1;
    while (out.size() < size) out += kWords[Next(x) % 8];
    out.resize(size);
    return out;
}

std::string Noise(size_t size, uint32_t seed) {
    std::string out(size, '\0');
    uint32_t x = seed * 2246822519u + 7;
    for (char& c : out) c = static_cast<char>(Next(x) >> 24);
    return out;
}

std::string DecipheredHeader(const std::string& file) {
    std::string header = file.substr(8, 512);
    uint8_t key[archive_keys::kArchiveKeyLength];
    archive_keys::UnmaskArchiveKey(key);
    Blowfish cipher;
    cipher.SetKey(key, sizeof key);
    cipher.Decipher(reinterpret_cast<uint8_t*>(header.data()), 64);
    return header;
}

uint32_t LE32(const std::string& bytes, size_t offset) {
    return byte_order::LoadLE32(reinterpret_cast<const uint8_t*>(bytes.data()) + offset);
}

std::string PutLE32(uint32_t value) {
    std::string out(4, '\0');
    byte_order::StoreLE32(reinterpret_cast<uint8_t*>(out.data()), value);
    return out;
}

size_t FindId(const std::string& file, size_t from) {
    return file.find(std::string(reinterpret_cast<const char*>(dpf_format::kIdBlock), 16), from);
}

}  // namespace archive_test
