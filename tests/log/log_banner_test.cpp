// The start banner written at the top of every log file.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "Veltrano_ILogSystem.h"
#include "log_test_util.h"
#include "support/test_support.h"

using testing_support::ReadFile;
using testing_support::TempDir;

namespace {

const std::string kBar = "\xA6";
const std::string kRule = "+" + std::string(58, '-') + "+\n";
const std::string kBox = kRule +
                         kBar + "         Veltrano SDK Win32 v5.22 (build 3336)            " + kBar + "\n" +
                         kBar + "               (C) 2026 Veltrano SDK team                 " + kBar + "\n" +
                         kBar + "               http://www.veltrano-sdk.org                " + kBar + "\n" +
                         kRule;

std::string BannerOf(const char* title, const char* line1, const char* line1b, const char* line2) {
    TempDir dir;
    const std::string path = dir.file("banner.log");
    {
        Veltrano_ILogSystem log;
        // Level 0, the quietest: the banner must still be written.
        log.Init(path.c_str(), 2, 0, title, line1, line1b, line2);
    }
    return ReadFile(path);
}

// The text after "Executing at " must be the classic 24-character local
// time followed by its newline, and nothing else.
bool EndsWithExecutionTime(const std::string& text) {
    const std::string marker = "\n . Executing at ";
    const size_t at = text.rfind(marker);
    if (at == std::string::npos) return false;
    const std::string when = text.substr(at + marker.size());
    return when.size() == 25 && when.back() == '\n' && std::isupper(static_cast<unsigned char>(when[0])) &&
           when[3] == ' ' && when[13] == ':' && when[16] == ':';
}

std::string BeforeExecutionTime(const std::string& text) {
    return text.substr(0, text.rfind("\n . Executing at "));
}

}  // namespace

TEST(LogBanner, BoxLinesAreExactBytesSixtyWide) {
    const std::string text = BannerOf("My Game", "line one", "its tail", "line two");
    ASSERT_EQ(text.compare(0, kBox.size(), kBox), 0) << text;
    size_t start = 0;
    for (int line = 0; line < 5; ++line) {
        const size_t end = text.find('\n', start);
        EXPECT_EQ(end - start, 60u) << "box line " << line;
        start = end + 1;
    }
    EXPECT_EQ(BeforeExecutionTime(text), kBox + "\n . My Game\n . line one - its tail\n . line two\n");
    EXPECT_TRUE(EndsWithExecutionTime(text)) << text;
}

TEST(LogBanner, MissingLinesAreLeftOut) {
    std::string text = BannerOf("Title", nullptr, "ignored without line one", nullptr);
    EXPECT_EQ(BeforeExecutionTime(text), kBox + "\n . Title\n");
    EXPECT_TRUE(EndsWithExecutionTime(text));

    text = BannerOf("Title", "only line one", nullptr, "and two");
    EXPECT_EQ(BeforeExecutionTime(text), kBox + "\n . Title\n . only line one\n . and two\n");

    // A missing title does not crash the banner.
    text = BannerOf(nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(BeforeExecutionTime(text), kBox + "\n . \n");
}
