// The menu mechanism shared by every front-end screen: keyboard
// navigation, the mouse resolved to rows, the highlight and the marker, the
// backdrop with its moon, hints, music key and cursor, and the frame order.
#include "frontend/menu.h"

#include "app/game_window.h"
#include "game/input.h"
#include "game/random.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "platform/cursor.h"
#include "race/race.h"
#include "render/bitmap.h"
#include "tests/support/game_fixture.h"
#include "tests/support/screen_view.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

// Window sizes show in the test names as 640x480.
static void PrintTo(const DisplaySize& size, std::ostream* out)
{
    *out << size.width << "x" << size.height;
}

namespace {

using screenView::Colour;
using screenView::grey;

constexpr Colour hintColour{0.5f, 0.5f, 1.0f};

const char* const mainRows[4] = {"SINGLE PLAYER", "OPTIONS", "HIGH SCORES", "QUIT"};

// The middle of the pick band laid over row `band`.
void pointAtBand(int band) { screenView::pointMouseAt(-0.55, 2.0 - band); }

int countSounds(const std::string& name)
{
    const auto& sounds = testHooks::soundsRequested();
    return static_cast<int>(std::count(sounds.begin(), sounds.end(), name));
}

std::string bleepFor(int r) { return r % 2 == 1 ? "Data/Bleep.wav" : "Data/Bleep2.wav"; }

struct MenuTest : GameTest {
    void SetUp() override
    {
        GameTest::SetUp();
        testHooks::fixClock(1000);
        openWindow(640, 480);
        settings.raceType = RaceType::SHORT;
    }

    // The frame numbers (1-based) in which currentItem changed, and to what.
    std::vector<std::pair<int, int>> itemChanges(int frames)
    {
        std::vector<std::pair<int, int>> changes;
        for (int frame = 1; frame <= frames; ++frame) {
            int before = menu.currentItem;
            runFrames(1);
            if (menu.currentItem != before)
                changes.emplace_back(frame, menu.currentItem);
        }
        return changes;
    }
};

// --- Keyboard navigation -----------------------------------------------------

TEST_F(MenuTest, HoldingUpMovesOneRowEveryTenFramesAndWrapsFromTheFirstRowToTheLast)
{
    pressKey(VK_UP);
    auto changes = itemChanges(40);
    std::vector<std::pair<int, int>> expected{{1, 4}, {11, 3}, {21, 2}, {31, 1}};
    EXPECT_EQ(changes, expected);
}

TEST_F(MenuTest, HoldingDownWrapsFromTheLastRowToTheFirst)
{
    menu.currentItem = 3;
    pressKey(VK_DOWN);
    auto changes = itemChanges(21);
    std::vector<std::pair<int, int>> expected{{1, 4}, {11, 1}, {21, 2}};
    EXPECT_EQ(changes, expected);
}

TEST_F(MenuTest, UpAndDownHeldTogetherMoveUp)
{
    menu.currentItem = 3;
    pressKey(VK_DOWN);
    pressKey(VK_UP);
    auto changes = itemChanges(11);
    std::vector<std::pair<int, int>> expected{{1, 2}, {11, 1}};
    EXPECT_EQ(changes, expected);
}

TEST_F(MenuTest, AFiveRowMenuWrapsAtFive)
{
    screens.optionsShown = true;
    menu.currentItem = 1;
    pressKey(VK_UP);
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 5);
    releaseKey(VK_UP);
    pressKey(VK_DOWN);
    runFrames(10);
    EXPECT_EQ(menu.currentItem, 1);
}

