// The settings file: what each character does on load, the exact text a
// save writes, and that a save never loses the old file.
#include "persist/settings.h"

#include "game/input.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

// Every case runs in a fresh working folder holding an empty Data folder.
class SettingsFile : public ::testing::Test {
  protected:
    void SetUp() override
    {
        settings = GameSettings{};
        ASSERT_FALSE(enterTempGameFolder(false).empty());
    }

    void TearDown() override { leaveTempGameFolder(); }

    static std::string formatted()
    {
        char text[22];
        formatSettings(text);
        return std::string(text, sizeof text);
    }

    static void loadFrom(const std::string& bytes)
    {
        writeFile(settingsFileName, bytes);
        loadSettings();
    }
};

// What a saved key code loads as: itself, or for the code 0, which matches
// no key, the arrow key or space bar of its row.
int loadedKey(int code, int arrowCode) { return code == 0 ? arrowCode : code; }

bool allDigits(const std::string& text)
{
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

TEST_F(SettingsFile, IsNamedWithTheSpaceInTheDataFolder)
{
    EXPECT_STREQ(settingsFileName, "Data/settings .tgx");
}

TEST_F(SettingsFile, AMissingFileIsReportedAndGivesArrowKeysAnd640By480)
{
    testing::internal::CaptureStderr();
    loadSettings();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error opening file: No such file or directory\n");
    EXPECT_FLOAT_EQ(settings.gameSpeed, 1.0f);
    EXPECT_FALSE(settings.showSky);
    EXPECT_EQ(settings.resolutionIndex, 2);
    EXPECT_EQ(settings.raceType, 0);
    EXPECT_EQ(settings.accelerateKey, VK_UP);
    EXPECT_EQ(settings.decelerateKey, VK_DOWN);
    EXPECT_EQ(settings.leftKey, VK_LEFT);
    EXPECT_EQ(settings.rightKey, VK_RIGHT);
    EXPECT_EQ(settings.bombKey, VK_SPACE);
    EXPECT_FALSE(settings.rotateShip);
    EXPECT_FALSE(settings.soundOn);
    EXPECT_TRUE(settings.fullscreen);
    // ... and they are saved so.
    saveSettings();
    EXPECT_EQ(readFile(settingsFileName), "1002003804003703903200");
}

TEST_F(SettingsFile, ACompleteFileFillsEveryFieldByPosition)
{
    loadFrom("1002303804003703903201");
    EXPECT_FLOAT_EQ(settings.gameSpeed, 1.0f);
    EXPECT_FALSE(settings.showSky);
    EXPECT_EQ(settings.resolutionIndex, 2);
    EXPECT_EQ(settings.raceType, 3);
    EXPECT_EQ(settings.accelerateKey, 38);
    EXPECT_EQ(settings.decelerateKey, 40);
    EXPECT_EQ(settings.leftKey, 37);
    EXPECT_EQ(settings.rightKey, 39);
    EXPECT_EQ(settings.bombKey, 32);
    EXPECT_FALSE(settings.rotateShip);
    EXPECT_TRUE(settings.soundOn);
}

TEST_F(SettingsFile, AnyCharacterButTheDigitZeroSetsAFlag)
{
    loadFrom("1012303804003703903271");
    EXPECT_TRUE(settings.showSky);
    EXPECT_TRUE(settings.rotateShip);
    loadFrom("10x2303804003703903200");
    EXPECT_TRUE(settings.showSky);
    EXPECT_FALSE(settings.rotateShip);
    EXPECT_FALSE(settings.soundOn);
}

TEST_F(SettingsFile, NonDigitsCountByTheirDistanceFromZero)
{
    // A space is 16 below "0", a colon one above "9".
    // clang-format off
    loadFrom(" 1" " " "1" ":" "038040037039032" "00");
    // clang-format on
    EXPECT_FLOAT_EQ(settings.gameSpeed, (-160.0f + 1.0f) * 0.1f);
    EXPECT_TRUE(settings.showSky);
    EXPECT_EQ(settings.raceType, 10);
    loadFrom("10023"
             "0:9"
             "2 :"
             "065066067"
             "00");
    EXPECT_EQ(settings.accelerateKey, 0 + 100 + 9);
    EXPECT_EQ(settings.decelerateKey, 200 - 160 + 10);
}

TEST_F(SettingsFile, AnEmptyFilePutsTheEndAtTheSpeedAndKeepsTheRest)
{
    settings.resolutionIndex = 2;
    settings.accelerateKey = 38;
    loadFrom("");
    EXPECT_FLOAT_EQ(settings.gameSpeed, -49.0f);
    EXPECT_FALSE(settings.showSky);
    EXPECT_EQ(settings.resolutionIndex, 2);
    EXPECT_EQ(settings.accelerateKey, 38);
}

TEST_F(SettingsFile, AResolutionOutsideTheThreeGives640By480AndIsSavedSo)
{
    // "100" ends where the resolution stands: -49.
    settings.raceType = 4;
    loadFrom("100");
    EXPECT_FLOAT_EQ(settings.gameSpeed, 1.0f);
    EXPECT_FALSE(settings.showSky);
    EXPECT_EQ(settings.resolutionIndex, 2);
    EXPECT_EQ(settings.raceType, 4);
    deriveWindowSize();
    EXPECT_EQ(settings.windowWidth, 640);
    EXPECT_EQ(settings.windowHeight, 480);
    for (char digit : {'0', '4', '9', ' ', ':'}) {
        loadFrom(std::string("100") + digit + "303804003703903200");
        EXPECT_EQ(settings.resolutionIndex, 2) << digit;
        saveSettings();
        EXPECT_EQ(readFile(settingsFileName), "1002303804003703903200") << digit;
    }
    for (int index : {1, 2, 3}) {
        loadFrom("100" + std::to_string(index) + "303804003703903200");
        EXPECT_EQ(settings.resolutionIndex, index);
    }
}

TEST_F(SettingsFile, TheEndSetsAFlagAndAKeyItCutsShortTakesItsArrow)
{
    settings.bombKey = 66;
    settings.soundOn = false;
    loadFrom("10023065");
    EXPECT_EQ(settings.accelerateKey, 65);
    // -49 * 100 matches no key.
    EXPECT_EQ(settings.decelerateKey, VK_DOWN);
    EXPECT_EQ(settings.bombKey, 66);
    loadFrom("100230380400370390320");
    EXPECT_FALSE(settings.rotateShip);
    EXPECT_TRUE(settings.soundOn);
}

TEST_F(SettingsFile, AByteFfEndsTheFileWhereItStands)
{
    settings.raceType = 4;
    settings.accelerateKey = 90;
    loadFrom(std::string("101") + '\xff' + "3999999999999999999");
    EXPECT_FLOAT_EQ(settings.gameSpeed, 1.0f);
    EXPECT_TRUE(settings.showSky);
    // The end on the resolution: -49, taken as 640 x 480.
    EXPECT_EQ(settings.resolutionIndex, 2);
    EXPECT_EQ(settings.raceType, 4);
    EXPECT_EQ(settings.accelerateKey, 90);
}

TEST_F(SettingsFile, CharactersAfterTheLastFieldAreIgnored)
{
    loadFrom("1002303804003703903201\r\n99999");
    EXPECT_FLOAT_EQ(settings.gameSpeed, 1.0f);
    EXPECT_EQ(settings.bombKey, 32);
    EXPECT_FALSE(settings.rotateShip);
    EXPECT_TRUE(settings.soundOn);
}

TEST_F(SettingsFile, SavingWritesThe22CharactersOfTheExample)
{
    settings.gameSpeed = 1.0f;
    settings.showSky = false;
    settings.resolutionIndex = 2;
    settings.raceType = 3;
    settings.accelerateKey = VK_UP;
    settings.decelerateKey = VK_DOWN;
    settings.leftKey = VK_LEFT;
    settings.rightKey = VK_RIGHT;
    settings.bombKey = VK_SPACE;
    settings.rotateShip = false;
    settings.soundOn = true;
    saveSettings();
    EXPECT_EQ(readFile(settingsFileName), "1002303804003703903201");
    EXPECT_EQ(namesBesidesLog("Data").size(), 1u);
}

TEST_F(SettingsFile, KeyCodesAreZeroPaddedToThreeDigits)
{
    settings.accelerateKey = 5;
    settings.decelerateKey = 65;
    settings.leftKey = 100;
    settings.rightKey = 255;
    settings.bombKey = 0;
    EXPECT_EQ(formatted().substr(5, 15), "005065100255000");
}

TEST_F(SettingsFile, ASpeedOf056IsWritten06AndReadBackAs06)
{
    settings.gameSpeed = 0.56f;
    saveSettings();
    EXPECT_EQ(readFile(settingsFileName).substr(0, 2), "06");
    settings.gameSpeed = 3.0f;
    loadSettings();
    EXPECT_FLOAT_EQ(settings.gameSpeed, 0.6f);
}

TEST_F(SettingsFile, EveryFieldKeepsItsWidthWhateverItsValue)
{
    settings.gameSpeed = -1.1f;
    settings.resolutionIndex = -49;
    settings.raceType = 10;
    settings.accelerateKey = -1;
    settings.decelerateKey = 256;
    settings.leftKey = 999;
    settings.rightKey = -4900;
    settings.bombKey = 100000;
    settings.showSky = true;
    settings.rotateShip = true;
    settings.soundOn = true;
    // clang-format off
    EXPECT_EQ(formatted(), std::string("00") + "1" + "0" + "0" + "000" "000" "000" "000" "000" + "1" + "1");
    // clang-format on

    settings.gameSpeed = 9.95f;
    EXPECT_EQ(formatted().substr(0, 2), "99");
    settings.gameSpeed = 9.94f;
    EXPECT_EQ(formatted().substr(0, 2), "99");
    settings.gameSpeed = 9.9f;
    EXPECT_EQ(formatted().substr(0, 2), "99");
    settings.gameSpeed = 9.84f;
    EXPECT_EQ(formatted().substr(0, 2), "98");
    settings.gameSpeed = 10.0f;
    EXPECT_EQ(formatted().substr(0, 2), "99");
    settings.gameSpeed = 1e30f;
    EXPECT_EQ(formatted().substr(0, 2), "99");
    settings.gameSpeed = INFINITY;
    EXPECT_EQ(formatted().substr(0, 2), "99");
    settings.gameSpeed = NAN;
    EXPECT_EQ(formatted().substr(0, 2), "00");
    settings.gameSpeed = 0.04f;
    EXPECT_EQ(formatted().substr(0, 2), "00");
    settings.gameSpeed = 0.05f;
    EXPECT_EQ(formatted().substr(0, 2), "01");

    settings.resolutionIndex = 9;
    settings.raceType = -1;
    EXPECT_EQ(formatted().substr(3, 2), "90");
}

TEST_F(SettingsFile, ASavedFileReadsBackTheSameOverEveryValue)
{
    for (int tenths = 0; tenths <= 99; ++tenths) {
        const int key = tenths * 255 / 99;
        settings = GameSettings{};
        settings.gameSpeed = tenths / 10.0f;
        settings.showSky = tenths % 2 == 1;
        settings.resolutionIndex = tenths % 10;
        settings.raceType = (tenths / 10) % 10;
        settings.accelerateKey = key;
        settings.decelerateKey = 255 - key;
        settings.leftKey = (key * 7) % 256;
        settings.rightKey = (key + 100) % 256;
        settings.bombKey = tenths;
        settings.rotateShip = tenths % 3 == 0;
        settings.soundOn = tenths % 5 != 0;
        const GameSettings saved = settings;
        saveSettings();
        ASSERT_EQ(readFile(settingsFileName).size(), 22u);

        settings = GameSettings{};
        settings.showSky = !saved.showSky;
        settings.rotateShip = !saved.rotateShip;
        settings.soundOn = !saved.soundOn;
        loadSettings();
        EXPECT_FLOAT_EQ(settings.gameSpeed, tenths * 0.1f) << tenths;
        EXPECT_EQ(settings.showSky, saved.showSky);
        const int index = saved.resolutionIndex;
        EXPECT_EQ(settings.resolutionIndex, index >= 1 && index <= 3 ? index : 2);
        EXPECT_EQ(settings.raceType, saved.raceType);
        EXPECT_EQ(settings.accelerateKey, loadedKey(saved.accelerateKey, VK_UP));
        EXPECT_EQ(settings.decelerateKey, loadedKey(saved.decelerateKey, VK_DOWN));
        EXPECT_EQ(settings.leftKey, loadedKey(saved.leftKey, VK_LEFT));
        EXPECT_EQ(settings.rightKey, loadedKey(saved.rightKey, VK_RIGHT));
        EXPECT_EQ(settings.bombKey, loadedKey(saved.bombKey, VK_SPACE));
        EXPECT_EQ(settings.rotateShip, saved.rotateShip);
        EXPECT_EQ(settings.soundOn, saved.soundOn);
    }
    // Every key code each of the five keys can hold.
    for (int code = 0; code <= 255; ++code) {
        settings.accelerateKey = code;
        settings.decelerateKey = (code + 1) % 256;
        settings.leftKey = (code + 2) % 256;
        settings.rightKey = (code + 3) % 256;
        settings.bombKey = 255 - code;
        saveSettings();
        settings.accelerateKey = settings.decelerateKey = settings.leftKey = -1;
        settings.rightKey = settings.bombKey = -1;
        loadSettings();
        EXPECT_EQ(settings.accelerateKey, loadedKey(code, VK_UP));
        EXPECT_EQ(settings.decelerateKey, loadedKey((code + 1) % 256, VK_DOWN));
        EXPECT_EQ(settings.leftKey, loadedKey((code + 2) % 256, VK_LEFT));
        EXPECT_EQ(settings.rightKey, loadedKey((code + 3) % 256, VK_RIGHT));
        EXPECT_EQ(settings.bombKey, loadedKey(255 - code, VK_SPACE));
    }
}

TEST_F(SettingsFile, DamagedFilesLoadWithoutHarmAndSaveAs22Digits)
{
    std::mt19937 random(20240607);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(random() % 40, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() % 256);
        settings = GameSettings{};
        loadFrom(bytes);

        // Whatever the codes are, asking for their keys is safe (the
        // sanitizer build sees any read outside the key table), and no key
        // is down.
        for (int code : {settings.accelerateKey, settings.decelerateKey, settings.leftKey,
                         settings.rightKey, settings.bombKey}) {
            EXPECT_FALSE(isKeyDown(code)) << code;
            // Every race key is one a player can press.
            EXPECT_TRUE(code >= 1 && code <= 255) << code;
        }
        EXPECT_TRUE(settings.resolutionIndex >= 1 && settings.resolutionIndex <= 3);

        const std::string text = formatted();
        ASSERT_EQ(text.size(), 22u);
        ASSERT_TRUE(allDigits(text)) << text;
    }
}

