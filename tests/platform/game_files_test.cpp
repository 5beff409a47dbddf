// Where the game's files are: a copy played from its own folder uses every
// name as it is; an installed game reads the install's pictures and keeps
// the player's files in the XDG folders, moving those the old start-up
// script kept without losing or replacing any.
#include "platform/game_files.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const std::string defaultSettings = "1012103804003703903201";
const std::string defaultScores = "9999999900001is}is}is}is}0";

class GameFiles : public ::testing::Test {
  protected:
    void SetUp() override
    {
        root = enterTempGameFolder(false);
        ASSERT_FALSE(root.empty());
        fs::remove(root + "/Data");
        fs::create_directories(root + "/install/Data");
        fs::create_directories(root + "/install/defaults");
        writeFile(root + "/install/Data/moon.bmp", "BM moon");
        writeFile(root + "/install/defaults/settings .tgx", defaultSettings);
        writeFile(root + "/install/defaults/data .tgx", defaultScores);
    }

    void TearDown() override
    {
        fs::current_path(root);  // a row may have left it elsewhere
        leaveTempGameFolder();
    }

    // Each row starts from nothing but the install.
    void clear()
    {
        for (const char* made : {"Data", "home", "xdg", "elsewhere", "afile"})
            fs::remove_all(root + "/" + made);
        fs::create_directories(root + "/home");
    }

    // A variable: unset (null), or a path under the test's folder when it
    // starts with '/' there, or taken as it is.
    void setVariable(const char* name, const char* value)
    {
        if (value == nullptr)
            unsetenv(name);
        else
            setenv(name, value[0] == '/' ? (root + value).c_str() : value, 1);
    }

    std::string root;
};

}  // namespace

