// The files half of the game's test fixture (tests/support/game_fixture.h)
// for the Windows tests, which run the persistence tests unchanged on the
// Windows side's file calls: a fresh temporary game folder and its files.
#include "tests/support/game_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

static fs::path folderBeforeTest;
static fs::path tempFolder;

std::string enterTempGameFolder(bool withPictures)
{
    if (withPictures) {
        ADD_FAILURE() << "the Windows tests have no pictures to give a game folder";
        return "";
    }
    folderBeforeTest = fs::current_path();
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    // Cases run side by side, and two suites may name a case alike.
    tempFolder = fs::temp_directory_path() /
                 ("trigonix-test-" + std::string(test != nullptr ? test->test_suite_name() : "") +
                  "-" + std::string(test != nullptr ? test->name() : "case"));
    std::error_code ignored;
    fs::remove_all(tempFolder, ignored);
    if (!fs::create_directories(tempFolder / "Data", ignored)) {
        ADD_FAILURE() << "cannot make a temporary folder";
        return "";
    }
    fs::current_path(tempFolder);
    return tempFolder.string();
}

void leaveTempGameFolder()
{
    if (tempFolder.empty())
        return;
    fs::current_path(folderBeforeTest);
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(tempFolder, ignored))
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    fs::remove_all(tempFolder, ignored);
    tempFolder.clear();
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::set<std::string> namesBesidesLog(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != "trigonix.log")
            names.insert(entry.path().filename().string());
    }
    return names;
}

bool fileExists(const std::string& path) { return fs::exists(path); }

void writeFile(const std::string& path, const std::string& bytes)
{
    std::error_code ignored;
    if (!fs::is_directory(path, ignored))
        fs::remove(path, ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    EXPECT_FALSE(out.fail()) << "cannot write " << path;
}

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    writeFile(path, std::string(bytes.begin(), bytes.end()));
}
