#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"
#include "veltrano.h"

using testing_support::TempDir;
using testing_support::WriteFile;
namespace fs = std::filesystem;

TEST(MakeDirectory, CreatesEveryFolderLeadingToTheFileButNotTheFile) {
    TempDir dir(true);
    EXPECT_EQ(Veltrano.MakeDirectory("save/slot1/game.dat"), 1);
    EXPECT_TRUE(fs::is_directory("save"));
    EXPECT_TRUE(fs::is_directory("save/slot1"));
    EXPECT_FALSE(fs::exists("save/slot1/game.dat"));
    EXPECT_EQ(Veltrano.MakeDirectory("save/slot1/game.dat"), 1);
    EXPECT_EQ(Veltrano.MakeDirectory("save/slot2/"), 1);
    EXPECT_TRUE(fs::is_directory("save/slot2"));
}

TEST(MakeDirectory, BackslashesSeparateFoldersToo) {
    TempDir dir(true);
    EXPECT_EQ(Veltrano.MakeDirectory("data\\maps\\level.map"), 1);
    EXPECT_TRUE(fs::is_directory("data/maps"));
    EXPECT_EQ(Veltrano.MakeDirectory("mixed/a\\b/c.txt"), 1);
    EXPECT_TRUE(fs::is_directory("mixed/a/b"));
}

TEST(MakeDirectory, AbsolutePathsStartAtTheRoot) {
    TempDir dir;
    const std::string path = dir.file("one/two/file.txt");
    EXPECT_EQ(Veltrano.MakeDirectory(path.c_str()), 1);
    EXPECT_TRUE(fs::is_directory(dir.file("one/two")));
}

TEST(MakeDirectory, RefusesPathsWithoutFoldersAndBlockedComponents) {
    TempDir dir(true);
    EXPECT_EQ(Veltrano.MakeDirectory("game.dat"), 0);
    EXPECT_EQ(Veltrano.MakeDirectory(""), 0);
    EXPECT_EQ(Veltrano.MakeDirectory(nullptr), 0);
    WriteFile("blocker", "a file where a folder should be");
    EXPECT_EQ(Veltrano.MakeDirectory("blocker/inner/file.txt"), 0);
    EXPECT_FALSE(fs::exists("blocker/inner"));
}
