// The high-score screen: the table with its initials, the reset and the
// file it reaches, the erase sound, and leaving with Enter after the
// doubled delay.
#include "frontend/high_score_screen.h"

#include "app/win_main.h"
#include "frontend/menu.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/race.h"
#include "tests/support/game_fixture.h"
#include "tests/support/screen_view.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using screenView::Colour;

constexpr Colour green{0, 1, 0};
constexpr Colour cyan{0, 1, 1};
constexpr Colour magenta{1, 0, 1};

void setEntry(int raceType, int best, const char* initials)
{
    HighScoreEntry* entry = highScoreFor(raceType);
    entry->best = best;
    for (int i = 1; i <= 3; ++i)
        entry->initials.set(i, initials[i - 1]);
}

int countSounds(const std::string& name)
{
    const auto& sounds = testHooks::soundsRequested();
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), name));
}

struct HighScoreScreenTest : GameTest {
    void SetUp() override
    {
        GameTest::SetUp();
        testHooks::fixClock(1000);
        openWindow(640, 480);
        settings.raceType = RaceType::SHORT;
        setEntry(RaceType::SHORT, 42, "ABC");
        setEntry(RaceType::MEDIUM, 123, "K_v");
        setEntry(RaceType::LONG, 7, "___");
        setEntry(RaceType::JOURNEY, 31337, "xyz");
    }

    void openTable()
    {
        menu.currentItem = 3;
        holdKeyForAFrame(VK_RETURN);
        ASSERT_TRUE(screens.highScoresShown);
    }

    void expectTableShows(const screenView::Frame& frame, const std::string lines[4],
                          const std::string initials[4])
    {
        for (int i = 0; i < 4; ++i) {
            const float y = 2.0f - i;
            EXPECT_TRUE(screenView::compare(frame, lines[i], -3.2f, y, cyan).shown()) << lines[i];
            EXPECT_TRUE(screenView::compare(frame, initials[i], 2.2f, y, cyan).shown())
                << initials[i];
        }
    }
};

TEST_F(HighScoreScreenTest, TheTableShowsEachBestWithItsInitialsAndTheTwoHints)
{
    openTable();
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, "HIGH SCORES", -2.0f, 3.0f, green).shown());
    const std::string lines[4] = {"SHORT: 42", "MEDIUM: 123", "LONG: 7", "JOURNEY: 31337"};
    const std::string initials[4] = {"ABC", "K_v", "___", "xyz"};
    expectTableShows(frame, lines, initials);
    EXPECT_TRUE(
        screenView::compare(frame, "Press ENTER to go back", -2.4f, -3.0f, magenta).shown());
    EXPECT_TRUE(screenView::compare(frame, "Press DELETE or BACKSPACE to reset high scores.", -3.9f,
                                    -2.2f, magenta)
                    .shown());
}

TEST_F(HighScoreScreenTest, DeleteResetsTheTableWhichShowsFromTheNextFrameAndReachesTheFile)
{
    openTable();
    holdKeyForAFrame(VK_DELETE);
    screenView::Frame frame = screenView::grab();
    const std::string oldLines[4] = {"SHORT: 42", "MEDIUM: 123", "LONG: 7", "JOURNEY: 31337"};
    const std::string oldInitials[4] = {"ABC", "K_v", "___", "xyz"};
    expectTableShows(frame, oldLines, oldInitials);

    EXPECT_EQ(highScoreFor(RaceType::SHORT)->best, 99);
    EXPECT_EQ(highScoreFor(RaceType::MEDIUM)->best, 999);
    EXPECT_EQ(highScoreFor(RaceType::LONG)->best, 999);
    EXPECT_EQ(highScoreFor(RaceType::JOURNEY)->best, 1);
    for (int type = RaceType::SHORT; type <= RaceType::JOURNEY; ++type)
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(highScoreFor(type)->initials.get(i), '_') << type << " " << i;

    runFrames(1);
    frame = screenView::grab();
    const std::string newLines[4] = {"SHORT: 99", "MEDIUM: 999", "LONG: 999", "JOURNEY: 1"};
    const std::string newInitials[4] = {"___", "___", "___", "___"};
    expectTableShows(frame, newLines, newInitials);

    EXPECT_TRUE(screens.highScoresShown) << "the reset does not leave the screen";
    closeGameWindow();
    EXPECT_EQ(readFile("Data/data .tgx"), "9999999900001is}is}is}is}0");
}

