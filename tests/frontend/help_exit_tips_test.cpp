// The help screen over the menus, the exit screen after QUIT, and the tip
// of the day, in whole frames.
#include "frontend/help_exit_tips.h"

#include "app/win_main.h"
#include "game/app_state.h"
#include "game/input.h"
#include "game/random.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "tests/support/game_fixture.h"
#include "tests/support/screen_view.h"

#include <algorithm>
#include <set>
#include <string>

namespace {

using screenView::Colour;

struct HelpLine {
    Colour colour;
    float y;
    const char* text;
};

const HelpLine helpLines[9] = {
    {{1, 1, 0}, 3.3f, "On the race types Short, Medium, and Hard, the goal is to fill up"},
    {{1, 1, 0.3f}, 2.7f, "the red bar on the right. The bar will fill up faster the faster"},
    {{1, 1, 0.4f}, 2.1f, "you go. If you hit a shape, your bar will drop down. If your bar"},
    {{1, 1, 0.7f}, 1.5f, "drops all the way down, you crash and die. When you reach the end,"},
    {{1, 1, 1}, 0.9f, "you want to have the lowest score."},
    {{1, 1, 1}, -0.5f, "If you are playing Journey, the goal is to survive as long as"},
    {{1, 0.7f, 1}, -1.1f, "possible. You cannot speed up, but one touch of a shape will kill you."},
    {{1, 1, 1}, -2.5f, "BOMBS:   Bombs are used on Medium and Long races. Using a bomb"},
    {{0.7f, 1, 1}, -3.1f, "will clear an area in front of your ship of triangles."},
};

// Index 10 and 16 are ours: tutorial web sites in our own words.
const char* const tips[21] = {
    "Don't hit shapes!",
    "Warcraft III is a much better game than this!",
    "On the race modes (Short, Medium and Long), speed up as high as you can without hitting "
    "anything",
    "On Journey, don't hit anything!",
    "Water tastes good!",
    "Use Bombs only when you're stuck!",
    "Lok tar o'gar my warriors!",
    "Made by Kelvorn!",
    "If Trigonix is running slowly, turn off the sky, or get a real graphics card!",
    "Smile!",
    nullptr,
    "PCGamer rocks!",
    "Aragorn gave Trigonix a 2 thumbs up!",
    "\"You shall not pass!\"",
    "Don't pet burning cats!",
    "Arthas is a fool!",
    nullptr,
    "School bus exhaust kills!",
    "E-A-G-L-E-S!",
    "A squared plus B squared equals C squared!",
    "The Dragon is Reborn!",
};

const char* const farewell = "Thanks for playing Trigonix!";
const char* const leaveHint = "Press ENTER to leave.";

struct HelpExitTipsTest : GameTest {
    void SetUp() override
    {
        GameTest::SetUp();
        settings.resolutionIndex = 2;
        settings.raceType = 1;
        openWindow(640, 480);
        runFrames(1);
    }

    // As the main menu's QUIT leaves things.
    static void showExitScreen()
    {
        menu.menuClock = 0.0f;
        screens.exitScreenShown = true;
        input.keys[VK_RETURN] = false;
    }

    static void pointAtBand(int band) { screenView::pointMouseAt(-0.5f, 2.0f - band); }
};

TEST_F(HelpExitTipsTest, F2OverOptionsShowsHelpAndEscapeGoesBackToTheSameRow)
{
    screens.optionsShown = true;
    menu.currentItem = 3;
    runFrames(1);
    holdKeyForAFrame(VK_F2);
    EXPECT_TRUE(screens.helpShown);
    runFrames(1);

    screenView::Frame frame = screenView::grab();
    for (const HelpLine& line : helpLines)
        EXPECT_TRUE(screenView::compare(frame, line.text, -5.0f, line.y, line.colour).shown())
            << line.text;
    // The menu beneath is neither drawn nor handled.
    EXPECT_FALSE(screenView::compare(frame, "OPTIONS", -1, 3, {0, 1, 0}).shown());
    holdKeyForAFrame(VK_RETURN);
    EXPECT_FALSE(screens.controlsShown);
    EXPECT_TRUE(screens.optionsShown);

    holdKeyForAFrame(VK_ESCAPE);
    EXPECT_FALSE(screens.helpShown);
    EXPECT_TRUE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 3);
    runFrames(1);
    frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, "OPTIONS", -1, 3, {0, 1, 0}).shown());
    EXPECT_TRUE(
        screenView::compare(frame, "CONTROLS", -2.2f, -1.0f, screenView::highlight(menu.menuClock))
            .shown());
    EXPECT_FALSE(
        screenView::compare(frame, helpLines[0].text, -5.0f, helpLines[0].y, helpLines[0].colour)
            .shown());
}

TEST_F(HelpExitTipsTest, HelpStandsOverTheExitScreenAndHoldsItsEnter)
{
    showExitScreen();
    runFrames(1);
    holdKeyForAFrame(VK_F2);
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(
        screenView::compare(frame, helpLines[8].text, -5.0f, helpLines[8].y, helpLines[8].colour)
            .shown());
    EXPECT_FALSE(screenView::compareCentred(frame, farewell, 0.5f, {0, 1, 1}).shown());
    holdKeyForAFrame(VK_RETURN);
    EXPECT_FALSE(app.quitRequested);
}

