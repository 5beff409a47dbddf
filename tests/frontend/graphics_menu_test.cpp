// The Graphics menu in whole frames: its rows and notes, which changes are
// marked as needing a new window, and BACK, which builds that window (or
// ends the game when it cannot).
#include "frontend/graphics_menu.h"

#include "app/game_window.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/race_types.h"
#include "tests/support/game_fixture.h"
#include "tests/support/screen_view.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using screenView::Colour;

const char* const backNote = "SETTINGS WON'T TAKE AFFECT UNTIL YOU PRESS BACK";
const char* const skyNote = "TURNING THE SKY ON CAN SLOW DOWN THE GAME A LOT!";

// The files closing the window writes for the settings of these tests.
const char* const settingsAt1024 = "1003103804003703903200";
const char* const settingsAt320 = "1001103804003703903200";
const char* const windowedScores = "9999999900001is}is}is}is}0";

struct GraphicsMenuTest : GameTest {
    void SetUp() override
    {
        GameTest::SetUp();
        settings.resolutionIndex = 2;
        deriveWindowSize();
        settings.raceType = 1;
        useArrowKeysAndSpaceBar();
        for (int raceType = 1; raceType <= 4; ++raceType) {
            HighScoreEntry* entry = highScoreFor(raceType);
            entry->best = raceType == 1 ? 99 : raceType == 4 ? 1 : 999;
            for (int n = 1; n <= 3; ++n)
                entry->initials.set(n, '_');
        }
        openWindow(640, 480);
        openMenu();
    }

    // As the Options menu's GRAPHICS row opens it.
    static void openMenu()
    {
        screens.optionsShown = false;
        screens.graphicsShown = true;
        menu.currentItem = 1;
        menu.repeatDelay = 10;
        runFrames(10);
        ASSERT_EQ(menu.repeatDelay, 0);
    }

    // One frame with `key` down, then the menu's delay run out.
    static void press(int key)
    {
        holdKeyForAFrame(key);
        runFrames(10);
    }

    static bool windowRebuilt()
    {
        const auto& calls = testHooks::callLog();
        return std::count(calls.begin(), calls.end(), std::string("CreateWindowExA")) > 1;
    }

    static Colour rowColour(int row)
    {
        return row == menu.currentItem ? screenView::highlight(menu.menuClock) : screenView::grey;
    }

    static bool rowShows(const screenView::Frame& frame, int row, const std::string& text)
    {
        return screenView::compare(frame, text, -2.2f, 2.0f - row, rowColour(row)).shown();
    }

    static void pointAtBand(int band) { screenView::pointMouseAt(-0.5f, 2.0f - band); }
};

TEST_F(GraphicsMenuTest, ShowsTitleRowsAndTheBackNote)
{
    settings.fullscreen = false;
    settings.showSky = false;
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, "GRAPHICS", -1, 3, {0, 1, 0}).shown());
    // Each number right-aligned in four places after the format's space.
    EXPECT_TRUE(rowShows(frame, 1, "RESOLUTION:  640  480"));
    EXPECT_FALSE(rowShows(frame, 1, "RESOLUTION: 640 480"));
    EXPECT_TRUE(rowShows(frame, 2, "FULLSCREEN: OFF"));
    EXPECT_TRUE(rowShows(frame, 3, "SHOW SKY: OFF"));
    EXPECT_TRUE(rowShows(frame, 4, "BACK"));
    EXPECT_TRUE(screenView::compare(frame, backNote, -5.2f, -3.5f, {1, 0, 0}).shown());
    EXPECT_FALSE(screenView::compare(frame, skyNote, -5.1f, -3.0f, {0, 1, 1}).shown());
}

TEST_F(GraphicsMenuTest, TheSkyNoteShowsOnTheSkyRowOnly)
{
    menu.currentItem = 3;
    settings.showSky = true;
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, skyNote, -5.1f, -3.0f, {0, 1, 1}).shown());
    EXPECT_TRUE(rowShows(frame, 3, "SHOW SKY: ON"));
    EXPECT_TRUE(screenView::compare(frame, backNote, -5.2f, -3.5f, {1, 0, 0}).shown());

    // Down leaves the row: the note goes in that same frame.
    holdKeyForAFrame(VK_DOWN);
    frame = screenView::grab();
    EXPECT_FALSE(screenView::compare(frame, skyNote, -5.1f, -3.0f, {0, 1, 1}).shown());
}

TEST_F(GraphicsMenuTest, EnterOnResolutionStepsUpAndMarksAChange)
{
    press(VK_RETURN);
    EXPECT_EQ(settings.resolutionIndex, 3);
    EXPECT_TRUE(graphicsChanged);
    // The row shows the new size from the next frame on.
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(rowShows(frame, 1, "RESOLUTION: 1024  768"));
    EXPECT_FALSE(windowRebuilt());
}