TEST_F(MenuTest, TheMarkerStandsBesideTheRowThatWasCurrentBeforeThisFramesKeys)
{
    menu.menuClock = 30.0f;
    holdKeyForAFrame(VK_DOWN);
    ASSERT_EQ(menu.currentItem, 2);
    screenView::Frame frame = screenView::grab();
    Colour highlight = screenView::highlight(menu.menuClock);
    // The torus turns about (−3.5, row height, −2).
    EXPECT_GT(screenView::markerPixels(frame, 1.0, highlight), 10);
    EXPECT_EQ(screenView::markerPixels(frame, 0.0, highlight), 0);

    runFrames(1);
    frame = screenView::grab();
    highlight = screenView::highlight(menu.menuClock);
    EXPECT_EQ(screenView::markerPixels(frame, 1.0, highlight), 0);
    EXPECT_GT(screenView::markerPixels(frame, 0.0, highlight), 10);
}

TEST_F(MenuTest, OnTheControlsMenuTheMarkerFollowsItsCloserRows)
{
    menu.menuClock = 30.0f;
    screens.controlsShown = true;
    // Rows 1 to 5 stand half a unit apart from 2 down; 6 to 8 lower.
    for (auto [item, y, elsewhere] :
         {std::tuple{2, 1.5, 0.0}, std::tuple{7, -1.25, -5.0}, std::tuple{4, 0.5, -2.0}}) {
        menu.currentItem = item;
        runFrames(1);
        ASSERT_EQ(menu.currentItem, item);
        screenView::Frame frame = screenView::grab();
        const Colour highlight = screenView::highlight(menu.menuClock);
        EXPECT_GT(screenView::markerPixels(frame, y, highlight), 10) << "item " << item;
        EXPECT_EQ(screenView::markerPixels(frame, elsewhere, highlight), 0) << "item " << item;
    }
}

TEST_F(MenuTest, TheHighScoreScreenHasNoMarker)
{
    menu.menuClock = 30.0f;
    screens.highScoresShown = true;
    menu.currentItem = 3;
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    Colour highlight = screenView::highlight(menu.menuClock);
    for (int row = 1; row <= 5; ++row)
        EXPECT_EQ(screenView::markerPixels(frame, 2.0 - row, highlight), 0) << "row " << row;
}

// --- Picking -----------------------------------------------------------------

struct PickingTest : MenuTest, ::testing::WithParamInterface<DisplaySize> {
    void SetUp() override
    {
        GameTest::SetUp();
        testHooks::fixClock(1000);
        openWindow(GetParam().width, GetParam().height);
        settings.raceType = RaceType::SHORT;
    }
};

TEST_P(PickingTest, HoveringOverEachRowHighlightsIt)
{
    for (int row : {3, 1, 4, 2}) {
        pointAtBand(row);
        runFrames(1);
        EXPECT_EQ(menu.currentItem, row);
    }
    EXPECT_FALSE(screens.optionsShown || screens.highScoresShown || screens.exitScreenShown);
    EXPECT_TRUE(screens.frontEnd);
}

TEST_P(PickingTest, TheBandsReachFromTheRowsLeftEdgeToJustPastTheirMiddle)
{
    menu.currentItem = 4;
    screenView::pointMouseAt(-2.35, 1.0);  // left of the rows
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 4);
    screenView::pointMouseAt(1.25, 1.0);  // right of the band
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 4);
    screenView::pointMouseAt(-2.1, 1.0);
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 1);
    screenView::pointMouseAt(1.0, 0.0);
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 2);
    // Each band reaches half a row above and below its row.
    screenView::pointMouseAt(-0.5, 0.6);
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 1);
    screenView::pointMouseAt(-0.5, 0.4);
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 2);
    screenView::pointMouseAt(-0.5, 1.6);  // above the first band
    menu.currentItem = 3;
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 3);
}

TEST_P(PickingTest, AHeldLeftButtonActsAsEnterOnTheRowUnderTheCursor)
{
    pointAtBand(2);
    pressLeftButton();
    runFrames(1);
    EXPECT_TRUE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 1) << "the Options menu opens on its first row";
}

