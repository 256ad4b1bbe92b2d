#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "cpu/copy_routines.h"
#include "cpu/cpu_paths.h"
#include "support/test_support.h"
#include "veltrano_cpu.h"

namespace {

using testing_support::LogCapture;

void* MarkerCopy(void* destination, const void*, size_t) { return destination; }

class SelectCpuCore : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Veltrano_memcpy;
        Veltrano_memcpy = MarkerCopy;
    }
    void TearDown() override { Veltrano_memcpy = saved_; }

private:
    VeltranoCopyFn saved_ = nullptr;
};

TEST_F(SelectCpuCore, UnknownPathsChangeNothing) {
    LogCapture log(5);
    for (int path : {6, 7, 8, 9, 22, 100, -1, INT_MIN, INT_MAX}) {
        EXPECT_EQ(SelectCPUCore(path), 0) << "path " << path;
        EXPECT_EQ(Veltrano_memcpy, MarkerCopy) << "path " << path;
        EXPECT_EQ(CopyRoutineForPath(path), nullptr) << "path " << path;
    }
    EXPECT_EQ(log.Text(), "");
}

TEST_F(SelectCpuCore, NormalPathIsTheRuntimeCopy) {
    LogCapture log(2);
    EXPECT_EQ(SelectCPUCore(0), 1);
    EXPECT_EQ(Veltrano_memcpy, static_cast<VeltranoCopyFn>(std::memcpy));
    EXPECT_EQ(log.Text(), " . Selected normal code path.\n");
}

struct PathCase {
    int path;
    const char* logLine;
    VeltranoCopyFn routine;
};

TEST_F(SelectCpuCore, EachPathInstallsItsRoutineAndLogsItsName) {
    using namespace copy_routines;
    const PathCase cases[] = {
        {1, " . Selected 'MMX-I' optimized code path.\n", CopyMmx32},
        {2, " . Selected 'MMX-II' optimized code path.\n", CopyMmx64},
        {3, " . Selected 'MMX-V' optimized code path.\n", CopyMmx64Prefetch},
        {4, " . Selected 'SSE-2' optimized code path.\n", CopySse128},
        {5, " . Selected 'K7' optimized code path.\n", CopyBlockPrefetch},
        {10, " . Selected 'Athlon' optimized code path.\n", CopyMmx64UpTo1024},
        {11, " . Selected 'AthlonXP' optimized code path.\n", CopyMmx64UpTo1024},
        {12, " . Selected 'Banias' optimized code path.\n", CopyInterleavedBelow1MiB},
        {13, " . Selected 'Dothan' optimized code path.\n", CopyInterleavedBelow2MiB},
        {14, " . Selected 'PentiumIII' optimized code path.\n", CopyMmx64},
        {15, " . Selected 'P4 Willamette' optimized code path.\n", CopyMmx64UpTo512},
        {16, " . Selected 'P4 Northwood' optimized code path.\n", CopyMmx64UpTo512},
        {17, " . Selected 'P4 Prescott' optimized code path.\n", CopyMmx64UpTo256},
        {18, " . Selected 'P4 Prescott+' optimized code path.\n", CopyMmx64UpTo256},
        {19, " . Selected 'Athlon64' optimized code path.\n", CopyMmx64UpTo1024},
        {20, " . Selected 'Core/Core2' optimized code path.\n", CopyMmx64Prefetch},
        {21, " . Selected 'i5/i7' optimized code path.\n", CopySse128},
    };
    for (const PathCase& c : cases) {
        LogCapture log(2);
        Veltrano_memcpy = MarkerCopy;
        EXPECT_EQ(SelectCPUCore(c.path), 1) << "path " << c.path;
        EXPECT_EQ(Veltrano_memcpy, c.routine) << "path " << c.path;
        EXPECT_EQ(CopyRoutineForPath(c.path), c.routine) << "path " << c.path;
        EXPECT_EQ(log.Text(), c.logLine) << "path " << c.path;
    }
}

// Warnings level: the selection line is hidden from a log kept at errors only.
TEST_F(SelectCpuCore, LogsAtWarningLevel) {
    LogCapture log(0);
    EXPECT_EQ(SelectCPUCore(4), 1);
    EXPECT_EQ(log.Text(), "");
}

}  // namespace
