// Replacing a data file: the new bytes exactly, or on any failure the old
// file exactly and no temporary file left behind; a save goes where a
// write of the file itself would go and is refused where that write would
// be; two copies saving at once and a kill at any moment lose nothing.
#include "persist/atomic_file.h"

#include "persist/high_scores.h"
#include "persist/settings.h"
#include "tests/support/child_process.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class ReplaceFile : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_FALSE(enterTempGameFolder(false).empty());
        // Children running as an ordinary user must reach the Data folder.
        chmod(".", 0755);
    }

    void TearDown() override { leaveTempGameFolder(); }
};

unsigned modeOf(const std::string& path)
{
    struct stat status {};
    EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

TEST_F(ReplaceFile, WritesExactlyTheBytesGivenEvenZeroAndFf)
{
    const std::string bytes("ab\0\xff\n\r z", 8);
    EXPECT_TRUE(replaceFile("Data/new .tgx", bytes.data(), bytes.size()));
    EXPECT_EQ(readFile("Data/new .tgx"), bytes);
    EXPECT_EQ(namesBesidesLog("Data"), std::set<std::string>{"new .tgx"});
}

TEST_F(ReplaceFile, ReplacesALongerFileCompletely)
{
    writeFile("Data/old .tgx", std::string(100, 'x'));
    EXPECT_TRUE(replaceFile("Data/old .tgx", "12345", 5));
    EXPECT_EQ(readFile("Data/old .tgx"), "12345");
    EXPECT_EQ(namesBesidesLog("Data"), std::set<std::string>{"old .tgx"});
}

TEST_F(ReplaceFile, WorksForAFileInTheWorkingFolder)
{
    EXPECT_TRUE(replaceFile("plain", "1", 1));
    EXPECT_EQ(readFile("plain"), "1");
}

TEST_F(ReplaceFile, TemporaryFilesLeftByAnEarlierCrashAreNotInTheWay)
{
    // The names an earlier game, or this very process, may have left.
    writeFile("Data/old .tgx", "old");
    std::set<std::string> leftovers = {"old .tgx.tmp"};
    for (int serial = 1; serial <= 20; ++serial)
        leftovers.insert("old .tgx." + std::to_string(getpid()) + "-" + std::to_string(serial) +
                         ".tmp");
    for (const std::string& name : leftovers)
        writeFile("Data/" + name, "half-written and longer");
    EXPECT_TRUE(replaceFile("Data/old .tgx", "new", 3));
    EXPECT_EQ(readFile("Data/old .tgx"), "new");
    leftovers.insert("old .tgx");
    EXPECT_EQ(namesBesidesLog("Data"), leftovers);
    EXPECT_EQ(readFile("Data/old .tgx.tmp"), "half-written and longer");
}

TEST_F(ReplaceFile, AMissingFolderIsReportedAndNothingIsMade)
{
    testing::internal::CaptureStderr();
    EXPECT_FALSE(replaceFile("Missing/file .tgx", "1", 1));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error opening file: No such file or directory\n");
    EXPECT_FALSE(fs::exists("Missing"));
}

// What a player or an administrator may have set up where the file goes,
// and what a write of the file itself would do there.
struct PlayersSetUp {
    const char* name;
    uid_t user;  // who runs the save
    std::function<void()> prepare;
    bool saved;
    const char* message;          // on stderr, "" for none
    std::function<void()> check;  // the file, the link, the folder after it
};

TEST_F(ReplaceFile, GoesWhereAWriteOfTheFileGoesAndIsRefusedWhereItIs)
{
    const char* file = "Data/file .tgx";
    const std::string old = "old contents, longer than new";
    const std::set<std::string> justTheFile = {"file .tgx"};
    const std::vector<PlayersSetUp> setUps = {
        {"a read-only file in a writable folder", ordinaryUser,
         [&] {
             giveTo("Data", ordinaryUser, 0755);
             writeFile(file, old);
             giveTo(file, ordinaryUser, 0444);
         },
         false, "Error opening file: Permission denied\n",
         [&] {
             EXPECT_EQ(readFile(file), old);
             EXPECT_EQ(modeOf(file), 0444u);
             EXPECT_EQ(namesBesidesLog("Data"), justTheFile);
         }},
        {"a read-only file, saved by root", 0,
         [&] {
             writeFile(file, old);
             chmod(file, 0444);
         },
         false, "Error opening file: Permission denied\n",
         [&] {
             EXPECT_EQ(readFile(file), old);
             EXPECT_EQ(namesBesidesLog("Data"), justTheFile);
         }},
        {"a link to a file elsewhere", ordinaryUser,
         [&] {
             giveTo("Data", ordinaryUser, 0755);
             fs::create_directory("Elsewhere");
             giveTo("Elsewhere", ordinaryUser, 0755);
             writeFile("Elsewhere/scores", old);
             giveTo("Elsewhere/scores", ordinaryUser, 0640);
             fs::create_symlink("../Elsewhere/scores", file);
         },
         true, "",
         [&] {
             EXPECT_TRUE(fs::is_symlink(file));
             EXPECT_EQ(fs::read_symlink(file), "../Elsewhere/scores");
             EXPECT_EQ(readFile("Elsewhere/scores"), "new");
             EXPECT_EQ(modeOf("Elsewhere/scores"), 0640u);
             EXPECT_EQ(namesBesidesLog("Data"), justTheFile);
             EXPECT_EQ(namesBesidesLog("Elsewhere"), std::set<std::string>{"scores"});
         }},
        {"a link to a link to a file not made yet", 0,
         [&] {
             fs::create_directory("Elsewhere");
             fs::create_symlink("second", "Elsewhere/first");
             fs::create_symlink(fs::absolute("Elsewhere/first"), file);
         },
         true, "",
         [&] {
             EXPECT_TRUE(fs::is_symlink(file));
             EXPECT_TRUE(fs::is_symlink("Elsewhere/first"));
             EXPECT_EQ(readFile("Elsewhere/second"), "new");
             EXPECT_EQ(namesBesidesLog("Elsewhere"), (std::set<std::string>{"first", "second"}));
         }},
        {"a link that loops", 0, [&] { fs::create_symlink("file .tgx", file); }, false,
         "Error opening file: Too many levels of symbolic links\n",
         [&] {
             EXPECT_TRUE(fs::is_symlink(file));
             EXPECT_EQ(namesBesidesLog("Data"), justTheFile);
         }},
        {"a writable file in a folder that is not", ordinaryUser,
         [&] {
             giveTo("Data", 0, 0755);
             writeFile(file, old);
             giveTo(file, ordinaryUser, 0600);
         },
         true, "",
         [&] {
             EXPECT_EQ(readFile(file), "new");
             EXPECT_EQ(modeOf(file), 0600u);
             EXPECT_EQ(namesBesidesLog("Data"), justTheFile);
         }},
        {"no file in a folder that is not writable", ordinaryUser, [&] { giveTo("Data", 0, 0755); },
         false, "Error opening file: Permission denied\n",
         [&] { EXPECT_TRUE(namesBesidesLog("Data").empty()); }},
        {"a folder in the file's place", ordinaryUser,
         [&] {
             giveTo("Data", ordinaryUser, 0755);
             fs::create_directories("Data/file .tgx/inside");
         },
         false, "Error opening file: Is a directory\n",
         [&] {
             EXPECT_TRUE(fs::is_directory("Data/file .tgx/inside"));
             EXPECT_EQ(namesBesidesLog("Data"), justTheFile);
         }},
        {"a pipe in the file's place", 0, [&] { mkfifo(file, 0666); }, false,
         "Error opening file: Invalid argument\n",
         [&] {
             EXPECT_TRUE(fs::is_fifo(file));
             EXPECT_EQ(namesBesidesLog("Data"), justTheFile);
         }},
        {"a link to /dev/zero", 0, [&] { fs::create_symlink("/dev/zero", file); }, false,
         "Error opening file: Invalid argument\n",
         [&] {
             EXPECT_EQ(fs::read_symlink(file), "/dev/zero");
             EXPECT_TRUE(fs::is_character_file("/dev/zero"));
             EXPECT_EQ(namesBesidesLog("Data"), justTheFile);
         }},
    };
    for (const PlayersSetUp& setUp : setUps) {
        SCOPED_TRACE(setUp.name);
        fs::remove_all("Data");
        fs::remove_all("Elsewhere");
        fs::create_directory("Data");
        setUp.prepare();
        const ChildResult result =
            runInChild(setUp.user, [&] { return replaceFile(file, "new", 3); });
        EXPECT_EQ(result.status, setUp.saved ? 0 : 1);
        EXPECT_EQ(result.errors, setUp.message);
        setUp.check();
    }
}

TEST_F(ReplaceFile, AWriteThatFailsKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    writeFile("Data/old .tgx", "old");
    const std::string big(1 << 16, '7');
    // A file-size limit makes the disk refuse the write part way, as a
    // full disk would.
    const ChildResult result = runInChild(0, [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        setrlimit(RLIMIT_FSIZE, &limit);
        return replaceFile("Data/old .tgx", big.data(), big.size());
    });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errors, "Error opening file: File too large\n");
    EXPECT_EQ(readFile("Data/old .tgx"), "old");
    EXPECT_EQ(namesBesidesLog("Data"), std::set<std::string>{"old .tgx"});
}