TEST_P(PickingTest, AClickInTheBandBelowQuitStartsARace)
{
    race.raceFrames = 500;
    pointAtBand(5);
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 1) << "band 5 wraps to the first row of a four-row menu";
    EXPECT_TRUE(screens.frontEnd);

    pressLeftButton();
    runFrames(1);
    EXPECT_FALSE(screens.frontEnd);
    EXPECT_LE(race.raceFrames, 1) << "the race was started and its first frame drawn";
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, PickingTest,
                         ::testing::Values(DisplaySize{640, 480}, DisplaySize{320, 240},
                                           DisplaySize{1024, 768}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height);
                         });

TEST_F(MenuTest, WithTheMouseStillAndNoButtonHeldPickingDoesNotRun)
{
    pointAtBand(3);
    runFrames(1);
    ASSERT_EQ(menu.currentItem, 3);

    holdKeyForAFrame(VK_UP);
    EXPECT_EQ(menu.currentItem, 2);
    runFrames(15);
    EXPECT_EQ(menu.currentItem, 2) << "the cursor still over row 3 does not take it back";

    // Moving it, even within the same row, picks again.
    screenView::pointMouseAt(-1.0, -1.0);
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 3);
}

TEST_F(MenuTest, AHeldButtonPicksWithoutTheMouseMoving)
{
    pointAtBand(4);
    runFrames(1);
    menu.currentItem = 1;  // as if the keyboard had moved it since
    screens.optionsShown = true;
    pressRightButton();
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 4);
}

TEST_F(MenuTest, KeepingTheLeftButtonDownSelectsAgainEachTimeTheDelayRunsOut)
{
    screens.optionsShown = true;
    settings.raceType = RaceType::SHORT;
    pointAtBand(1);
    pressLeftButton();
    std::vector<int> types;
    for (int frame = 1; frame <= 21; ++frame) {
        runFrames(1);
        types.push_back(settings.raceType);
    }
    // Steps in frames 1, 11 and 21.
    EXPECT_EQ(types[0], 2);
    EXPECT_EQ(types[9], 2);
    EXPECT_EQ(types[10], 3);
    EXPECT_EQ(types[19], 3);
    EXPECT_EQ(types[20], 4);
}

TEST_F(MenuTest, OnTheControlsScreenBandsTwoToFourSelectItemsSixToEightAndBandOneNothing)
{
    // The pick alone, in the front-end frame.
    screens.controlsShown = true;
    menu.currentItem = 3;
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -10.0f);
    pointAtBand(1);
    input.leftButtonDown = true;
    pickMenuItem();
    EXPECT_EQ(menu.currentItem, 3);
    EXPECT_FALSE(input.keys[VK_RETURN]) << "band 1 does not count at all there";

    for (int band = 2; band <= 5; ++band) {
        pointAtBand(band);
        input.keys[VK_RETURN] = false;
        pickMenuItem();
        EXPECT_EQ(menu.currentItem, band + 4);
        EXPECT_TRUE(input.keys[VK_RETURN]);
    }
    input.leftButtonDown = false;
}

TEST_F(MenuTest, ARightButtonOverABandSetsTheLeftArrowAndALeftButtonEnter)
{
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -10.0f);
    pointAtBand(3);
    input.rightButtonDown = true;
    pickMenuItem();
    EXPECT_EQ(menu.currentItem, 3);
    EXPECT_TRUE(input.keys[VK_LEFT]);
    EXPECT_FALSE(input.keys[VK_RETURN]);

    input.keys[VK_LEFT] = false;
    input.rightButtonDown = false;
    screenView::pointMouseAt(4.0, 3.0);  // over no band
    input.leftButtonDown = true;
    pickMenuItem();
    EXPECT_EQ(menu.currentItem, 3);
    EXPECT_FALSE(input.keys[VK_RETURN]);
    input.leftButtonDown = false;
}

// --- Colours -----------------------------------------------------------------

