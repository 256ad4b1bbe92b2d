#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "platform/platform.h"
#include "support/test_support.h"

using testing_support::TempDir;

TEST(PlatformPaths, SplitPathSeparatesFolderAndFileName) {
    char directory[64];
    char name[64];
    platform::SplitPath("data/maps/level.map", directory, name);
    EXPECT_STREQ(directory, "data/maps/");
    EXPECT_STREQ(name, "level.map");
    platform::SplitPath("a\\b\\c.txt", directory, name);
    EXPECT_STREQ(directory, "a\\b\\");
    EXPECT_STREQ(name, "c.txt");
    platform::SplitPath("plain.txt", directory, name);
    EXPECT_STREQ(directory, "");
    EXPECT_STREQ(name, "plain.txt");
    platform::SplitPath("/root.txt", directory, nullptr);
    EXPECT_STREQ(directory, "/");
    platform::SplitPath(nullptr, directory, name);
    EXPECT_STREQ(directory, "");
    EXPECT_STREQ(name, "");
}

// "Www Mmm dd hh:mm:ss yyyy": letters, digits and separators in place.
bool HasClassicTimeForm(const std::string& text) {
    const std::string shape = "Aaa Aaa _9 99:99:99 9999";
    if (text.size() != shape.size()) return false;
    for (size_t i = 0; i < shape.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (shape[i]) {
            case 'A': if (!std::isupper(c)) return false; break;
            case 'a': if (!std::islower(c)) return false; break;
            case '9': if (!std::isdigit(c)) return false; break;
            case '_': if (c != ' ' && !std::isdigit(c)) return false; break;
            default: if (c != static_cast<unsigned char>(shape[i])) return false;
        }
    }
    return true;
}

TEST(PlatformTime, LocalTimeTextHasTheClassicForm) {
    char text[26];
    platform::LocalTimeText(text, false);
    EXPECT_TRUE(HasClassicTimeForm(text)) << text;
    platform::LocalTimeText(text, true);
    EXPECT_EQ(std::string(text).size(), 25u);
    EXPECT_EQ(text[24], '\n');
}

TEST(PlatformFiles, DescriptorsAreNeverZeroAndShortReadsReportTheirCount) {
    TempDir dir;
    const std::string path = dir.file("f.bin");
    int fd = platform::Open(path.c_str(), platform::OpenMode::CreateReadWrite);
    ASSERT_GT(fd, 0);
    EXPECT_EQ(platform::Write(fd, "hello", 5), 5);
    EXPECT_EQ(platform::Length(fd), 5);
    EXPECT_EQ(platform::Tell(fd), 5);
    EXPECT_EQ(platform::Seek(fd, 1, platform::Whence::Begin), 1);
    char buffer[16] = {};
    EXPECT_EQ(platform::Read(fd, buffer, sizeof buffer), 4);
    EXPECT_STREQ(buffer, "ello");
    EXPECT_EQ(platform::Read(fd, buffer, sizeof buffer), 0);
    EXPECT_EQ(platform::Close(fd), 0);
    EXPECT_EQ(platform::Open(dir.file("missing").c_str(), platform::OpenMode::ReadOnly), -1);
    EXPECT_EQ(platform::Open(nullptr, platform::OpenMode::ReadOnly), -1);
    EXPECT_EQ(platform::Open("", platform::OpenMode::ReadOnly), -1);
}