TEST_F(ReplaceFile, ARenameThatFailsRemovesTheTemporaryFileAndKeepsTheOld)
{
    // In a shared folder with the sticky bit, a file that belongs to
    // someone else cannot be renamed over, even when anyone may write it.
    giveTo("Data", 0, 01777);
    writeFile("Data/old .tgx", "old");
    giveTo("Data/old .tgx", otherUser, 0666);
    const ChildResult result =
        runInChild(ordinaryUser, [] { return replaceFile("Data/old .tgx", "new", 3); });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.errors, "Error opening file: Operation not permitted\n");
    EXPECT_EQ(readFile("Data/old .tgx"), "old");
    EXPECT_EQ(namesBesidesLog("Data"), std::set<std::string>{"old .tgx"});
}

TEST_F(ReplaceFile, TwoCopiesSavingAtOnceBothSucceedAndTheFileIsWhole)
{
    const std::string first(26, 'a');
    const std::string second(26, 'b');
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        int start[2];
        ASSERT_EQ(pipe(start), 0);
        // Both wait for the same signal, then save at the same moment.
        auto saveAtTheSignal = [&start](const std::string& bytes) {
            return [&start, bytes] {
                close(start[1]);
                char go;
                return read(start[0], &go, 1) == 0 &&
                       replaceFile("Data/shared .tgx", bytes.data(), bytes.size());
            };
        };
        const Child one = startChild(0, saveAtTheSignal(first));
        const Child other = startChild(0, saveAtTheSignal(second));
        close(start[0]);
        close(start[1]);  // the signal: both reads return at once
        const ChildResult oneResult = waitForChild(one);
        const ChildResult otherResult = waitForChild(other);
        EXPECT_EQ(oneResult.status, 0);
        EXPECT_EQ(oneResult.errors, "");
        EXPECT_EQ(otherResult.status, 0);
        EXPECT_EQ(otherResult.errors, "");
        const std::string saved = readFile("Data/shared .tgx");
        EXPECT_TRUE(saved == first || saved == second) << saved;
        EXPECT_EQ(namesBesidesLog("Data"), std::set<std::string>{"shared .tgx"});
    }
}

