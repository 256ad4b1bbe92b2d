#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>

#include "cpu/copy_routines.h"
#include "cpu/cpu.h"
#include "cpu/cpu_paths.h"
#include "cpu/cpu_probe.h"
#include "platform/cpuid.h"
#include "support/test_support.h"
#include "veltrano.h"

namespace {

using testing_support::LogCapture;

constexpr size_t kNameBufferSize = 59;

void* MarkerCopy(void* destination, const void*, size_t) { return destination; }

CpuFacts Processor(const char* vendor, int family, int model, int ext, bool mmx = true, bool sse = true) {
    CpuFacts facts;
    facts.hasCpuid = true;
    facts.highestLeaf = 13;
    std::snprintf(facts.vendor, sizeof facts.vendor, "%s", vendor);
    // Stepping and extended family are set to show that they are ignored.
    facts.signature = (0x0Au << 20) | (static_cast<uint32_t>(ext) << 16) | (static_cast<uint32_t>(family) << 8) |
                      (static_cast<uint32_t>(model) << 4) | 0x3u;
    facts.hasMmx = mmx;
    facts.hasSse = sse;
    return facts;
}

CpuFacts Amd(int family, int model, int ext = 0) { return Processor("AuthenticAMD", family, model, ext); }
CpuFacts Intel(int family, int model, int ext = 0) { return Processor("GenuineIntel", family, model, ext); }

struct ModelCase {
    CpuFacts facts;
    const char* logText;   // between the vendor and "- MMX"
    const char* nameText;  // between the vendor and "- MMX "
    int path;
};

// Substitutes the processor and keeps the selected routine observable.
class CpuCheck : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Veltrano_memcpy;
        Veltrano_memcpy = MarkerCopy;
    }
    void TearDown() override {
        SubstituteCpuFacts(nullptr);
        Veltrano_memcpy = saved_;
    }

    void Use(const CpuFacts& facts) { SubstituteCpuFacts(&facts); }

    // Name mode into a heap buffer of exactly the documented size, so an
    // overrun is caught by the sanitizer build.
    std::string NameOf(const CpuFacts& facts, int expectedResult = 1) {
        Use(facts);
        std::unique_ptr<char[]> buffer(new char[kNameBufferSize]);
        std::memset(buffer.get(), 'x', kNameBufferSize - 1);
        buffer[kNameBufferSize - 1] = '\0';
        EXPECT_EQ(RunCpuCheck(buffer.get()), expectedResult);
        return buffer.get();
    }

    // Each case in both modes: the name text, the log line and the routine.
    void ExpectModels(std::initializer_list<ModelCase> cases, const std::string& logVendor,
                      const std::string& nameVendor) {
        for (const ModelCase& c : cases) {
            EXPECT_EQ(NameOf(c.facts), nameVendor + c.nameText + "- MMX - SSE");
            LogCapture log(5);
            Veltrano_memcpy = MarkerCopy;
            EXPECT_EQ(RunCpuCheck(nullptr), 1) << c.logText;
            EXPECT_EQ(Veltrano_memcpy, CopyRoutineForPath(c.path)) << c.logText;
            EXPECT_TRUE(log.Contains(logVendor + c.logText + "- MMX - SSE\n")) << log.Text();
        }
    }

private:
    VeltranoCopyFn saved_ = nullptr;
};

TEST_F(CpuCheck, AmdModelsAreNamedWithTheirPaths) {
    ExpectModels({
        {Amd(5, 0), "- K6 ", "- K6 ", 0},
        {Amd(5, 7), "- K6 ", "- K6 ", 0},
        {Amd(5, 8), "- K6-2 ", "- K6-2 ", 0},
        {Amd(5, 9), "- K6-III ", "- K6-III ", 0},
        {Amd(5, 13), "- K5/K6 (13) ", "- K5/K6 (Model 13) ", 0},
        {Amd(6, 2), "- Athlon ", "- Athlon ", 10},
        {Amd(6, 3), "- Duron(A) ", "- Duron(A) ", 10},
        {Amd(6, 6), "- AthlonXP(A) ", "- AthlonXP(A) ", 11},
        {Amd(6, 7), "- Duron(B) ", "- Duron(B) ", 11},
        {Amd(6, 8), "- Sempron ", "- Sempron ", 11},
        {Amd(6, 10), "- AthlonXP(B) ", "- AthlonXP(B) ", 11},
        {Amd(6, 5), "- Duron/Athlon (5)", "- Duron/Athlon (Model 5) ", 10},
        {Amd(15, 2), "- Phenom X3/X4", "- Phenom X3/X4", 19},
        {Amd(15, 11), "- Athlon X2 ", "- Athlon X2 ", 19},
        {Amd(15, 5, 2), "- Athlon64 (2-5)", "- Athlon64 (Model 2-5) ", 19},
        {Amd(7, 4, 1), "- Family 7 - Model: 1-4 ", "- Family 7 - Model 1-4", 0},
    }, " . Running on AMD processor ", "AMD ");
}