TEST_F(HighScoreScreenTest, BackspaceResetsTheTableToo)
{
    openTable();
    holdKeyForAFrame(VK_BACK);
    EXPECT_EQ(highScoreFor(RaceType::SHORT)->best, 99);
    EXPECT_EQ(highScoreFor(RaceType::JOURNEY)->best, 1);
    EXPECT_EQ(highScoreFor(RaceType::MEDIUM)->initials.get(2), '_');
    settings.fullscreen = true;  // the file keeps the mode too
    closeGameWindow();
    EXPECT_EQ(readFile("Data/data .tgx"), "9999999900001is}is}is}is}1");
}

TEST_F(HighScoreScreenTest, HoldingDeleteRestartsTheEraseSoundEveryFrameOnlyWithSoundOn)
{
    openTable();
    settings.soundOn = false;
    pressKey(VK_DELETE);
    runFrames(3);
    EXPECT_EQ(testHooks::soundsRequested().size(), 0u);

    settings.soundOn = true;
    runFrames(4);
    releaseKey(VK_DELETE);
    EXPECT_EQ(countSounds("Data/erased.wav"), 4);
    // It also keeps the table reset while held.
    highScoreFor(RaceType::LONG)->best = 5;
    pressKey(VK_DELETE);
    runFrames(1);
    EXPECT_EQ(highScoreFor(RaceType::LONG)->best, 999);
    EXPECT_EQ(countSounds("Data/erased.wav"), 5);
}

TEST_F(HighScoreScreenTest, DeleteAndBackspaceDoNothingOnOtherScreens)
{
    pressKey(VK_DELETE);
    pressKey(VK_BACK);
    runFrames(2);
    EXPECT_EQ(highScoreFor(RaceType::SHORT)->best, 42);
}

TEST_F(HighScoreScreenTest, EnterIsIgnoredForNineteenFramesThenLeavesAndTheMenuWaitsEighteenMore)
{
    settings.soundOn = true;
    openTable();
    const size_t soundsBefore = testHooks::soundsRequested().size();
    int leftIn = 0;
    for (int frame = 1; frame <= 25 && leftIn == 0; ++frame) {
        pressKey(VK_RETURN);  // the desktop's key repeat, every frame
        runFrames(1);
        if (!screens.highScoresShown)
            leftIn = frame;
    }
    EXPECT_EQ(leftIn, 20);
    EXPECT_EQ(menu.repeatDelay, 19);
    EXPECT_EQ(menu.currentItem, 3);
    EXPECT_EQ(testHooks::soundsRequested().size(), soundsBefore + 1) << "the bleep";

    int reopenedIn = 0;
    for (int frame = 1; frame <= 25 && reopenedIn == 0; ++frame) {
        pressKey(VK_RETURN);
        runFrames(1);
        if (screens.highScoresShown)
            reopenedIn = frame;
    }
    EXPECT_EQ(reopenedIn, 19);
    releaseKey(VK_RETURN);
}

TEST_F(HighScoreScreenTest, ALeftClickOverABandLeavesLikeEnter)
{
    openTable();
    menu.repeatDelay = 0;
    screenView::pointMouseAt(-0.5f, -2.0f);
    pressLeftButton();
    runFrames(1);
    releaseLeftButton();
    EXPECT_FALSE(screens.highScoresShown);
    EXPECT_EQ(menu.currentItem, 4) << "the pick moved the row; the main menu shows it";
}

TEST_F(HighScoreScreenTest, InitialsNeverEnteredShowAsNothing)
{
    // A missing file leaves every initial at code 0, which has no glyph.
    for (int type = RaceType::SHORT; type <= RaceType::JOURNEY; ++type)
        highScoreFor(type)->initials = Initials{};
    openTable();
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(screenView::linePixels(frame, 2.2f, 2.0f - i, cyan, 80), 0);
    EXPECT_TRUE(screenView::compare(frame, "SHORT: 42", -3.2f, 2.0f, cyan).shown());
}

}  // namespace
