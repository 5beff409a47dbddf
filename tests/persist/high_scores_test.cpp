// The high-score file: the table and full-screen flag it holds, the
// encoded initials, the bounds applied on load, and safe saving.
#include "persist/high_scores.h"

#include "persist/settings.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

class HighScoreFile : public ::testing::Test {
  protected:
    void SetUp() override
    {
        highScores = HighScoreTable{};
        settings = GameSettings{};
        ASSERT_FALSE(enterTempGameFolder(false).empty());
    }

    void TearDown() override { leaveTempGameFolder(); }

    static std::string formatted()
    {
        char text[26];
        formatHighScores(text);
        return std::string(text, sizeof text);
    }

    static void loadFrom(const std::string& bytes)
    {
        writeFile(highScoreFileName, bytes);
        loadHighScores();
    }

    static void setInitials(int row, const char* three)
    {
        for (int n = 1; n <= 3; ++n)
            highScores.rows[row].initials.set(n, three[n - 1]);
    }

    static std::string initialsOf(int row)
    {
        const Initials& initials = highScores.rows[row].initials;
        return {initials.get(1), initials.get(2), initials.get(3)};
    }
};

TEST(Initials, HoldThreeCharactersNumberedFromOne)
{
    Initials initials;
    initials.set(1, 'A');
    initials.set(2, 'B');
    initials.set(3, 'C');
    EXPECT_EQ(initials.get(1), 'A');
    EXPECT_EQ(initials.get(2), 'B');
    EXPECT_EQ(initials.get(3), 'C');
    EXPECT_EQ(initials.characters[0], 'A');
    EXPECT_EQ(initials.characters[2], 'C');
}

TEST(Initials, IgnoreAnyNumberOutsideOneToThree)
{
    Initials initials;
    initials.set(1, 'A');
    initials.set(2, 'B');
    initials.set(3, 'C');
    for (int n : {0, 4, -1, 1000, -2147483647 - 1}) {
        initials.set(n, 'Z');
        EXPECT_EQ(initials.get(n), '\0') << n;
    }
    EXPECT_EQ(initials.get(1), 'A');
    EXPECT_EQ(initials.get(2), 'B');
    EXPECT_EQ(initials.get(3), 'C');
}

TEST_F(HighScoreFile, IsNamedWithTheSpaceInTheDataFolder)
{
    EXPECT_STREQ(highScoreFileName, "Data/data .tgx");
}

TEST_F(HighScoreFile, AMissingFileIsReportedAndGivesTheResetTableAndFullScreen)
{
    testing::internal::CaptureStderr();
    loadHighScores();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error opening file: No such file or directory\n");
    EXPECT_EQ(highScores.rows[0].best, 99);
    EXPECT_EQ(highScores.rows[1].best, 999);
    EXPECT_EQ(highScores.rows[2].best, 999);
    EXPECT_EQ(highScores.rows[3].best, 1);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(initialsOf(row), "___");
    EXPECT_TRUE(settings.fullscreen);
}

TEST_F(HighScoreFile, AMissingFileReplacesWhateverTheTableHeld)
{
    highScores.rows[0].best = 0;
    highScores.rows[1].best = -1;
    highScores.rows[2].best = 1000;
    highScores.rows[3].best = -7;
    setInitials(2, "ABC");
    testing::internal::CaptureStderr();
    loadHighScores();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(highScores.rows[0].best, 99);
    EXPECT_EQ(highScores.rows[1].best, 999);
    EXPECT_EQ(highScores.rows[2].best, 999);
    EXPECT_EQ(highScores.rows[3].best, 1);
    EXPECT_EQ(initialsOf(2), "___");
}

TEST_F(HighScoreFile, TheResetTableFileLoadsByPosition)
{
    loadFrom("9999999900001is}is}is}is}0");
    EXPECT_EQ(highScores.rows[0].best, 99);
    EXPECT_EQ(highScores.rows[1].best, 999);
    EXPECT_EQ(highScores.rows[2].best, 999);
    EXPECT_EQ(highScores.rows[3].best, 1);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(initialsOf(row), "___");
    EXPECT_FALSE(settings.fullscreen);
}