TEST_F(MenuTest, TheCurrentRowIsDrawnInTheHighlightColourOfItsFrameAndTheOthersInGrey)
{
    // One clock with every component in range, one where two clamp to 0.
    for (float clock : {30.0f, 70.0f}) {
        menu.menuClock = clock - 0.1f;
        menu.currentItem = 2;
        runFrames(1);
        screenView::Frame frame = screenView::grab();
        Colour highlight = screenView::highlight(menu.menuClock);
        for (int row = 1; row <= 4; ++row) {
            const float y = 2.0f - row;
            const Colour expected = row == 2 ? highlight : grey;
            const Colour other = row == 2 ? grey : highlight;
            EXPECT_TRUE(screenView::compare(frame, mainRows[row - 1], -2.2f, y, expected).shown())
                << "row " << row << " at clock " << clock;
            EXPECT_EQ(screenView::linePixels(frame, -2.2f, y, other), 0) << "row " << row;
        }
    }
}

TEST_F(MenuTest, TheHighlightColourFollowsTheClockFromCyanThroughMagenta)
{
    EXPECT_TRUE(isColour(screenView::stored(screenView::highlight(0.0f)), 0, 255, 255, 0));
    menu.menuClock = 0.0f;
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_GT(screenView::linePixels(frame, -2.2f, 1.0f, screenView::highlight(0.1f)), 50);
    // At 31.4 sine and cosine have turned to (1, 0): the row is magenta-ish.
    menu.menuClock = 31.3f;
    runFrames(1);
    frame = screenView::grab();
    Colour highlight = screenView::highlight(menu.menuClock);
    EXPECT_TRUE(isColour(screenView::stored(highlight), 255, 0, 235, 2));
    EXPECT_GT(screenView::linePixels(frame, -2.2f, 1.0f, highlight), 50);
}

TEST_F(MenuTest, TheMoonIsDrawnWithItsPicture)
{
    menu.menuClock = 40.0f;
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_FLOAT_EQ(moon.x, 9.0f - 0.1f * menu.menuClock);

    RgbImage* picture = loadBitmapFile("Data/moon.bmp");
    ASSERT_NE(picture, nullptr);
    auto texel = [&](int i, int j) {
        i = std::clamp(i, 0, picture->width - 1);
        j = std::clamp(j, 0, picture->height - 1);
        const unsigned char* p =
            picture->pixels + (static_cast<size_t>(j) * picture->width + i) * 3;
        return Rgb{p[0], p[1], p[2]};
    };
    int checked = 0;
    int lit = 0;
    for (double s : {0.3, 0.45, 0.5, 0.62, 0.7}) {
        for (double t : {0.3, 0.5, 0.58, 0.7}) {
            // Texture s runs from the quad's right edge to its left.
            const screenView::Point p = screenView::project(
                screenView::frontEndFrame(), static_cast<float>(moon.x + 1.0 - 2.0 * s),
                static_cast<float>(moon.y - 1.0 + 2.0 * t), -2.0f);
            Rgb shown = screenView::pixelOf(frame, p.x, p.y);
            // Between the darkest and brightest texels around that spot.
            const int ci = static_cast<int>(s * picture->width);
            const int cj = static_cast<int>(t * picture->height);
            Rgb low{255, 255, 255}, high{0, 0, 0};
            for (int dj = -2; dj <= 2; ++dj) {
                for (int di = -2; di <= 2; ++di) {
                    Rgb c = texel(ci + di, cj + dj);
                    low = Rgb{std::min(low.r, c.r), std::min(low.g, c.g), std::min(low.b, c.b)};
                    high = Rgb{std::max(high.r, c.r), std::max(high.g, c.g), std::max(high.b, c.b)};
                }
            }
            EXPECT_TRUE(shown.r >= low.r - 4 && shown.r <= high.r + 4 && shown.g >= low.g - 4 &&
                        shown.g <= high.g + 4 && shown.b >= low.b - 4 && shown.b <= high.b + 4)
                << "s " << s << " t " << t << ": " << shown.r << "," << shown.g << "," << shown.b;
            EXPECT_FALSE(isColour(shown, 255, 255, 255, 10));
            ++checked;
            if (shown.r + shown.g + shown.b > 150)
                ++lit;
        }
    }
    EXPECT_EQ(checked, 20);
    EXPECT_GT(lit, 15) << "the disc of the moon is bright";
    std::free(picture->pixels);
    std::free(picture);
}

