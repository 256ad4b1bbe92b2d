// Shared fixture and helpers of the archive tests.
#ifndef VELTRANO_TESTS_ARCHIVE_TEST_HELPERS_H
#define VELTRANO_TESTS_ARCHIVE_TEST_HELPERS_H

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "Veltrano_IStuffDPF.h"
#include "support/test_support.h"

namespace archive_test {

// Each test works inside a fresh folder (the fixed temporary names of
// compaction and upgrade are relative to it), with its own archive object
// and the log captured at every level.
class ArchiveTest : public ::testing::Test {
protected:
    testing_support::TempDir dir{true};
    testing_support::LogCapture log{5};
    Veltrano_IStuffDPF dpf;

    // Creates name with the given blocks (name, type, storage, bytes) and closes it.
    void MakeArchive(const char* name, std::initializer_list<std::tuple<const char*, const char*, int, std::string>> blocks);
    // The block's bytes as LoadBlock returns them (size bytes), or "<failed>".
    std::string Load(int handle, const char* type, const char* name);
    // Counts the blocks FindFirst/FindNext return.
    int Walk(int handle);
};

// A record pointing at bytes (not owned, so never at a temporary).
DPF_BlockData Block(const char* name, const char* type, int storage, const char* bytes, size_t size);
inline DPF_BlockData Block(const char* name, const char* type, int storage, const std::string& bytes) {
    return Block(name, type, storage, bytes.data(), bytes.size());
}
DPF_BlockData Block(const char* name, const char* type, int storage, std::string&& bytes) = delete;
template <size_t N>
DPF_BlockData Block(const char* name, const char* type, int storage, const char (&text)[N]) {
    return Block(name, type, storage, text, N - 1);
}
// Text-like bytes that compress well, deterministic for a seed.
std::string Compressible(size_t size, uint32_t seed);
// Bytes that do not compress, deterministic for a seed.
std::string Noise(size_t size, uint32_t seed);
// The archive header of an archive file's bytes, deciphered with the built-in key.
std::string DecipheredHeader(const std::string& file);
uint32_t LE32(const std::string& bytes, size_t offset);
std::string PutLE32(uint32_t value);
// The first occurrence of the ID block at or after from, or npos.
size_t FindId(const std::string& file, size_t from = 0);

}  // namespace archive_test

#endif