TEST_F(GameFiles, EachNameLeadsToTheWorkingFolderOrTheInstallAndTheXdgFolders)
{
    enum class DataFolder {
        none,
        empty,
        picture,
        linkToPicture,
        anotherPicture,
        brokenLink,
        playerFiles
    };
    struct Row {
        const char* what;
        DataFolder data;
        const char* xdgData;
        const char* xdgConfig;
        // Expected paths, under the test's folder when they start with '/';
        // null: the name as the game gives it.
        const char* settings;
        const char* scores;
    };
    // clang-format off
    const Row rows[] = {
        {"./Data holds the ship", DataFolder::picture, "/xdg/d", "/xdg/c", nullptr, nullptr},
        {"./Data links to the ship", DataFolder::linkToPicture, nullptr, nullptr, nullptr, nullptr},
        {"./Data holds another picture", DataFolder::anotherPicture, nullptr, nullptr, nullptr, nullptr},
        {"no ./Data", DataFolder::none, nullptr, nullptr, "/home/.config/trigonix/settings .tgx",
         "/home/.local/share/trigonix/data .tgx"},
        {"an empty ./Data", DataFolder::empty, "/xdg/d", "/xdg/c", "/xdg/c/trigonix/settings .tgx",
         "/xdg/d/trigonix/data .tgx"},
        {"./Data with a broken link", DataFolder::brokenLink, "", "",
         "/home/.config/trigonix/settings .tgx", "/home/.local/share/trigonix/data .tgx"},
        {"./Data with only the player's files", DataFolder::playerFiles, "relative/d", "/xdg/c",
         "/xdg/c/trigonix/settings .tgx", "/home/.local/share/trigonix/data .tgx"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        clear();
        setVariable("HOME", "/home");
        setVariable("XDG_DATA_HOME", row.xdgData);
        setVariable("XDG_CONFIG_HOME", row.xdgConfig);
        if (row.data != DataFolder::none)
            fs::create_directory(root + "/Data");
        switch (row.data) {
        case DataFolder::picture: writeFile(root + "/Data/3dship4lr.bmp", "BM ship"); break;
        case DataFolder::linkToPicture:
            fs::create_symlink(root + "/install/Data/moon.bmp", root + "/Data/3dship4lr.bmp");
            break;
        case DataFolder::anotherPicture: writeFile(root + "/Data/alienlr.bmp", "BM alien"); break;
        case DataFolder::brokenLink:
            fs::create_symlink(root + "/gone/moon.bmp", root + "/Data/moon.bmp");
            break;
        case DataFolder::playerFiles:
            writeFile(root + "/Data/settings .tgx", defaultSettings);
            writeFile(root + "/Data/data .tgx", defaultScores);
            break;
        default: break;
        }

        chooseGameFolders(root + "/install");
        const bool installed = row.settings != nullptr;
        EXPECT_EQ(gameFolders.installed, installed);
        auto expected = [&](const char* path, const char* name) {
            return path == nullptr ? std::string(name) : root + path;
        };
        EXPECT_EQ(gameFilePath("Data/settings .tgx"), expected(row.settings, "Data/settings .tgx"));
        EXPECT_EQ(gameFilePath("Data/data .tgx"), expected(row.scores, "Data/data .tgx"));
        const fs::path scores = expected(row.scores, "Data/data .tgx");
        const std::string log = scores.parent_path() / "trigonix.log";
        EXPECT_EQ(gameFilePath("Data/trigonix.log"), log);
        EXPECT_EQ(gameFilePath("Data/replays/LONG.tgr"),
                  (scores.parent_path() / "replays/LONG.tgr").string());
        EXPECT_EQ(gameFilePath("Data/moon.bmp"),
                  installed ? root + "/install/Data/moon.bmp" : std::string("Data/moon.bmp"));
        EXPECT_EQ(gameFilePath("/elsewhere/tone.wav"), "/elsewhere/tone.wav");
    }
}

TEST_F(GameFiles, TheReplaysFolderIsMadeBesideTheScoresWhenMissing)
{
    clear();
    setVariable("HOME", "/home");
    setVariable("XDG_DATA_HOME", nullptr);
    setVariable("XDG_CONFIG_HOME", nullptr);
    chooseGameFolders(root + "/install");
    preparePlayerFiles();
    const std::string folder = root + "/home/.local/share/trigonix/replays";
    EXPECT_EQ(makeGameFileFolder("Data/replays/SHORT.tgr"), 0);
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(makeGameFileFolder("Data/replays/MEDIUM.tgr"), 0) << "already there";
    fs::remove(folder);
    writeFile(folder, "a file in its place");
    EXPECT_EQ(makeGameFileFolder("Data/replays/SHORT.tgr"), ENOTDIR);
}

TEST_F(GameFiles, AnInstalledGameMovesTheOldFolderByteForByteAndNeverReplacesAFile)
{
    // The old start-up script's folder, and what it held besides the files.
    const std::string oldInHome = "/home/.local/share/trigonix/Data";
    const std::string oldScores(std::string("0012300000001abc\0is}is}\r\n", 26));
    struct Row {
        const char* what;
        const char* xdgData;
        const char* xdgConfig;
        std::optional<std::string> oldSettings, oldScores;
        bool oldScoresIsALink;
        bool playersOwnFileInOldFolder;
        std::optional<std::string> newSettings, newScores;  // there before the start
        // Expected afterwards: where each file is for this run, what it holds.
        const char* settingsAt;
        std::string settings;
        const char* scoresAt;
        std::string scores;
        std::set<std::string> oldFolderLeft;  // empty: the folder is gone
    };
    const Row rows[] = {
        {"a new player gets the defaults",
         nullptr,
         nullptr,
         {},
         {},
         false,
         false,
         {},
         {},
         "/home/.config/trigonix/settings .tgx",
         defaultSettings,
         "/home/.local/share/trigonix/data .tgx",
         defaultScores,
         {}},
        {"both old files move, byte for byte",
         nullptr,
         nullptr,
         "1012103804003703903200",
         oldScores,
         false,
         false,
         {},
         {},
         "/home/.config/trigonix/settings .tgx",
         "1012103804003703903200",
         "/home/.local/share/trigonix/data .tgx",
         oldScores,
         {}},
        {"a file already in the new place stays, and so does the old one",
         nullptr,
         nullptr,
         "1012103804003703903200",
         oldScores,
         false,
         false,
         "2012103804003703903201",
         {},
         "/home/.config/trigonix/settings .tgx",
         "2012103804003703903201",
         "/home/.local/share/trigonix/data .tgx",
         oldScores,
         {"settings .tgx"}},
        {"an old file that was a link: its bytes move, what it named stays",
         nullptr,
         nullptr,
         {},
         oldScores,
         true,
         false,
         {},
         {},
         "/home/.config/trigonix/settings .tgx",
         defaultSettings,
         "/home/.local/share/trigonix/data .tgx",
         oldScores,
         {}},
        {"a file of the player's own keeps the old folder",
         nullptr,
         nullptr,
         "1012103804003703903200",
         {},
         false,
         true,
         {},
         {},
         "/home/.config/trigonix/settings .tgx",
         "1012103804003703903200",
         "/home/.local/share/trigonix/data .tgx",
         defaultScores,
         {"notes.txt"}},
        {"XDG_DATA_HOME names where the old folder was",
         "/xdg/d",
         "/xdg/c",
         "1012103804003703903200",
         oldScores,
         false,
         false,
         {},
         oldScores + "x",
         "/xdg/c/trigonix/settings .tgx",
         "1012103804003703903200",
         "/xdg/d/trigonix/data .tgx",
         oldScores + "x",
         {"data .tgx"}},
        {"a folder that cannot be made: the old file is used where it is",
         nullptr,
         "/afile/c",
         "1012103804003703903200",
         oldScores,
         false,
         false,
         {},
         {},
         "/home/.local/share/trigonix/Data/settings .tgx",
         "1012103804003703903200",
         "/home/.local/share/trigonix/data .tgx",
         oldScores,
         {"settings .tgx"}},
    };
    // A player who keeps new files private: an old file's bits still move
    // with it.
    umask(077);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        clear();
        setVariable("HOME", "/home");
        setVariable("XDG_DATA_HOME", row.xdgData);
        setVariable("XDG_CONFIG_HOME", row.xdgConfig);
        writeFile(root + "/afile", "not a folder");
        const std::string old =
            root +
            (row.xdgData != nullptr ? std::string(row.xdgData) + "/trigonix/Data" : oldInHome);
        fs::create_directories(old);
        // What the script linked in and the last run's log go with the folder.
        fs::create_symlink(root + "/install/Data/moon.bmp", old + "/moon.bmp");
        fs::create_symlink(root + "/install/Data/gone.wav", old + "/gone.wav");
        writeFile(old + "/trigonix.log", "trigonix: Data/moon.bmp: old\n");
        if (row.oldSettings) {
            writeFile(old + "/settings .tgx", *row.oldSettings);
            chmod((old + "/settings .tgx").c_str(), 0640);
        }
        if (row.oldScores && row.oldScoresIsALink) {
            fs::create_directories(root + "/elsewhere");
            writeFile(root + "/elsewhere/scores", *row.oldScores);
            fs::create_symlink("../../../../../elsewhere/scores", old + "/data .tgx");
        } else if (row.oldScores) {
            writeFile(old + "/data .tgx", *row.oldScores);
        }
        if (row.playersOwnFileInOldFolder)
            writeFile(old + "/notes.txt", "mine");
        if (row.newSettings) {
            const std::string at =
                root + (row.xdgConfig ? row.xdgConfig : "/home/.config") + "/trigonix";
            fs::create_directories(at);
            writeFile(at + "/settings .tgx", *row.newSettings);
        }
        if (row.newScores)
            writeFile(fs::path(old).parent_path() / "data .tgx", *row.newScores);

        chooseGameFolders(root + "/install");
        ASSERT_TRUE(gameFolders.installed);
        ::testing::internal::CaptureStderr();
        preparePlayerFiles();
        ::testing::internal::GetCapturedStderr();

        EXPECT_EQ(gameFilePath("Data/settings .tgx"), root + row.settingsAt);
        EXPECT_EQ(readFile(root + row.settingsAt), row.settings);
        EXPECT_EQ(gameFilePath("Data/data .tgx"), root + row.scoresAt);
        EXPECT_EQ(readFile(root + row.scoresAt), row.scores);
        if (row.oldSettings && row.settings == *row.oldSettings) {
            struct stat status {};
            ASSERT_EQ(stat((root + row.settingsAt).c_str(), &status), 0);
            EXPECT_EQ(status.st_mode & 07777, 0640u) << "the permission bits moved with the file";
        }
        if (row.oldScoresIsALink) {
            EXPECT_EQ(readFile(root + "/elsewhere/scores"), *row.oldScores);
        }
        if (row.oldFolderLeft.empty()) {
            EXPECT_FALSE(fs::exists(fs::symlink_status(old)));
        } else {
            std::set<std::string> left;
            for (const auto& entry : fs::directory_iterator(old))
                left.insert(entry.path().filename().string());
            EXPECT_EQ(left, row.oldFolderLeft);
        }
        // Nothing half-made is left beside the files.
        std::set<std::string> besides = {"data .tgx"};
        if (!row.oldFolderLeft.empty())
            besides.insert("Data");
        EXPECT_EQ(namesBesidesLog(fs::path(root + row.scoresAt).parent_path()), besides);
        // The folders the game made are the player's alone.
        if (row.xdgConfig == nullptr && !row.newSettings) {
            for (const char* made : {"/home/.config", "/home/.config/trigonix"}) {
                struct stat status {};
                ASSERT_EQ(stat((root + made).c_str(), &status), 0);
                EXPECT_EQ(status.st_mode & 0777, 0700u) << made;
            }
        }
    }
}
