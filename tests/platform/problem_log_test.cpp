// The problem log: one line per problem on the error stream, the latest few
// kilobytes in Data/trigonix.log, emptied at each start.
#include "platform/problem_log.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <sys/stat.h>

namespace {

class ProblemLog : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(enterTempGameFolder(false).empty()); }
    void TearDown() override { leaveTempGameFolder(); }
};

TEST_F(ProblemLog, EachProblemIsOneLineOnceOnStderrAndInTheFile)
{
    // What an earlier run left is not this run's, even when this run has
    // no problem at all.
    writeFile("Data/trigonix.log", "trigonix: Data/old.bmp: from the last run\n");
    startProblemLog();
    EXPECT_EQ(readFile("Data/trigonix.log"), "");
    ::testing::internal::CaptureStderr();
    reportProblem("Data/moon.bmp", "Unknown DIB file format.");
    reportProblem("Data/Bleep.wav", "No such file or directory");
    reportProblem("Data/moon.bmp", "Unknown DIB file format.");  // every frame: told once
    reportProblem("Data/sky.bmp", "Failed to open DIB file Data/sky.bmp.\n");
    const std::string said = ::testing::internal::GetCapturedStderr();
    const std::string lines = "trigonix: Data/moon.bmp: Unknown DIB file format.\n"
                              "trigonix: Data/Bleep.wav: No such file or directory\n"
                              "trigonix: Data/sky.bmp: Failed to open DIB file Data/sky.bmp.\n";
    EXPECT_EQ(said, lines);
    EXPECT_EQ(readFile("Data/trigonix.log"), lines);
}

TEST_F(ProblemLog, TheFileKeepsOnlyTheLatestFewKilobytesInWholeLines)
{
    ::testing::internal::CaptureStderr();
    for (int i = 0; i < 500; ++i)
        reportProblem(("Data/file" + std::to_string(i) + ".wav").c_str(),
                      "No such file or directory");
    ::testing::internal::GetCapturedStderr();
    const std::string kept = readFile("Data/trigonix.log");
    EXPECT_LE(kept.size(), 4096u);
    EXPECT_GT(kept.size(), 3000u);
    EXPECT_EQ(kept.rfind("trigonix: Data/file", 0), 0u) << "starts with a whole line";
    const std::string last = "trigonix: Data/file499.wav: No such file or directory\n";
    EXPECT_EQ(kept.substr(kept.size() - last.size()), last);
}

// No Data folder, or something other than a plain file in the log's
// place (a pipe nobody reads would hang an ordinary open): the error
// stream has the line and nothing waits.
TEST_F(ProblemLog, WithoutAPlainFileToWriteOnlyTheErrorStreamHasIt)
{
    const struct {
        const char* setUp;
        bool (*make)();
    } cases[] = {
        {"no Data folder", [] { return std::remove("Data") == 0; }},
        {"a pipe", [] { return mkfifo("Data/trigonix.log", 0644) == 0; }},
        {"a folder", [] { return mkdir("Data/trigonix.log", 0755) == 0; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setUp);
        leaveTempGameFolder();
        ASSERT_FALSE(enterTempGameFolder(false).empty());
        ASSERT_TRUE(c.make());
        startProblemLog();
        ::testing::internal::CaptureStderr();
        reportProblem("audio output", c.setUp);  // a line not told before
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  std::string("trigonix: audio output: ") + c.setUp + "\n");
        struct stat info {};
        EXPECT_FALSE(stat("Data/trigonix.log", &info) == 0 && S_ISREG(info.st_mode));
    }
}

}  // namespace