TEST_F(GraphicsMenuTest, EnterAt1024x768ChangesAndMarksNothingAndBackGoesStraightBack)
{
    settings.resolutionIndex = 3;
    runFrames(1);
    press(VK_RETURN);
    EXPECT_EQ(settings.resolutionIndex, 3);
    EXPECT_FALSE(graphicsChanged);

    menu.currentItem = 4;
    press(VK_RETURN);
    EXPECT_FALSE(screens.graphicsShown);
    EXPECT_TRUE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 4);
    EXPECT_FALSE(windowRebuilt());
    EXPECT_FALSE(fileExists("Data/settings .tgx"));
    EXPECT_FALSE(fileExists("Data/data .tgx"));
}

TEST_F(GraphicsMenuTest, RightOnBackMarksAChangeThoughNothingChanged)
{
    menu.currentItem = 4;
    press(VK_RIGHT);
    EXPECT_TRUE(graphicsChanged);
    EXPECT_EQ(settings.resolutionIndex, 2);
    EXPECT_TRUE(screens.graphicsShown);
}

TEST_F(GraphicsMenuTest, LeftOnAnyRowMarksAChangeAndOnRowOneStopsAt320x240)
{
    menu.currentItem = 3;
    press(VK_LEFT);
    EXPECT_TRUE(graphicsChanged);
    EXPECT_EQ(settings.resolutionIndex, 2);

    menu.currentItem = 1;
    press(VK_LEFT);
    EXPECT_EQ(settings.resolutionIndex, 1);
    press(VK_LEFT);
    EXPECT_EQ(settings.resolutionIndex, 1);
    EXPECT_EQ(settings.windowWidth, 320);
    EXPECT_EQ(settings.windowHeight, 240);
}

TEST_F(GraphicsMenuTest, RightOnRowOneStopsAt1024x768)
{
    press(VK_RIGHT);
    press(VK_RIGHT);
    press(VK_RIGHT);
    EXPECT_EQ(settings.resolutionIndex, 3);
    EXPECT_EQ(settings.windowWidth, 1024);
}

TEST_F(GraphicsMenuTest, LeftAndRightWaitTenFramesAndLeftActsOncePerPress)
{
    holdKeyForAFrame(VK_RIGHT);
    EXPECT_EQ(settings.resolutionIndex, 3);
    EXPECT_EQ(menu.repeatDelay, 10);
    // The keyboard's auto-repeat sets Left again before every frame.
    for (int frame = 0; frame < 9; ++frame) {
        pressKey(VK_LEFT);
        runFrames(1);
    }
    EXPECT_EQ(settings.resolutionIndex, 3);
    pressKey(VK_LEFT);
    runFrames(1);
    EXPECT_EQ(settings.resolutionIndex, 2);

    // Without a new key-down the Left entry is gone after its frame: the
    // size steps no further however long the key is held.
    runFrames(30);
    EXPECT_EQ(settings.resolutionIndex, 2);
    releaseKey(VK_LEFT);
}

TEST_F(GraphicsMenuTest, ARightClickActsAsLeftOnTheRowUnderIt)
{
    pointAtBand(2);
    pressRightButton();
    runFrames(1);
    releaseRightButton();
    EXPECT_EQ(menu.currentItem, 2);
    EXPECT_TRUE(graphicsChanged);
    EXPECT_EQ(settings.resolutionIndex, 2);
    EXPECT_FALSE(settings.fullscreen);

    runFrames(10);
    pointAtBand(1);
    pressRightButton();
    runFrames(1);
    releaseRightButton();
    EXPECT_EQ(menu.currentItem, 1);
    EXPECT_EQ(settings.resolutionIndex, 1);
}

TEST_F(GraphicsMenuTest, ToggleFullscreenMarksAChange)
{
    menu.currentItem = 2;
    press(VK_RETURN);
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_TRUE(graphicsChanged);
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(rowShows(frame, 2, "FULLSCREEN: ON"));
    press(VK_RETURN);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_TRUE(graphicsChanged);
}

TEST_F(GraphicsMenuTest, OnlyShowSkyToggledBuildsNoNewWindow)
{
    menu.currentItem = 3;
    settings.showSky = false;
    press(VK_RETURN);
    EXPECT_TRUE(settings.showSky);
    EXPECT_FALSE(graphicsChanged);

    menu.currentItem = 4;
    press(VK_RETURN);
    EXPECT_TRUE(settings.showSky);
    EXPECT_TRUE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 4);
    EXPECT_FALSE(windowRebuilt());
    EXPECT_FALSE(fileExists("Data/settings .tgx"));
}