TEST_F(MenuTest, TheMoonDriftsLeftAHundredthOfAUnitAFrameAndBobsBetweenTwoAndAHalfAndThreeAndAHalf)
{
    menu.menuClock = 50.0f;
    runFrames(1);
    float x = moon.x;
    EXPECT_FLOAT_EQ(x, 9.0f - 0.1f * menu.menuClock);
    const float c = menu.menuClock;
    EXPECT_NEAR(moon.y, 2.5f + std::sin(0.02f * c) * std::sin(0.02f * c), 1e-5);
    runFrames(10);
    EXPECT_NEAR(moon.x, x - 0.1f, 1e-3);
    for (int i = 0; i < 200; ++i) {
        runFrames(1);
        EXPECT_GE(moon.y, 2.5f);
        EXPECT_LE(moon.y, 3.5f);
    }
}

TEST_F(MenuTest, TheMoonJumpsBackOnceItHasPassedTheLeftEdgeAndTheHighlightRestartsFromCyan)
{
    menu.menuClock = 169.5f;
    float previousX = 0.0f;
    float previousClock = 0.0f;
    bool jumped = false;
    for (int frame = 0; frame < 20 && !jumped; ++frame) {
        previousX = moon.x;
        previousClock = menu.menuClock;
        runFrames(1);
        jumped = moon.x > 0.0f;
        if (!jumped) {
            EXPECT_LT(moon.x, -7.9f);
        }
    }
    ASSERT_TRUE(jumped);
    EXPECT_LT(previousX, -8.0f) << "it jumps in the first frame after it has passed x = -8";
    EXPECT_GT(previousClock, 170.0f);
    EXPECT_LT(previousClock, 170.2f);
    EXPECT_EQ(menu.menuClock, 0.0f);
    EXPECT_EQ(moon.x, 9.0f);
    EXPECT_EQ(moon.y, 2.5f);

    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, "SINGLE PLAYER", -2.2f, 1.0f, Colour{0, 1, 1}).shown());

    runFrames(1);
    EXPECT_FLOAT_EQ(menu.menuClock, 0.1f);
}

TEST_F(MenuTest, TheTipHintIsShownOnlyInAWindowTheHelpHintAlways)
{
    // The very first frame prints the hints before anything has unbound the
    // last picture loaded; from the second on they are untextured.
    runFrames(2);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(
        screenView::compare(frame, "Press F2 to veiw the help file.", -5.3f, -4.0f, hintColour)
            .shown());
    EXPECT_TRUE(
        screenView::compare(frame, "Press 'T' to see the tip of the day!", 0.0f, -4.0f, hintColour)
            .shown());

    settings.fullscreen = true;
    runFrames(1);
    frame = screenView::grab();
    EXPECT_TRUE(
        screenView::compare(frame, "Press F2 to veiw the help file.", -5.3f, -4.0f, hintColour)
            .shown());
    EXPECT_EQ(screenView::linePixels(frame, 0.0f, -4.0f, hintColour), 0);
}

TEST_F(MenuTest, TheBackdropAloneAsksForTheWaltzRaisesTheCursorAndDrawsTheHintsAndTheMoon)
{
    runFrames(2);
    while (testHooks::cursorCounter() > -1)
        ShowCursor(FALSE);
    menu.menuClock = 60.0f;
    pressKey('S');
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -10.0f);
    drawFrontEndBackdrop();
    releaseKey('S');

    EXPECT_EQ(countSounds("Data/Waltz.mid"), 1);
    EXPECT_EQ(testHooks::cursorCounter(), 0);
    EXPECT_FLOAT_EQ(moon.x, 3.0f);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(
        screenView::compare(frame, "Press F2 to veiw the help file.", -5.3f, -4.0f, hintColour)
            .shown());
    const screenView::Point centre =
        screenView::project(screenView::frontEndFrame(), moon.x, moon.y, -2.0f);
    Rgb middle = screenView::pixelOf(frame, centre.x, centre.y);
    EXPECT_GT(middle.r + middle.g + middle.b, 150) << "the moon's bright disc";
}