TEST_F(HelpExitTipsTest, TheEnterThatChoseQuitDoesNotEndTheGameTheNextOneDoes)
{
    settings.soundOn = true;
    menu.currentItem = 4;
    menu.repeatDelay = 0;
    holdKeyForAFrame(VK_RETURN);
    ASSERT_TRUE(screens.exitScreenShown);
    EXPECT_FALSE(app.quitRequested);
    runFrames(5);
    EXPECT_FALSE(app.quitRequested);
    const size_t soundsBefore = testHooks::soundsRequested().size();

    // The delay set by the choice does not hold the exit screen's Enter back.
    menu.repeatDelay = 30;
    holdKeyForAFrame(VK_RETURN);
    EXPECT_TRUE(app.quitRequested);
    const auto& sounds = testHooks::soundsRequested();
    ASSERT_EQ(sounds.size(), soundsBefore + 1);
    EXPECT_TRUE(sounds.back() == "Data/Bleep.wav" || sounds.back() == "Data/Bleep2.wav")
        << sounds.back();
}

TEST_F(HelpExitTipsTest, TheExitScreenShowsTheFarewellCentredAndNoMenu)
{
    showExitScreen();
    runFrames(2);
    EXPECT_FALSE(app.quitRequested);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(screenView::compareCentred(frame, farewell, 0.5f, {0, 1, 1}).shown());
    EXPECT_TRUE(screenView::compareCentred(frame, leaveHint, -0.5f, {1, 0, 1}).shown());
    EXPECT_FALSE(
        screenView::compare(frame, "QUIT", -2.2f, -2.0f, screenView::highlight(menu.menuClock))
            .shown());

    // Centred in fact, not only as we print it: the cyan line's pixels lie
    // evenly about the middle of the window.
    const int baseline = screenView::project(screenView::frontEndFrame(), 0.0f, 0.5f).y;
    int left = frame.width;
    int right = -1;
    for (int y = baseline - 19; y <= baseline + 7; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            if (isColour(screenView::pixelOf(frame, x, y), 0, 255, 255, 0)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    ASSERT_GT(right, left);
    EXPECT_GT(right - left, 150);
    EXPECT_NEAR((left + right) / 2.0, 320.0, 4.0);
}

TEST_F(HelpExitTipsTest, SilentWithSoundOffTheExitScreenStillEndsTheGame)
{
    settings.soundOn = false;
    showExitScreen();
    runFrames(1);
    holdKeyForAFrame(VK_RETURN);
    EXPECT_TRUE(app.quitRequested);
    EXPECT_TRUE(testHooks::soundsRequested().empty());
}

TEST_F(HelpExitTipsTest, AClickStillHeldOverABandEndsTheGame)
{
    showExitScreen();
    runFrames(1);
    pointAtBand(2);
    pressLeftButton();
    runFrames(1);
    releaseLeftButton();
    EXPECT_TRUE(app.quitRequested);
}

TEST_F(HelpExitTipsTest, TIsIgnoredInFullScreen)
{
    closeGameWindow();
    windowOpen = false;
    DisplaySize display = displaySize();
    openWindow(display.width, display.height, true);
    ASSERT_TRUE(settings.fullscreen);
    runFrames(1);
    holdKeyForAFrame('T');
    runFrames(2);
    EXPECT_TRUE(testHooks::messageBoxes().empty());
}

TEST_F(HelpExitTipsTest, TIsIgnoredInARace)
{
    screens.frontEnd = false;
    runFrames(1);
    holdKeyForAFrame('T');
    runFrames(2);
    EXPECT_TRUE(testHooks::messageBoxes().empty());
}

TEST_F(HelpExitTipsTest, TIsIgnoredInNameEntry)
{
    screens.frontEnd = false;
    screens.nameEntryShown = true;
    runFrames(1);
    holdKeyForAFrame('T');
    EXPECT_TRUE(testHooks::messageBoxes().empty());
}

TEST_F(HelpExitTipsTest, TShowsTheTipThatRandChooses)
{
    std::set<int> seen;
    for (unsigned seed = 1; seen.size() < 21 && seed < 5000; ++seed) {
        seedGameRandom(seed);
        const int index = gameRandom() % 21;
        seedGameRandom(seed);
        const size_t before = testHooks::messageBoxes().size();
        holdKeyForAFrame('T');
        const auto& boxes = testHooks::messageBoxes();
        ASSERT_EQ(boxes.size(), before + 1) << "seed " << seed;
        const MessageBoxRecord& box = boxes.back();
        EXPECT_EQ(box.caption, "Tip of the day!");
        EXPECT_EQ(box.style, MB_ICONINFORMATION);
        EXPECT_EQ(box.owner, nullptr);
        if (tips[index] != nullptr) {
            EXPECT_EQ(box.text, tips[index]) << "index " << index;
        } else {
            EXPECT_NE(box.text.find("tutorial"), std::string::npos) << box.text;
            EXPECT_NE(box.text.find("web site"), std::string::npos) << box.text;
        }
        seen.insert(index);
    }
    EXPECT_EQ(seen.size(), 21u);
}

TEST_F(HelpExitTipsTest, TheTwoTutorialTipsDiffer)
{
    std::set<std::string> tutorialTips;
    for (unsigned seed = 1; tutorialTips.size() < 2 && seed < 5000; ++seed) {
        seedGameRandom(seed);
        const int index = gameRandom() % 21;
        if (index != 10 && index != 16)
            continue;
        seedGameRandom(seed);
        holdKeyForAFrame('T');
        tutorialTips.insert(testHooks::messageBoxes().back().text);
    }
    EXPECT_EQ(tutorialTips.size(), 2u);
}

TEST_F(HelpExitTipsTest, HoldingTShowsOneTip)
{
    pressKey('T');
    runFrames(5);
    releaseKey('T');
    EXPECT_EQ(testHooks::messageBoxes().size(), 1u);
    EXPECT_FALSE(isKeyDown('T'));
}

}  // namespace