TEST_F(CpuCheck, IntelModelsAreNamedWithTheirPaths) {
    ExpectModels({
        {Intel(5, 4), "- Pentium ", "- Pentium ", 0},
        {Intel(6, 1), "- Pentium Pro ", "- Pentium Pro ", 0},
        {Intel(6, 5), "- Pentium II ", "- Pentium II ", 0},
        {Intel(6, 5, 1), "- Core i5 (Arrandale) ", "- Core i5 (Arrandale) ", 21},
        {Intel(6, 6), "- Celeron ", "- Celeron ", 0},
        {Intel(6, 6, 1), "- Core 2 Single core ", "- Core 2 Single core ", 20},
        {Intel(6, 8), "- Pentium III ", "- Pentium III ", 14},
        {Intel(6, 7, 1), "- Core 2 Dual core ", "- Core 2 Dual core ", 20},
        {Intel(6, 9), "- Banias ", "- Banias ", 12},
        {Intel(6, 10, 2), "- Core i7 (Sandy Bridge) ", "- Core i7 (Sandy Bridge) ", 21},
        {Intel(6, 12, 1), "- Core i7 (Westmere) ", "- Core i7 (Westmere) ", 21},
        {Intel(6, 12), "- Atom ", "- Atom ", 12},
        {Intel(6, 13), "- Dothan ", "- Dothan ", 13},
        {Intel(6, 14, 1), "- Core i7 (Nehalem) ", "- Core i7 (Nehalem) ", 21},
        {Intel(6, 14, 2), "- Core Duo ", "- Core Duo ", 20},
        {Intel(6, 15), "- Core 2 Duo ", "- Core 2 Duo ", 20},
        {Intel(6, 11, 3), "- Pentium (3-11) ", "- Pentium (Model 3-11) ", 0},
        {Intel(15, 0), "- Pentium 4(Willamette) ", "- Pentium 4(Willamette) ", 0},
        {Intel(15, 2), "- Pentium 4(Northwood) ", "- Pentium 4(Northwood) ", 16},
        {Intel(15, 3), "- Pentium 4(Prescott) ", "- Pentium 4(Prescott) ", 17},
        {Intel(15, 4), "- Pentium 4(Prescott+) ", "- Pentium 4(Prescott+) ", 18},
        {Intel(15, 6), "- Pentium 4(DualCore) ", "- Pentium 4(DualCore) ", 18},
        {Intel(15, 5), "- Pentium 4 (0-5) ", "- Pentium 4 (Model 0-5) ", 0},
        {Intel(3, 2, 1), "- Family 3 - Model: 1-2 ", "- Family 3 - Model 1-2", 0},
    }, " . Running on INTEL processor ", "INTEL ");
}

TEST_F(CpuCheck, WillametteIsNamedButKeepsTheNormalPath) {
    Use(Intel(15, 1));
    LogCapture log(5);
    EXPECT_EQ(RunCpuCheck(nullptr), 1);
    EXPECT_EQ(Veltrano_memcpy, static_cast<VeltranoCopyFn>(std::memcpy));
    EXPECT_EQ(log.Text(),
              " . Running on INTEL processor - Pentium 4(Willamette) - MMX - SSE\n"
              " . Selected normal code path.\n");
}

// The processor line is always written; the selected path is a warning-level line.
TEST_F(CpuCheck, ProcessorLineIsErrorsLevel) {
    Use(Intel(6, 15));
    LogCapture log(0);
    EXPECT_EQ(RunCpuCheck(nullptr), 1);
    EXPECT_EQ(log.Text(), " . Running on INTEL processor - Core 2 Duo - MMX - SSE\n");
}

TEST_F(CpuCheck, Athlon64SelectsItsPath) {
    Use(Amd(15, 1, 1));
    LogCapture log(5);
    EXPECT_EQ(RunCpuCheck(nullptr), 1);
    EXPECT_EQ(Veltrano_memcpy, copy_routines::CopyMmx64UpTo1024);
    EXPECT_EQ(log.Text(),
              " . Running on AMD processor - Athlon64 (1-1)- MMX - SSE\n"
              " . Selected 'Athlon64' optimized code path.\n");
}

