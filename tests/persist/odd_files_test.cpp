// Whatever stands where a data file should be, a folder, a pipe, a device
// or a file far too long, the game's load and save neither wait on it nor
// write over it: each is refused with the reason, or read no further than
// the file's layout.
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "tests/support/child_process.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class OddDataFile : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_FALSE(enterTempGameFolder(false).empty()); }

    void TearDown() override { leaveTempGameFolder(); }
};

struct DataFile {
    const char* path;
    void (*load)();
    void (*save)();
    std::size_t length;
};

struct InItsPlace {
    const char* name;
    std::function<bool(const std::string&)> make;  // false: not possible here
    const char* reason;                            // "" when it is read as a file
    std::function<bool(const std::string&)> stillThere;
};

TEST_F(OddDataFile, IsRefusedOnLoadAndSaveWithoutWaitingAndKept)
{
    const DataFile files[] = {
        {settingsFileName, loadSettings, saveSettings, 22},
        {highScoreFileName, loadHighScores, saveHighScores, 26},
    };
    const std::vector<InItsPlace> things = {
        {"a folder",
         [](const std::string& path) { return fs::create_directories(path + "/inside"); },
         "Is a directory",
         [](const std::string& path) { return fs::is_directory(path + "/inside"); }},
        {"a pipe", [](const std::string& path) { return mkfifo(path.c_str(), 0666) == 0; },
         "Invalid argument", [](const std::string& path) { return fs::is_fifo(path); }},
        {"a link to /dev/zero",
         [](const std::string& path) {
             fs::create_symlink("/dev/zero", path);
             return true;
         },
         "Invalid argument",
         [](const std::string& path) { return fs::read_symlink(path) == "/dev/zero"; }},
        {"a link to /dev/null",
         [](const std::string& path) {
             fs::create_symlink("/dev/null", path);
             return true;
         },
         "Invalid argument",
         [](const std::string& path) { return fs::read_symlink(path) == "/dev/null"; }},
        // Reading a terabyte of holes to its end would outlast the limit.
        {"a plain file of a terabyte",
         [](const std::string& path) {
             writeFile(path, "");
             return truncate(path.c_str(), off_t{1} << 40) == 0;
         },
         "", [](const std::string&) { return true; }},
    };
    for (const DataFile& file : files) {
        for (const InItsPlace& thing : things) {
            SCOPED_TRACE(std::string(file.path) + ": " + thing.name);
            fs::remove_all("Data");
            fs::create_directory("Data");
            if (!thing.make(file.path)) {
                ADD_FAILURE() << "cannot make it here";
                continue;
            }
            const ChildResult result = runInChild(
                0,
                [&] {
                    file.load();
                    file.save();
                    return true;
                },
                20);
            EXPECT_EQ(result.status, 0) << "the load or save did not end";
            if (*thing.reason != '\0') {
                const std::string line = std::string("Error opening file: ") + thing.reason + "\n";
                EXPECT_EQ(result.errors, line + line);
                EXPECT_TRUE(thing.stillThere(file.path));
            } else {
                EXPECT_EQ(result.errors, "");
                EXPECT_EQ(fs::file_size(file.path), file.length);
            }
            EXPECT_EQ(namesBesidesLog("Data").size(), 1u);
        }
    }
}

}  // namespace