TEST_F(GraphicsMenuTest, BackWithAChangeBuildsTheWindowAtTheNewSizeAndSavesBothFiles)
{
    press(VK_RIGHT);
    ASSERT_EQ(settings.resolutionIndex, 3);

    menu.currentItem = 4;
    pressLeftButton();  // held from the click that chose BACK
    holdKeyForAFrame(VK_RETURN);

    EXPECT_FALSE(input.leftButtonDown);
    EXPECT_FALSE(graphicsChanged);
    EXPECT_FALSE(screens.graphicsShown);
    EXPECT_TRUE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 4);
    EXPECT_TRUE(windowRebuilt());
    ASSERT_NE(gameWindow.renderingContext, nullptr);

    RECT client{};
    ASSERT_TRUE(GetClientRect(gameWindow.window, &client));
    EXPECT_EQ(client.right - client.left, 1024);
    EXPECT_EQ(client.bottom - client.top, 768);
    EXPECT_EQ(readFile("Data/settings .tgx"), settingsAt1024);
    EXPECT_EQ(readFile("Data/data .tgx"), windowedScores);

    // The desktop mode was restored between the two windows.
    const auto& calls = testHooks::callLog();
    auto destroyed = std::find(calls.begin(), calls.end(), std::string("DestroyWindow"));
    ASSERT_NE(destroyed, calls.end());
    auto restored = std::find(destroyed, calls.end(), std::string("ChangeDisplaySettingsA"));
    auto created = std::find(destroyed, calls.end(), std::string("CreateWindowExA"));
    EXPECT_LT(restored, created);

    // The game goes on in the new window: the Options menu is drawn there.
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_EQ(frame.width, 1024);
    EXPECT_TRUE(
        screenView::compare(frame, "GRAPHICS", -2.2f, -2.0f, screenView::highlight(menu.menuClock))
            .shown());
    releaseLeftButton();
}

TEST_F(GraphicsMenuTest, AChangeSurvivesEscapeAndALaterBackAppliesIt)
{
    menu.currentItem = 4;
    press(VK_LEFT);
    ASSERT_TRUE(graphicsChanged);
    press(VK_ESCAPE);
    EXPECT_FALSE(screens.graphicsShown);
    EXPECT_TRUE(graphicsChanged);
    EXPECT_FALSE(windowRebuilt());

    openMenu();
    menu.currentItem = 1;
    press(VK_LEFT);
    ASSERT_EQ(settings.resolutionIndex, 1);
    menu.currentItem = 4;
    press(VK_RETURN);
    EXPECT_TRUE(windowRebuilt());
    RECT client{};
    ASSERT_TRUE(GetClientRect(gameWindow.window, &client));
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    EXPECT_EQ(readFile("Data/settings .tgx"), settingsAt320);
}

TEST_F(GraphicsMenuTest, AResolutionIndexOfZeroBecomesThree)
{
    settings.resolutionIndex = 0;
    runFrames(1);
    EXPECT_EQ(settings.resolutionIndex, 3);
    EXPECT_EQ(settings.windowWidth, 1024);
    EXPECT_EQ(settings.windowHeight, 768);
}

TEST_F(GraphicsMenuTest, AResolutionIndexOfSevenBecomesOne)
{
    settings.resolutionIndex = 7;
    runFrames(1);
    EXPECT_EQ(settings.resolutionIndex, 1);
    EXPECT_EQ(settings.windowWidth, 320);
    EXPECT_EQ(settings.windowHeight, 240);
}

TEST_F(GraphicsMenuTest, AFailedRebuildEndsTheGameAfterItsMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    press(VK_RIGHT);
    menu.currentItem = 4;
    EXPECT_EXIT(
        {
            // The child's own folder goes with it.
            std::atexit(leaveTempGameFolder);
            testHooks::answerMessageBoxes([](const MessageBoxRecord& box) {
                const bool saved = readFile("Data/settings .tgx") == settingsAt1024 &&
                                   readFile("Data/data .tgx") == windowedScores;
                std::fprintf(stderr, "box %s: %s (%s)\n", box.caption.c_str(), box.text.c_str(),
                             saved ? "files saved" : "files NOT saved");
                return IDOK;
            });
            testHooks::failCall(PlatformCall::CreateWindow);
            pressKey(VK_RETURN);
            runFrames(1);
            std::fprintf(stderr, "the frame went on\n");
            runFrames(1);
            std::fprintf(stderr, "the game went on\n");
        },
        ::testing::ExitedWithCode(1),
        // Nothing was drawn or said after the message.
        "box ERROR: Window Creation Error\\. \\(files saved\\)\n$");
}

}  // namespace