// --- Sounds ------------------------------------------------------------------

TEST_F(MenuTest, HoldingSAsksForTheWaltzEveryFrameEvenWithSoundOff)
{
    settings.soundOn = false;
    pressKey('S');
    runFrames(3);
    EXPECT_EQ(countSounds("Data/Waltz.mid"), 3);
    releaseKey('S');
    runFrames(2);
    EXPECT_EQ(countSounds("Data/Waltz.mid"), 3);

    settings.soundOn = true;
    screens.optionsShown = true;  // on every front-end screen
    pressKey('S');
    runFrames(2);
    EXPECT_EQ(countSounds("Data/Waltz.mid"), 5);
    EXPECT_EQ(testHooks::soundsRequested().size(), 5u);
}

TEST_F(MenuTest, TheBleepIsChosenByWhetherRandIsOdd)
{
    settings.soundOn = true;
    screens.optionsShown = true;
    // One seed whose first number is odd, one whose first is even.
    std::vector<unsigned> seeds;
    for (unsigned seed = 1; seeds.size() < 2; ++seed) {
        seedGameRandom(seed);
        const int parity = gameRandom() % 2;
        if (static_cast<int>(seeds.size()) == (parity == 1 ? 0 : 1))
            seeds.push_back(seed);
    }
    for (unsigned seed : seeds) {
        seedGameRandom(seed);
        const std::string expected = bleepFor(gameRandom());
        seedGameRandom(seed);
        menu.repeatDelay = 0;
        menu.currentItem = 1;
        holdKeyForAFrame(VK_RETURN);
        ASSERT_FALSE(testHooks::soundsRequested().empty());
        EXPECT_EQ(testHooks::soundsRequested().back(), expected);
    }
    EXPECT_EQ(countSounds("Data/Bleep.wav"), 1);
    EXPECT_EQ(countSounds("Data/Bleep2.wav"), 1);
}

TEST_F(MenuTest, WithSoundOffASelectionPlaysNothingAndDrawsNoRandomNumber)
{
    settings.soundOn = false;
    screens.optionsShown = true;
    seedGameRandom(77);
    const int first = gameRandom();
    seedGameRandom(77);
    pressKey(VK_RETURN);
    runFrames(1);
    EXPECT_EQ(settings.raceType, 2) << "the selection happened";
    EXPECT_TRUE(testHooks::soundsRequested().empty());
    EXPECT_EQ(gameRandom(), first);
}

// --- Cursor ------------------------------------------------------------------

TEST_F(MenuTest, TheCursorCounterClimbsToZeroOneStepAFrameAndStaysThere)
{
    // As a race leaves it, and lower.
    while (testHooks::cursorCounter() > -3)
        ShowCursor(FALSE);
    std::vector<int> counts;
    for (int i = 0; i < 5; ++i) {
        runFrames(1);
        counts.push_back(testHooks::cursorCounter());
    }
    EXPECT_EQ(counts, (std::vector<int>{-2, -1, 0, 0, 0}));
}

// --- The frame order ---------------------------------------------------------

TEST_F(MenuTest, EveryFrontEndFrameWrapsTheRaceTypeRepairsTheSpeedAndSizesTheWindow)
{
    settings.raceType = 0;
    settings.gameSpeed = -3.0f;
    settings.resolutionIndex = 3;
    runFrames(1);
    EXPECT_EQ(settings.raceType, 4);
    EXPECT_EQ(settings.gameSpeed, 1.1f);
    EXPECT_EQ(settings.windowWidth, 1024);
    EXPECT_EQ(settings.windowHeight, 768);
    settings.raceType = 5;
    runFrames(1);
    EXPECT_EQ(settings.raceType, 1);
}