std::string settingsText()
{
    char text[22];
    formatSettings(text);
    return std::string(text, sizeof text);
}

std::string highScoreText()
{
    char text[26];
    formatHighScores(text);
    return std::string(text, sizeof text);
}

// The two versions the saver below alternates between.
void setVersion(int version)
{
    settings.soundOn = version == 1;
    highScores.rows[0].best = version == 1 ? 11 : 22;
}

TEST_F(ReplaceFile, AKillAtAnyMomentOfASaveLeavesEachFileWhole)
{
    std::string settingsVersions[2];
    std::string highScoreVersions[2];
    for (int version = 0; version < 2; ++version) {
        setVersion(version);
        settingsVersions[version] = settingsText();
        highScoreVersions[version] = highScoreText();
    }
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);

    // The safe replacement, and the write in place of a folder that takes
    // no new file.
    for (const bool inPlace : {false, true}) {
        SCOPED_TRACE(inPlace ? "in place" : "replaced");
        const uid_t user = inPlace ? ordinaryUser : 0;
        for (int round = 0; round < 25; ++round) {
            SCOPED_TRACE(round);
            fs::remove_all("Data");
            fs::create_directory("Data");
            writeFile(settingsFileName, settingsVersions[0]);
            writeFile(highScoreFileName, highScoreVersions[0]);
            giveTo(settingsFileName, user, 0644);
            giveTo(highScoreFileName, user, 0644);

            int ready[2];
            ASSERT_EQ(pipe(ready), 0);
            const Child saver = startChild(user, [&ready] {
                close(ready[0]);
                for (int save = 1;; ++save) {
                    setVersion(save % 2);
                    saveSettings();
                    saveHighScores();
                    if (save == 1)
                        close(ready[1]);
                }
                return false;
            });
            close(ready[1]);
            char ignored;
            ASSERT_EQ(read(ready[0], &ignored, 1), 0);  // the first saves are done
            close(ready[0]);
            usleep(static_cast<useconds_t>(random() % 20000));
            kill(saver.pid, SIGKILL);
            const ChildResult result = waitForChild(saver);
            EXPECT_EQ(result.status, 128 + SIGKILL);
            EXPECT_EQ(result.errors, "");

            const std::string savedSettings = readFile(settingsFileName);
            const std::string savedScores = readFile(highScoreFileName);
            EXPECT_TRUE(savedSettings == settingsVersions[0] ||
                        savedSettings == settingsVersions[1])
                << "'" << savedSettings << "'";
            EXPECT_TRUE(savedScores == highScoreVersions[0] || savedScores == highScoreVersions[1])
                << "'" << savedScores << "'";
        }
    }
}

}  // namespace