TEST_F(CpuCheck, UnknownVendorIsNamedByItsNumbersOnTheNormalPath) {
    const CpuFacts facts = Processor("CyrixInstead", 6, 12, 15, true, false);
    EXPECT_EQ(NameOf(facts), "CyrixInstead - Family 6 - Model 15-12- MMX ");
    LogCapture log(5);
    EXPECT_EQ(RunCpuCheck(nullptr), 1);
    EXPECT_EQ(Veltrano_memcpy, static_cast<VeltranoCopyFn>(std::memcpy));
    EXPECT_EQ(log.Text(),
              " . Running on CyrixInstead - Family 6 - Model: 15-12  - MMX\n"
              " . Selected normal code path.\n");
}

TEST_F(CpuCheck, MissingMmxRejectsTheProcessor) {
    const CpuFacts facts = Processor("AuthenticAMD", 5, 8, 0, false, false);
    EXPECT_EQ(NameOf(facts, 0), "MMX not available! MMX instruction set are required");
    LogCapture log(5);
    EXPECT_EQ(RunCpuCheck(nullptr), 0);
    EXPECT_EQ(Veltrano_memcpy, MarkerCopy);
    EXPECT_EQ(log.Text(),
              " . Running on AMD processor - K6-2 "
              " . [Veltrano.GetCPUFeatures()] Error: MMX not present!.\n");
}

TEST_F(CpuCheck, CpuidWithoutLeavesRejectsTheProcessor) {
    CpuFacts facts;
    facts.hasCpuid = true;
    facts.highestLeaf = 0;
    facts.hasMmx = true;
    EXPECT_EQ(NameOf(facts, 0), "CPUID not available! A Pentium class processor is required");
    LogCapture log(5);
    EXPECT_EQ(RunCpuCheck(nullptr), 0);
    EXPECT_EQ(Veltrano_memcpy, MarkerCopy);
    EXPECT_EQ(log.Text(), " . [Veltrano.GetCPUFeatures()] Error: CPUID not available! Your CPU must be 486 or less\n");
}

TEST_F(CpuCheck, NoCpuidGoesOnWithTheNormalPath) {
    Use(CpuFacts{});
    char buffer[kNameBufferSize] = "untouched";
    EXPECT_EQ(RunCpuCheck(buffer), 1);
    EXPECT_STREQ(buffer, "untouched");
    LogCapture log(5);
    EXPECT_EQ(RunCpuCheck(nullptr), 1);
    EXPECT_EQ(Veltrano_memcpy, static_cast<VeltranoCopyFn>(std::memcpy));
    EXPECT_EQ(log.Text(), " . Selected normal code path.\n");
}

// Name mode writes from the start of the buffer and never selects a path.
TEST_F(CpuCheck, NameModeReplacesTheBufferAndSelectsNothing) {
    Use(Intel(6, 10));
    char buffer[kNameBufferSize] = "previous content";
    EXPECT_EQ(Veltrano.GetCPUName(buffer), 1);
    EXPECT_STREQ(buffer, "INTEL - Core i7 (Sandy Bridge) - MMX - SSE");
    EXPECT_EQ(Veltrano_memcpy, MarkerCopy);
    EXPECT_EQ(Veltrano.GetCPUName(nullptr), 0);
}

// The longest texts with two-digit numbers still fit the documented buffer.
TEST_F(CpuCheck, LongestNamesFitTheBuffer) {
    EXPECT_EQ(NameOf(Processor("VIA VIA VIA ", 14, 15, 15)), "VIA VIA VIA  - Family 14 - Model 15-15- MMX - SSE");
    EXPECT_EQ(NameOf(Processor("AuthenticAMD", 14, 15, 15)), "AMD - Family 14 - Model 15-15- MMX - SSE");
}

TEST(CpuidOnThisMachine, ReportsAVendorAndASignature) {
    if (!VELTRANO_X86_64) GTEST_SKIP() << "no CPUID on this architecture";
    EXPECT_EQ(CPU_haveCPUID(), 1);
    char vendor[13];
    std::memset(vendor, 'x', sizeof vendor);
    const int highest = CPU_GetString(vendor);
    EXPECT_GE(highest, 1);
    EXPECT_EQ(std::strlen(vendor), 12u);
    EXPECT_EQ(CPU_GetString(nullptr), highest);
    const int signature = CPU_getCPUIDFamily();
    EXPECT_NE(signature, 0);
    EXPECT_NE(SignatureFamily(static_cast<uint32_t>(signature)), 0);
}

TEST(CpuidOnThisMachine, TheProcessorPassesTheCheck) {
    if (!VELTRANO_X86_64) GTEST_SKIP() << "no CPUID on this architecture";
    char name[kNameBufferSize] = "";
    EXPECT_EQ(Veltrano.GetCPUName(name), 1);
    EXPECT_NE(std::string(name).find("- MMX "), std::string::npos) << name;
}

}  // namespace