TEST_F(MenuTest, TheOptionsBlockRunsBeforeTheRaceTypeIsWrapped)
{
    // Left from SHORT makes 0, which the wrap later in the frame turns into
    // JOURNEY before the frame ends.
    screens.optionsShown = true;
    menu.currentItem = 1;
    pressKey(VK_LEFT);
    runFrames(1);
    EXPECT_EQ(settings.raceType, RaceType::JOURNEY);
}

TEST_F(MenuTest, TheBlocksFromOptionsOnLeaveOutTheBackdropPickingMarkerAndMainMenu)
{
    runFrames(1);
    const int cursorBefore = testHooks::cursorCounter();
    menu.currentItem = 3;
    menu.repeatDelay = 0;
    moon.x = 4.0f;
    settings.raceType = 7;
    settings.gameSpeed = -1.0f;
    settings.resolutionIndex = 2;
    pressKey('S');
    pointAtBand(2);
    pressLeftButton();
    pressKey(VK_RETURN);
    runScreenBlocksFromOptions();

    EXPECT_EQ(countSounds("Data/Waltz.mid"), 0);
    EXPECT_EQ(testHooks::cursorCounter(), cursorBefore);
    EXPECT_EQ(moon.x, 4.0f);
    EXPECT_EQ(menu.currentItem, 3) << "no pick";
    EXPECT_FALSE(screens.highScoresShown) << "the main menu did not take the Enter";
    // The steps from the Options block on did run.
    EXPECT_EQ(settings.raceType, 1);
    EXPECT_EQ(settings.gameSpeed, 1.1f);
    EXPECT_EQ(settings.windowWidth, 640);
    EXPECT_EQ(settings.windowHeight, 480);
}

TEST_F(MenuTest, AFrameThatRestartsARaceRepairsTheSettingsButPlaysNoMusic)
{
    startRace();
    runFrames(2);
    settings.raceType = 0;
    settings.gameSpeed = 0.0f;
    settings.resolutionIndex = 1;
    pressKey('S');
    pressKey(VK_RETURN);
    runFrames(1);
    EXPECT_FALSE(screens.frontEnd);
    EXPECT_EQ(countSounds("Data/Waltz.mid"), 0);
    EXPECT_EQ(settings.raceType, 4);
    EXPECT_EQ(settings.gameSpeed, 1.1f);
    EXPECT_EQ(settings.windowWidth, 320);
    EXPECT_EQ(settings.windowHeight, 240);
}

TEST_F(MenuTest, EachScreenBlockOfARestartFrameRunsOnlyBehindItsOwnFlag)
{
    startRace();
    runFrames(1);
    // Help up over the Options menu: the Options block stays out.
    screens.optionsShown = true;
    screens.helpShown = true;
    menu.currentItem = 1;
    menu.repeatDelay = 0;
    pressKey(VK_RETURN);
    runFrames(1);
    EXPECT_EQ(settings.raceType, RaceType::SHORT);

    // Without the help it takes the restarting Enter as its own.
    screens.helpShown = false;
    pressKey(VK_RETURN);
    runFrames(1);
    EXPECT_EQ(settings.raceType, RaceType::MEDIUM);
    screens.optionsShown = false;

    // The high-score block likewise.
    highScoreFor(RaceType::SHORT)->best = 12;
    screens.highScoresShown = true;
    screens.helpShown = true;
    pressKey(VK_DELETE);
    pressKey(VK_RETURN);
    runFrames(1);
    EXPECT_EQ(highScoreFor(RaceType::SHORT)->best, 12);
    screens.helpShown = false;
    pressKey(VK_RETURN);
    runFrames(1);
    EXPECT_EQ(highScoreFor(RaceType::SHORT)->best, 99);
}

}  // namespace
