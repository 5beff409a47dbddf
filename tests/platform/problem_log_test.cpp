// The problem log: one line per problem on the error stream, the latest few
// kilobytes in Data/trigonix.log, begun afresh by the run's first problem.
#include "platform/problem_log.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

class ProblemLog : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(enterTempGameFolder(false).empty()); }
    void TearDown() override { leaveTempGameFolder(); }
};

TEST_F(ProblemLog, EachProblemIsOneLineOnceOnStderrAndInTheFile)
{
    // What an earlier run left is not this run's.
    writeFile("Data/trigonix.log", "trigonix: Data/old.bmp: from the last run\n");
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
        reportProblem(("Data/file" + std::to_string(i) + ".wav").c_str(), "No such file or directory");
    ::testing::internal::GetCapturedStderr();
    const std::string kept = readFile("Data/trigonix.log");
    EXPECT_LE(kept.size(), 4096u);
    EXPECT_GT(kept.size(), 3000u);
    EXPECT_EQ(kept.rfind("trigonix: Data/file", 0), 0u) << "starts with a whole line";
    const std::string last = "trigonix: Data/file499.wav: No such file or directory\n";
    EXPECT_EQ(kept.substr(kept.size() - last.size()), last);
}

TEST_F(ProblemLog, WithoutADataFolderOnlyTheErrorStreamHasIt)
{
    ASSERT_EQ(std::remove("Data"), 0);
    ::testing::internal::CaptureStderr();
    reportProblem("audio output", "no device");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "trigonix: audio output: no device\n");
    EXPECT_FALSE(fileExists("Data/trigonix.log"));
}

}  // namespace
