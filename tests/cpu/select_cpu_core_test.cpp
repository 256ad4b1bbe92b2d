#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>
#include <string>

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

// Every path of the library's table installs its own routine and logs its
// line; the numbers are unique and the optimised paths name themselves.
TEST_F(SelectCpuCore, EachPathInstallsItsRoutineAndLogsItsName) {
    size_t count = 0;
    const CodePath* paths = CodePaths(&count);
    ASSERT_EQ(count, 18u);
    std::set<int> numbers;
    for (size_t i = 0; i < count; ++i) {
        const CodePath& path = paths[i];
        EXPECT_TRUE(numbers.insert(path.number).second) << "path " << path.number;
        const std::string line = path.logLine;
        if (path.number != 0) {
            EXPECT_EQ(line.rfind(" . Selected '", 0), 0u) << line;
            EXPECT_NE(line.find("' optimized code path.\n"), std::string::npos) << line;
        }
        LogCapture log(2);
        Veltrano_memcpy = MarkerCopy;
        EXPECT_EQ(SelectCPUCore(path.number), 1) << "path " << path.number;
        EXPECT_EQ(Veltrano_memcpy, path.routine) << "path " << path.number;
        EXPECT_EQ(CopyRoutineForPath(path.number), path.routine) << "path " << path.number;
        EXPECT_EQ(log.Text(), line) << "path " << path.number;
    }
    EXPECT_EQ(numbers, (std::set<int>{0, 1, 2, 3, 4, 5, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}));
}

// Warnings level: the selection line is hidden from a log kept at errors only.
TEST_F(SelectCpuCore, LogsAtWarningLevel) {
    LogCapture log(0);
    EXPECT_EQ(SelectCPUCore(4), 1);
    EXPECT_EQ(log.Text(), "");
}

}  // namespace
