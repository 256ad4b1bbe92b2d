// The memory of block scans is used only while it still describes the file.
#include <fcntl.h>

#include <algorithm>
#include <sys/time.h>
#include <unistd.h>

#include "archive/block_index.h"
#include "archive_test_helpers.h"

using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

class BlockIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(path_, std::string(2000, 'x'));
        Age();
        fd_ = open(path_.c_str(), O_RDWR);
        ASSERT_GT(fd_, 0);
    }
    void TearDown() override { close(fd_); }
    void Age() {
        struct timeval old[2] = {{1000000000, 0}, {1000000000, 0}};
        ASSERT_EQ(utimes(path_.c_str(), old), 0);
    }
    // Validates, remembers one scan, and validates again.
    void RememberOneScan(uint32_t generation = 1) {
        index_.Validate(fd_, generation);
        index_.Record(520, 530, header_);
        index_.Validate(fd_, generation);
    }

    TempDir dir_;
    std::string path_ = dir_.file("a.dpf");
    int fd_ = -1;
    BlockIndex index_;
    uint8_t header_[64] = {'n', 'a', 'm', 'e'};
};

}  // namespace

TEST_F(BlockIndexTest, UnchangedOldFileKeepsWhatWasSeen) {
    RememberOneScan();
    const BlockIndex::Entry* entry = index_.Lookup(520);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->idOffset, 530);
    EXPECT_EQ(entry->header[0], 'n');
    EXPECT_EQ(index_.Lookup(521), nullptr);
}

TEST_F(BlockIndexTest, FileChangedWithinTheLastMomentIsNotTrusted) {
    ASSERT_EQ(pwrite(fd_, "y", 1, 600), 1);
    // Judge the stamps at the very moment of the write, however long the
    // test took to get here.
    platform::FileStamp stamp;
    ASSERT_EQ(platform::GetFileStamp(fd_, &stamp), 0);
    const int64_t writeTime = std::max(stamp.modifiedNs, stamp.changedNs);
    index_.Validate(fd_, 1, writeTime);
    index_.Record(520, 530, header_);
    index_.Validate(fd_, 1, writeTime);
    EXPECT_EQ(index_.Lookup(520), nullptr);
}

TEST_F(BlockIndexTest, AnyChangeOfTheFileOrTheCipherDropsTheEntries) {
    RememberOneScan();
    ASSERT_EQ(pwrite(fd_, "y", 1, 2000), 1);  // grows by one byte
    index_.Validate(fd_, 1);
    EXPECT_EQ(index_.Lookup(520), nullptr);

    Age();
    RememberOneScan();
    ASSERT_EQ(pwrite(fd_, "y", 1, 600), 1);  // same length
    Age();                                   // and the old time stamp again
    index_.Validate(fd_, 1);
    EXPECT_EQ(index_.Lookup(520), nullptr);

    Age();
    RememberOneScan();
    index_.Validate(fd_, 2);
    EXPECT_EQ(index_.Lookup(520), nullptr);

    RememberOneScan(2);
    index_.Clear();
    EXPECT_EQ(index_.Lookup(520), nullptr);
}