TEST_F(SettingsFile, ASaveThatCannotWriteKeepsTheOldFileByteForByte)
{
    const std::string old = "0911303804003703903210\n";
    writeFile(settingsFileName, old);
    // A file the player made read-only is refused, even to a user whom
    // permissions do not stop.
    fs::permissions(settingsFileName,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    settings.gameSpeed = 2.0f;
    testing::internal::CaptureStderr();
    saveSettings();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error opening file: Permission denied\n");
    EXPECT_EQ(readFile(settingsFileName), old);
    EXPECT_EQ(namesBesidesLog("Data").size(), 1u);
}

TEST_F(SettingsFile, ASaveWithoutADataFolderReportsIt)
{
    fs::remove("Data");
    testing::internal::CaptureStderr();
    saveSettings();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error opening file: No such file or directory\n");
    EXPECT_FALSE(fs::exists(settingsFileName));
}

TEST_F(SettingsFile, ASaveReplacesALongerOldFileCompletely)
{
    writeFile(settingsFileName, "9999999999999999999999999999999999\n");
    settings = GameSettings{};
    saveSettings();
    EXPECT_EQ(readFile(settingsFileName), "1000000000000000000000");
    EXPECT_EQ(namesBesidesLog("Data").size(), 1u);
}

TEST(WindowSize, FollowsTheThreeResolutionsAndIgnoresAnyOtherIndex)
{
    settings.resolutionIndex = 1;
    deriveWindowSize();
    EXPECT_EQ(settings.windowWidth, 320);
    EXPECT_EQ(settings.windowHeight, 240);
    settings.resolutionIndex = 2;
    deriveWindowSize();
    EXPECT_EQ(settings.windowWidth, 640);
    EXPECT_EQ(settings.windowHeight, 480);
    settings.resolutionIndex = 3;
    deriveWindowSize();
    EXPECT_EQ(settings.windowWidth, 1024);
    EXPECT_EQ(settings.windowHeight, 768);
    for (int index : {0, 4, -49, 9}) {
        settings.resolutionIndex = index;
        deriveWindowSize();
        EXPECT_EQ(settings.windowWidth, 1024);
        EXPECT_EQ(settings.windowHeight, 768);
    }
}

}  // namespace
