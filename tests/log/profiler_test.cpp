// The section profiler: timing arithmetic, nesting, history and warnings,
// driven by a manual clock.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "Veltrano_ILogSystem.h"
#include "log_test_util.h"
#include "support/test_support.h"

using testing_support::ManualClock;
using testing_support::ReadFile;
using testing_support::TempDir;

namespace {

// A private log at level 5 whose output the test reads back.
class ProfiledLog {
public:
    ProfiledLog() : path_(dir_.file("profile.log")) {
        log.Init(path_.c_str(), 2, 5, "profiler", nullptr, nullptr, nullptr);
    }
    // Everything written since the banner or the previous call.
    std::string TakeText() {
        const std::string all = AfterBanner(ReadFile(path_));
        const std::string fresh = all.substr(taken_);
        taken_ = all.size();
        return fresh;
    }
    const std::string& path() const { return path_; }

    Veltrano_ILogSystem log;

private:
    TempDir dir_;
    std::string path_;
    size_t taken_ = 0;
};

std::string Table(std::initializer_list<std::string> lines) {
    std::string text =
        "\n . [ILogSystem::Profile] - Profile table:\n"
        "\n    Ave |   Min |   Max |   # | Profile Name\n"
        "  --------------------------------------------\n";
    for (const std::string& line : lines) text += line;
    return text + "\n";
}

// Runs one section from begin to end on the manual clock.
void Section(Veltrano_ILogSystem& log, ManualClock& clock, const char* name, uint32_t begin, uint32_t end) {
    clock.Set(begin);
    log.ProfileBegin(name);
    clock.Set(end);
    log.ProfileEnd(name);
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

}  // namespace

TEST(Profiler, NestedSectionsAreIndentedAndExcludeTheirChildrensTime) {
    ManualClock clock(0);
    ProfiledLog p;
    p.log.ProfileBegin("outer");
    Section(p.log, clock, "inner", 250, 500);
    clock.Set(1000);
    p.log.ProfileEnd("outer");
    p.log.ProfileShow();
    EXPECT_EQ(p.TakeText(), Table({"   75.0 |  75.0 |  75.0 |   1 | outer\n",
                                   "   25.0 |  25.0 |  25.0 |   1 |    inner\n"}));
}

TEST(Profiler, ChildTimeGoesToTheLatestOpenSectionAndTheLaterSlotOnTies) {
    ManualClock clock(0);
    ProfiledLog p;
    p.log.ProfileBegin("first");
    p.log.ProfileBegin("second");
    p.log.ProfileBegin("leaf");
    clock.Set(100);
    p.log.ProfileEnd("leaf");
    clock.Set(300);
    p.log.ProfileEnd("second");
    clock.Set(400);
    p.log.ProfileEnd("first");
    p.log.ProfileShow();
    EXPECT_EQ(p.TakeText(), Table({"   25.0 |  25.0 |  25.0 |   1 | first\n",
                                   "   50.0 |  50.0 |  50.0 |   1 |    second\n",
                                   "   25.0 |  25.0 |  25.0 |   1 |       leaf\n"}));
}

TEST(Profiler, RepeatedSectionsAccumulateAndCountInstances) {
    ManualClock clock(0);
    ProfiledLog p;
    Section(p.log, clock, "tick", 0, 100);
    Section(p.log, clock, "tick", 200, 300);
    Section(p.log, clock, "tick", 400, 600);
    clock.Set(1000);
    p.log.ProfileShow();
    EXPECT_EQ(p.TakeText(), Table({"   40.0 |  40.0 |  40.0 |   3 | tick\n"}));

    // The next period starts empty, from the moment of the show.
    Section(p.log, clock, "other", 1500, 1750);
    clock.Set(2000);
    p.log.ProfileShow();
    EXPECT_EQ(p.TakeText(), Table({"   25.0 |  25.0 |  25.0 |   1 | other\n"}));
}

TEST(Profiler, HistorySmoothsWithAWeightGrowingWithRunTime) {
    ManualClock clock(0);
    ProfiledLog p;
    Section(p.log, clock, "A", 0, 100);
    clock.Set(200);
    p.log.ProfileShow();  // 50%, first value
    EXPECT_EQ(p.TakeText(), Table({"   50.0 |  50.0 |  50.0 |   1 | A\n"}));

    Section(p.log, clock, "A", 200, 250);
    clock.Set(400);
    p.log.ProfileShow();  // 25% at weight 0.32
    EXPECT_EQ(p.TakeText(), Table({"   42.0 |  25.0 |  42.0 |   1 | A\n"}));

    Section(p.log, clock, "A", 400, 500);
    clock.Set(600);
    p.log.ProfileShow();  // 50% at weight 0.48
    EXPECT_EQ(p.TakeText(), Table({"   45.8 |  37.0 |  50.0 |   1 | A\n"}));

    Section(p.log, clock, "A", 2000, 2500);
    clock.Set(2600);
    p.log.ProfileShow();  // 25% at full weight: the latest value alone
    EXPECT_EQ(p.TakeText(), Table({"   25.0 |  25.0 |  25.0 |   1 | A\n"}));
}

TEST(Profiler, UnbalancedSectionsAreReportedBeforeTheirRow) {
    ManualClock clock(0);
    ProfiledLog p;
    p.log.ProfileBegin("left open");
    p.log.ProfileBegin("left open");
    p.log.ProfileEnd("left open");
    Section(p.log, clock, "closed twice", 0, 0);
    p.log.ProfileEnd("closed twice");
    p.log.ProfileEnd("never begun");
    clock.Set(100);
    p.log.ProfileShow();

    const std::string text = p.TakeText();
    const std::string tooFewEnds =
        " . [ILogSystem::ProfileBegin] Warning: ProfileBegin called without a ProfileEnd.\n";
    const std::string tooManyEnds =
        " . [ILogSystem::ProfileBegin] Warning: ProfileEnd called without a ProfileBegin.\n";
    ASSERT_EQ(Occurrences(text, tooFewEnds), 1u) << text;
    ASSERT_EQ(Occurrences(text, tooManyEnds), 1u) << text;
    EXPECT_LT(text.find(tooFewEnds), text.find("left open\n"));
    EXPECT_LT(text.find("left open\n"), text.find(tooManyEnds));
    EXPECT_LT(text.find(tooManyEnds), text.find("closed twice\n"));
    EXPECT_EQ(text.find("never begun"), std::string::npos);

    // The next period starts balanced.
    Section(p.log, clock, "left open", 100, 150);
    clock.Set(200);
    p.log.ProfileShow();
    EXPECT_EQ(p.TakeText().find("Warning"), std::string::npos);
}

// The table is written at level 0, its warnings at level 2.
TEST(Profiler, AQuietLogKeepsTheTableAndDropsTheWarnings) {
    ManualClock clock(0);
    ProfiledLog p;
    p.log.Init(p.path().c_str(), 2, 0, "quiet", nullptr, nullptr, nullptr);
    p.TakeText();
    p.log.ProfileBegin("open");
    clock.Set(100);
    p.log.ProfileShow();
    EXPECT_EQ(p.TakeText(), Table({"    0.0 |   0.0 |   0.0 |   1 | open\n"}));
}

TEST(Profiler, TheFiftyFirstNameIsWarnedOnceAndNotMeasured) {
    ManualClock clock(0);
    ProfiledLog p;
    const std::string warning = " . [ILogSystem::ProfileBegin] Warning: maximum samples(50) reached. \n";
    for (int i = 0; i < 50; ++i) p.log.ProfileBegin(("s" + std::to_string(i)).c_str());
    EXPECT_EQ(p.TakeText(), "");
    p.log.ProfileBegin("s50");
    p.log.ProfileBegin("s51");
    p.log.ProfileEnd("s50");
    EXPECT_EQ(p.TakeText(), warning);

    for (int i = 0; i < 50; ++i) p.log.ProfileEnd(("s" + std::to_string(i)).c_str());
    clock.Set(100);
    p.log.ProfileShow();
    const std::string text = p.TakeText();
    EXPECT_NE(text.find("| s49\n"), std::string::npos);
    EXPECT_EQ(text.find("s50"), std::string::npos);
    EXPECT_EQ(text.find("Warning"), std::string::npos);
}

TEST(Profiler, FullHistoryWarnsEveryTimeAndShowsZeros) {
    ManualClock clock(0);
    ProfiledLog p;
    for (int i = 0; i < 50; ++i) Section(p.log, clock, ("h" + std::to_string(i)).c_str(), 0, 10);
    clock.Set(100);
    p.log.ProfileShow();
    p.TakeText();

    const std::string warning = " . [ILogSystem::Profile] Warning: maximum samples(50) reached. \n";
    for (uint32_t period = 1; period <= 2; ++period) {
        Section(p.log, clock, "extra", period * 100, period * 100 + 50);
        clock.Set(period * 100 + 100);
        p.log.ProfileShow();
        EXPECT_EQ(p.TakeText(), Table({warning, "    0.0 |   0.0 |   0.0 |   1 | extra\n"}));
    }
}

TEST(Profiler, EmptyPeriodShowsZeroNotGarbage) {
    ManualClock clock(1000);
    ProfiledLog p;
    Section(p.log, clock, "instant", 1000, 1000);
    p.log.ProfileShow();
    EXPECT_EQ(p.TakeText(), Table({"    0.0 |   0.0 |   0.0 |   1 | instant\n"}));
}

TEST(Profiler, NullOverlongAndEarlyCallsAreHarmless) {
    ManualClock clock(0);
    ProfiledLog p;
    p.log.ProfileShow();
    p.log.ProfileEnd("not ready");
    p.log.ProfileBegin(nullptr);
    p.log.ProfileEnd(nullptr);
    p.log.ProfileShow();
    EXPECT_EQ(p.TakeText(), "");

    // A name longer than the field is measured under its first 255 characters.
    const std::string overlong(300, 'x');
    Section(p.log, clock, overlong.c_str(), 0, 100);
    Section(p.log, clock, overlong.c_str(), 100, 200);
    p.log.ProfileEnd(nullptr);
    clock.Set(400);
    p.log.ProfileShow();
    EXPECT_EQ(p.TakeText(), Table({"   50.0 |  50.0 |  50.0 |   2 | " + overlong.substr(0, 255) + "\n"}));
}