TEST_F(HighScoreFile, EachFieldIsReadFromItsOwnPlace)
{
    // clang-format off
    loadFrom("42" "137" "908" "54321" "KVa" "is}" "LWb" "UYc" "1");
    // clang-format on
    EXPECT_EQ(highScores.rows[0].best, 42);
    EXPECT_EQ(highScores.rows[1].best, 137);
    EXPECT_EQ(highScores.rows[2].best, 908);
    EXPECT_EQ(highScores.rows[3].best, 54321);
    EXPECT_EQ(initialsOf(0), "ABC");
    EXPECT_EQ(initialsOf(1), "___");
    EXPECT_EQ(initialsOf(2), "BCD");
    EXPECT_EQ(initialsOf(3), "KE"
                             "E");
    EXPECT_TRUE(settings.fullscreen);
}

TEST_F(HighScoreFile, TheInitialsABCAreWrittenKVaAndUnderscoresIsBrace)
{
    setInitials(0, "ABC");
    setInitials(1, "___");
    setInitials(2, "___");
    setInitials(3, "ZZZ");
    EXPECT_EQ(formatted().substr(13, 12), "KVa"
                                          "is}"
                                          "is}"
                                          "dnx");
}

TEST_F(HighScoreFile, NoByteFfIsWrittenAndTheFieldsAfterItSurvive)
{
    // The characters whose stored byte would be 0xFF, which a load takes
    // for the end of the file, are stored as empty slots.
    setInitials(0, "ABC");
    highScores.rows[1].initials.characters[0] = 255 - 10;
    highScores.rows[1].initials.characters[1] = 255 - 20;
    highScores.rows[1].initials.characters[2] = 255 - 30;
    setInitials(2, "XYZ");
    highScores.rows[3].initials.characters[1] = 255 - 20;
    highScores.rows[3].initials.set(1, 'K');
    highScores.rows[3].initials.set(3, 'E');
    settings.fullscreen = false;
    saveHighScores();
    const std::string text = readFile(highScoreFileName);
    ASSERT_EQ(text.size(), 26u);
    EXPECT_EQ(text.find('\xff'), std::string::npos);
    highScores = HighScoreTable{};
    settings.fullscreen = true;
    loadHighScores();
    EXPECT_EQ(initialsOf(0), "ABC");
    EXPECT_EQ(initialsOf(1), "___");
    EXPECT_EQ(initialsOf(2), "XYZ");
    EXPECT_EQ(initialsOf(3), "K_E");
    EXPECT_FALSE(settings.fullscreen);

    // The way such a character came about: a file cut short inside the
    // initials. It loads as an empty row, and what it saves loads whole.
    loadFrom("0512345600042KVa"
             "i");
    saveHighScores();
    EXPECT_EQ(readFile(highScoreFileName).find('\xff'), std::string::npos);
    loadHighScores();
    EXPECT_EQ(highScores.rows[0].best, 5);
    EXPECT_EQ(highScores.rows[3].best, 42);
    EXPECT_EQ(initialsOf(0), "ABC");
    for (int row = 1; row < 4; ++row)
        EXPECT_EQ(initialsOf(row), "___");
}

TEST_F(HighScoreFile, InitialsWrapRoundInOneByte)
{
    highScores.rows[0].initials.characters[0] = 250;
    highScores.rows[0].initials.characters[1] = 240;
    highScores.rows[0].initials.characters[2] = 0;
    const std::string text = formatted();
    EXPECT_EQ(static_cast<unsigned char>(text[13]), 4);
    EXPECT_EQ(static_cast<unsigned char>(text[14]), 4);
    EXPECT_EQ(static_cast<unsigned char>(text[15]), 30);
    saveHighScores();
    highScores = HighScoreTable{};
    loadHighScores();
    EXPECT_EQ(highScores.rows[0].initials.characters[0], 250);
    EXPECT_EQ(highScores.rows[0].initials.characters[1], 240);
    EXPECT_EQ(highScores.rows[0].initials.characters[2], 0);
}

TEST_F(HighScoreFile, BestsAreZeroPaddedToTheirWidths)
{
    highScores.rows[0].best = 7;
    highScores.rows[1].best = 85;
    highScores.rows[2].best = 5;
    highScores.rows[3].best = 42;
    EXPECT_EQ(formatted().substr(0, 13), "07"
                                         "085"
                                         "005"
                                         "00042");
}

TEST_F(HighScoreFile, SavingWritesTheResetTableInWindowedMode)
{
    highScores.rows[0].best = 99;
    highScores.rows[1].best = 999;
    highScores.rows[2].best = 999;
    highScores.rows[3].best = 1;
    for (int row = 0; row < 4; ++row)
        setInitials(row, "___");
    settings.fullscreen = false;
    saveHighScores();
    EXPECT_EQ(readFile(highScoreFileName), "9999999900001is}is}is}is}0");
    EXPECT_EQ(std::distance(fs::directory_iterator("Data"), fs::directory_iterator{}), 1);
    settings.fullscreen = true;
    saveHighScores();
    EXPECT_EQ(readFile(highScoreFileName), "9999999900001is}is}is}is}1");
}

