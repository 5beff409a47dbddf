// Replacing a data file: the new bytes exactly, or on any failure the old
// file exactly and no temporary file left behind.
#include "persist/atomic_file.h"

#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

class ReplaceFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(enterTempGameFolder(false).empty()); }

    void TearDown() override { leaveTempGameFolder(); }
};

TEST_F(ReplaceFile, writes_exactly_the_bytes_given_even_zero_and_ff)
{
    const std::string bytes("ab\0\xff\n\r z", 8);
    EXPECT_TRUE(replaceFile("Data/new .tgx", bytes.data(), bytes.size()));
    EXPECT_EQ(readFile("Data/new .tgx"), bytes);
    EXPECT_FALSE(fs::exists("Data/new .tgx.tmp"));
}

TEST_F(ReplaceFile, replaces_a_longer_file_completely)
{
    writeFile("Data/old .tgx", std::string(100, 'x'));
    EXPECT_TRUE(replaceFile("Data/old .tgx", "12345", 5));
    EXPECT_EQ(readFile("Data/old .tgx"), "12345");
    EXPECT_EQ(fs::directory_iterator("Data")->path().filename(), "old .tgx");
}

TEST_F(ReplaceFile, works_for_a_file_in_the_working_folder)
{
    EXPECT_TRUE(replaceFile("plain", "1", 1));
    EXPECT_EQ(readFile("plain"), "1");
}

TEST_F(ReplaceFile, overwrites_a_temporary_file_left_by_an_earlier_crash)
{
    writeFile("Data/old .tgx", "old");
    writeFile("Data/old .tgx.tmp", "half-written and longer");
    EXPECT_TRUE(replaceFile("Data/old .tgx", "new", 3));
    EXPECT_EQ(readFile("Data/old .tgx"), "new");
    EXPECT_FALSE(fs::exists("Data/old .tgx.tmp"));
}

TEST_F(ReplaceFile, a_missing_folder_is_reported_and_nothing_is_made)
{
    testing::internal::CaptureStderr();
    EXPECT_FALSE(replaceFile("Missing/file .tgx", "1", 1));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error opening file: No such file or directory\n");
    EXPECT_FALSE(fs::exists("Missing"));
}

TEST_F(ReplaceFile, a_folder_in_the_temporary_files_place_keeps_the_old_file)
{
    writeFile("Data/old .tgx", "old contents\n");
    fs::create_directory("Data/old .tgx.tmp");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(replaceFile("Data/old .tgx", "new", 3));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error opening file: Is a directory\n");
    EXPECT_EQ(readFile("Data/old .tgx"), "old contents\n");
    // Only what the save made itself is removed.
    EXPECT_TRUE(fs::is_directory("Data/old .tgx.tmp"));
}

TEST_F(ReplaceFile, a_rename_that_fails_removes_the_temporary_file_and_keeps_the_old)
{
    // A non-empty folder standing where the file goes cannot be renamed over.
    fs::create_directories("Data/old .tgx/inside");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(replaceFile("Data/old .tgx", "new", 3));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error opening file: Is a directory\n");
    EXPECT_TRUE(fs::is_directory("Data/old .tgx/inside"));
    EXPECT_FALSE(fs::exists("Data/old .tgx.tmp"));
}

TEST_F(ReplaceFile, a_full_disk_keeps_the_old_file_and_leaves_no_temporary_file)
{
    // /dev/full accepts the open and refuses every write with "No space".
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    writeFile("Data/old .tgx", "old");
    fs::create_symlink("/dev/full", "Data/old .tgx.tmp");
    const std::string big(1 << 16, '7');
    testing::internal::CaptureStderr();
    EXPECT_FALSE(replaceFile("Data/old .tgx", big.data(), big.size()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error opening file: No space left on device\n");
    EXPECT_EQ(readFile("Data/old .tgx"), "old");
    EXPECT_FALSE(fs::exists(fs::symlink_status("Data/old .tgx.tmp")));
}

}  // namespace