TEST_F(HighScoreFile, EveryBestKeepsItsWidthWhateverItsValue)
{
    highScores.rows[0].best = -490;
    highScores.rows[1].best = -5;
    highScores.rows[2].best = -2147483647 - 1;
    highScores.rows[3].best = -1;
    EXPECT_EQ(formatted().substr(0, 13), "00"
                                         "000"
                                         "000"
                                         "00000");
    highScores.rows[0].best = 100;
    highScores.rows[1].best = 1000;
    highScores.rows[2].best = 2147483647;
    highScores.rows[3].best = 100000;
    EXPECT_EQ(formatted().substr(0, 13), "99"
                                         "999"
                                         "999"
                                         "99999");
    highScores.rows[3].best = 99999;
    EXPECT_EQ(formatted().substr(8, 5), "99999");
    highScores.rows[3].best = 123456789;
    EXPECT_EQ(formatted().substr(8, 5), "99999");
}

TEST_F(HighScoreFile, AnEmptyFileGivesTheResetTableAndKeepsFullScreen)
{
    loadFrom("");
    EXPECT_EQ(highScores.rows[0].best, 99);
    EXPECT_EQ(highScores.rows[1].best, 999);
    EXPECT_EQ(highScores.rows[2].best, 999);
    EXPECT_EQ(highScores.rows[3].best, 1);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(initialsOf(row), "___");
    EXPECT_TRUE(settings.fullscreen);
}

TEST_F(HighScoreFile, AFileEndingAfterPosition24SetsFullScreen)
{
    settings.fullscreen = false;
    loadFrom("9999999900001is}is}is}is}");
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_EQ(initialsOf(3), "___");
}

TEST_F(HighScoreFile, EveryFieldACutShortFileDoesNotHoldWholeIsReset)
{
    // Cut after each length: the fields held whole are read, every other
    // takes the value of the table's reset.
    // clang-format off
    const std::string whole = "12" "345" "678" "00042" "KVa" "LWb" "MXc" "NYd" "0";
    // clang-format on
    const int bests[4] = {12, 345, 678, 42};
    const int resetBests[4] = {99, 999, 999, 1};
    const int bestEnds[4] = {2, 5, 8, 13};
    const char* initials[4] = {"ABC", "BCD", "CDE", "DEF"};
    for (std::size_t length = 0; length <= 25; ++length) {
        SCOPED_TRACE(length);
        setInitials(0, "QQQ");
        highScores.rows[2].best = 0;
        loadFrom(whole.substr(0, length));
        for (int row = 0; row < 4; ++row) {
            const bool bestHeld = static_cast<int>(length) >= bestEnds[row];
            EXPECT_EQ(highScores.rows[row].best, bestHeld ? bests[row] : resetBests[row]) << row;
            const bool initialsHeld = static_cast<int>(length) >= 16 + 3 * row;
            EXPECT_EQ(initialsOf(row), initialsHeld ? initials[row] : "___") << row;
        }
    }
    // What a cut-short file used to invent: SHORT 41, MEDIUM 410.
    loadFrom("9");
    EXPECT_EQ(highScores.rows[0].best, 99);
    loadFrom("999");
    EXPECT_EQ(highScores.rows[1].best, 999);
}

TEST_F(HighScoreFile, AByteFfEndsTheFileWhereItStands)
{
    settings.fullscreen = false;
    setInitials(3, "ABC");
    loadFrom(std::string("10") + "200" + "300" + "00400" + "KVa" + "KVa" + "KVa" + "\xff" + "VW0");
    EXPECT_EQ(highScores.rows[3].best, 400);
    EXPECT_EQ(initialsOf(2), "ABC");
    // The row it cuts short is reset; the flag after it is not reached.
    EXPECT_EQ(initialsOf(3), "___");
    EXPECT_FALSE(settings.fullscreen);
}

TEST_F(HighScoreFile, CharactersAfterTheFlagAreIgnored)
{
    loadFrom("9999999900001is}is}is}is}0\r\n123");
    EXPECT_EQ(highScores.rows[0].best, 99);
    EXPECT_EQ(initialsOf(3), "___");
    EXPECT_FALSE(settings.fullscreen);
}

TEST_F(HighScoreFile, BoundsRepairDamagedBestsAndLeaveJourneyAlone)
{
    // ":" is one above "9", "+" five below "0".
    // clang-format off
    loadFrom("9:" "00+" ":00" ":::::" "is}is}is}is}" "1");
    EXPECT_EQ(highScores.rows[0].best, 99);        // 100
    EXPECT_EQ(highScores.rows[1].best, 999);       // -5
    EXPECT_EQ(highScores.rows[2].best, 999);       // 1000
    EXPECT_EQ(highScores.rows[3].best, 111110);    // kept as read
    loadFrom("-1" "-00" "///" "-----" "is}is}is}is}" "1");
    EXPECT_EQ(highScores.rows[0].best, 99);
    EXPECT_EQ(highScores.rows[1].best, 999);
    EXPECT_EQ(highScores.rows[2].best, 999);
    EXPECT_EQ(highScores.rows[3].best, -3 * 11111);
    loadFrom("00" "999" "000" "00000" "is}is}is}is}" "1");
    // clang-format on
    EXPECT_EQ(highScores.rows[0].best, 0);
    EXPECT_EQ(highScores.rows[1].best, 999);
    EXPECT_EQ(highScores.rows[2].best, 0);
}

TEST_F(HighScoreFile, ASavedFileReadsBackTheSameOverEveryValue)
{
    const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ_";
    for (int value = 0; value <= 99999; ++value) {
        highScores.rows[0].best = value % 100;
        highScores.rows[1].best = value % 1000;
        highScores.rows[2].best = (value * 7 + 3) % 1000;
        highScores.rows[3].best = value;
        for (int row = 0; row < 4; ++row)
            for (int n = 1; n <= 3; ++n)
                highScores.rows[row].initials.set(n, letters[(value + row * 5 + n * 11) % 27]);
        settings.fullscreen = value % 2 == 0;
        const HighScoreTable saved = highScores;
        const bool savedFullscreen = settings.fullscreen;
        // Every value goes through the formatter; a sample also through
        // the real save, which flushes to disk and is slow.
        if (value % 997 == 0) {
            saveHighScores();
            ASSERT_EQ(readFile(highScoreFileName), formatted());
        } else {
            writeFile(highScoreFileName, formatted());
        }

        highScores = HighScoreTable{};
        settings.fullscreen = !savedFullscreen;
        loadHighScores();
        for (int row = 0; row < 4; ++row) {
            ASSERT_EQ(highScores.rows[row].best, saved.rows[row].best) << value << " row " << row;
            for (int n = 1; n <= 3; ++n)
                ASSERT_EQ(highScores.rows[row].initials.get(n), saved.rows[row].initials.get(n))
                    << value;
        }
        ASSERT_EQ(settings.fullscreen, savedFullscreen) << value;
    }
}

TEST_F(HighScoreFile, DamagedFilesLoadWithinBoundsAndSaveAs26Characters)
{
    std::mt19937 random(19970313);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(random() % 40, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() % 256);
        highScores = HighScoreTable{};
        loadFrom(bytes);
        EXPECT_GE(highScores.rows[0].best, 0);
        EXPECT_LE(highScores.rows[0].best, 99);
        EXPECT_GE(highScores.rows[1].best, 0);
        EXPECT_LE(highScores.rows[1].best, 999);
        EXPECT_GE(highScores.rows[2].best, 0);
        EXPECT_LE(highScores.rows[2].best, 999);
        const std::string text = formatted();
        ASSERT_EQ(text.size(), 26u);
        for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 25})
            ASSERT_TRUE(text[i] >= '0' && text[i] <= '9') << i;
    }
}

TEST_F(HighScoreFile, ASaveThatCannotWriteKeepsTheOldFileByteForByte)
{
    const std::string old = "0512345600042KVais}is}is}1";
    writeFile(highScoreFileName, old);
    fs::permissions(highScoreFileName,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    highScores.rows[0].best = 3;
    testing::internal::CaptureStderr();
    saveHighScores();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error opening file: Permission denied\n");
    EXPECT_EQ(readFile(highScoreFileName), old);
    EXPECT_EQ(namesBesidesLog("Data").size(), 1u);
    // The line on the error stream does not say which file; the log does.
    EXPECT_EQ(readFile("Data/trigonix.log"),
              std::string("trigonix: ") + highScoreFileName + ": Permission denied\n");
}

}  // namespace
