// The Controls menu in whole frames: its rows and key display, assignment
// by holding a key and pressing Enter, the defaults, the rotate mode, BACK,
// the mouse bands and the two notes.
#include "frontend/controls_menu.h"

#include "game/screens.h"
#include "persist/settings.h"
#include "tests/support/game_fixture.h"
#include "tests/support/screen_view.h"

#include <string>

namespace {

using screenView::Colour;

const Colour red{1, 0, 0};
const char* const assignNote = "PRESS AND HOLD THE NEW KEY AND THEN PRESS ENTER...";
const char* const keyboardNote = "      USE THE KEYBOARD TO ASSIGN KEYS!!";

struct ControlsMenuTest : GameTest {
    void SetUp() override
    {
        GameTest::SetUp();
        openWindow(640, 480);
        settings.resolutionIndex = 2;
        settings.raceType = 1;
        settings.accelerateKey = 'W';
        settings.rightKey = 'D';
        settings.leftKey = 'A';
        settings.decelerateKey = 'S';
        settings.bombKey = 'B';
        // As the Options menu's CONTROLS row opens it.
        screens.controlsShown = true;
        menu.currentItem = 1;
        menu.repeatDelay = 10;
        runFrames(10);
        ASSERT_EQ(menu.repeatDelay, 0);
    }

    // One frame with Enter pressed while `held` keys are down.
    static void enterHolding(std::initializer_list<int> held)
    {
        for (int key : held)
            pressKey(key);
        holdKeyForAFrame(VK_RETURN);
        for (int key : held)
            releaseKey(key);
    }

    static Colour rowColour(int row)
    {
        return row == menu.currentItem ? screenView::highlight(menu.menuClock) : screenView::grey;
    }

    // After a frame: whether row `row` shows `text` in its colour.
    static bool rowShows(const screenView::Frame& frame, int row, float y, const std::string& text)
    {
        return screenView::compare(frame, text, -2.2f, y, rowColour(row)).shown();
    }
};

TEST_F(ControlsMenuTest, ShowsTitleRowsAndKeysRightAlignedInFivePlaces)
{
    settings.rotateShip = false;
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, "CONTROLS", -1, 3, {0, 1, 0}).shown());
    EXPECT_TRUE(rowShows(frame, 1, 2.0f, "ACCELERATE:     W"));
    EXPECT_TRUE(rowShows(frame, 2, 1.5f, "RIGHT:     D"));
    EXPECT_TRUE(rowShows(frame, 3, 1.0f, "LEFT:     A"));
    EXPECT_TRUE(rowShows(frame, 4, 0.5f, "DECELERATE:     S"));
    EXPECT_TRUE(rowShows(frame, 5, 0.0f, "BOMB:     B"));
    EXPECT_TRUE(rowShows(frame, 6, -0.5f, "SET TO ARROW KEYS AND SPACE BAR"));
    EXPECT_TRUE(rowShows(frame, 7, -1.25f, "ROTATE: WORLD"));
    EXPECT_TRUE(rowShows(frame, 8, -2.25f, "BACK"));
    // One space fewer is another picture.
    EXPECT_FALSE(rowShows(frame, 1, 2.0f, "ACCELERATE:    W"));
}

TEST_F(ControlsMenuTest, HoldingAAndPressingEnterOnRowOneAssignsIt)
{
    enterHolding({'A'});
    EXPECT_EQ(settings.accelerateKey, 65);
    EXPECT_EQ(menu.currentItem, 1);
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(rowShows(frame, 1, 2.0f, "ACCELERATE:     A"));
}

TEST_F(ControlsMenuTest, ShiftWinsOverALetterAndShowsNoCharacter)
{
    menu.currentItem = 5;
    enterHolding({VK_SHIFT, 'A'});
    EXPECT_EQ(settings.bombKey, 16);
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(rowShows(frame, 5, 0.0f, "BOMB:     "));
}

TEST_F(ControlsMenuTest, TheLowestHeldCodeWinsAndEnterIsSkipped)
{
    menu.currentItem = 3;
    enterHolding({'Z', VK_BACK, 'C'});
    EXPECT_EQ(settings.leftKey, VK_BACK);
    menu.currentItem = 4;
    enterHolding({'M', VK_TAB});
    EXPECT_EQ(settings.decelerateKey, VK_TAB);
}

TEST_F(ControlsMenuTest, EachRowAssignsItsOwnKey)
{
    const int rows[5] = {1, 2, 3, 4, 5};
    const int keys[5] = {'1', '2', '3', '4', '5'};
    for (int i = 0; i < 5; ++i) {
        menu.currentItem = rows[i];
        enterHolding({keys[i]});
    }
    EXPECT_EQ(settings.accelerateKey, '1');
    EXPECT_EQ(settings.rightKey, '2');
    EXPECT_EQ(settings.leftKey, '3');
    EXPECT_EQ(settings.decelerateKey, '4');
    EXPECT_EQ(settings.bombKey, '5');
}

TEST_F(ControlsMenuTest, EnterWithNoOtherKeyHeldKeepsTheRowsKey)
{
    menu.currentItem = 2;
    enterHolding({});
    EXPECT_EQ(settings.rightKey, 'D');
    menu.currentItem = 1;
    enterHolding({});
    EXPECT_EQ(settings.accelerateKey, 'W');
}

TEST_F(ControlsMenuTest, AssignmentLeavesTheRepeatDelayAtZero)
{
    enterHolding({'Q'});
    EXPECT_EQ(menu.repeatDelay, 0);
    // So the very next Enter assigns again.
    enterHolding({'R'});
    EXPECT_EQ(settings.accelerateKey, 'R');
}

TEST_F(ControlsMenuTest, RowSixSetsArrowKeysAndSpaceBar)
{
    menu.currentItem = 6;
    enterHolding({});
    EXPECT_EQ(settings.accelerateKey, 38);
    EXPECT_EQ(settings.rightKey, 39);
    EXPECT_EQ(settings.leftKey, 37);
    EXPECT_EQ(settings.decelerateKey, 40);
    EXPECT_EQ(settings.bombKey, 32);
    EXPECT_EQ(menu.repeatDelay, 0);

    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(rowShows(frame, 1, 2.0f, "ACCELERATE:     &"));
    EXPECT_TRUE(rowShows(frame, 2, 1.5f, "RIGHT:     '"));
    EXPECT_TRUE(rowShows(frame, 3, 1.0f, "LEFT:     %"));
    EXPECT_TRUE(rowShows(frame, 4, 0.5f, "DECELERATE:     ("));
    EXPECT_TRUE(rowShows(frame, 5, 0.0f, "BOMB:     "));
    EXPECT_TRUE(rowShows(frame, 6, -0.5f, "SET TO ARROW KEYS AND SPACE BAR"));
}

TEST_F(ControlsMenuTest, ACodeWithoutAGlyphShowsNothing)
{
    settings.accelerateKey = 300;
    settings.rightKey = -16;
    settings.leftKey = 200;
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(rowShows(frame, 1, 2.0f, "ACCELERATE:     "));
    EXPECT_TRUE(rowShows(frame, 2, 1.5f, "RIGHT:     "));
    EXPECT_TRUE(rowShows(frame, 3, 1.0f, "LEFT:     "));
}

TEST_F(ControlsMenuTest, RotateTogglesAndWaitsTenFrames)
{
    settings.rotateShip = false;
    menu.currentItem = 7;
    enterHolding({});
    EXPECT_TRUE(settings.rotateShip);
    EXPECT_EQ(menu.repeatDelay, 10);
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(rowShows(frame, 7, -1.25f, "ROTATE: SHIP"));

    // Within the delay another Enter does nothing.
    enterHolding({});
    EXPECT_TRUE(settings.rotateShip);
    runFrames(10);
    enterHolding({});
    EXPECT_FALSE(settings.rotateShip);
}

TEST_F(ControlsMenuTest, BackOpensOptionsWithTheControlsRowCurrent)
{
    menu.currentItem = 8;
    enterHolding({'A'});
    EXPECT_FALSE(screens.controlsShown);
    EXPECT_TRUE(screens.optionsShown);
    EXPECT_EQ(menu.currentItem, 3);
    EXPECT_EQ(menu.repeatDelay, 20);
    // BACK assigned nothing.
    EXPECT_EQ(settings.accelerateKey, 'W');

    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(
        screenView::compare(frame, "CONTROLS", -2.2f, -1.0f, screenView::highlight(menu.menuClock))
            .shown());
    EXPECT_FALSE(rowShows(frame, 8, -2.25f, "BACK"));
}

TEST_F(ControlsMenuTest, AClickInBandFiveActsAsEnterOnRowOne)
{
    menu.currentItem = 4;
    pressKey('K');
    screenView::pointMouseAt(-0.5f, -3.0f);
    pressLeftButton();
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 1);
    EXPECT_EQ(settings.accelerateKey, 'K');
    EXPECT_EQ(settings.decelerateKey, 'S');
    releaseLeftButton();
    releaseKey('K');
}

TEST_F(ControlsMenuTest, BandOneIsIgnoredAndBandsTwoToFourSelectRowsSixToEight)
{
    menu.currentItem = 2;
    screenView::pointMouseAt(-0.5f, 1.0f);
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 2);
    screenView::pointMouseAt(-0.5f, 0.0f);
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 6);
    screenView::pointMouseAt(-0.5f, -2.0f);
    runFrames(1);
    EXPECT_EQ(menu.currentItem, 8);
}

TEST_F(ControlsMenuTest, TheAssignmentNoteShowsOnRowsOneToFiveOnly)
{
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, assignNote, -4.7f, -3.0f, red).shown());

    // Up on row 1 goes to row 8: the note goes in that same frame.
    holdKeyForAFrame(VK_UP);
    ASSERT_EQ(menu.currentItem, 8);
    frame = screenView::grab();
    EXPECT_FALSE(screenView::compare(frame, assignNote, -4.7f, -3.0f, red).shown());

    runFrames(10);
    holdKeyForAFrame(VK_DOWN);
    ASSERT_EQ(menu.currentItem, 1);
    frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, assignNote, -4.7f, -3.0f, red).shown());

    menu.currentItem = 6;
    runFrames(1);
    frame = screenView::grab();
    EXPECT_FALSE(screenView::compare(frame, assignNote, -4.7f, -3.0f, red).shown());
}

TEST_F(ControlsMenuTest, TheKeyboardNoteShowsWhileAMouseButtonIsHeld)
{
    moveMouse(5, 5);
    runFrames(1);
    screenView::Frame frame = screenView::grab();
    EXPECT_FALSE(screenView::compare(frame, keyboardNote, -4.7f, -3.5f, red).shown());

    pressRightButton();
    runFrames(3);
    frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, keyboardNote, -4.7f, -3.5f, red).shown());
    releaseRightButton();

    pressLeftButton();
    runFrames(1);
    frame = screenView::grab();
    EXPECT_TRUE(screenView::compare(frame, keyboardNote, -4.7f, -3.5f, red).shown());
    releaseLeftButton();

    runFrames(1);
    frame = screenView::grab();
    EXPECT_FALSE(screenView::compare(frame, keyboardNote, -4.7f, -3.5f, red).shown());
}

TEST_F(ControlsMenuTest, EscapeWhileHoldingAKeyAndEnterAssignsNothing)
{
    enterHolding({VK_ESCAPE});
    EXPECT_EQ(settings.accelerateKey, 'W');
    EXPECT_FALSE(screens.controlsShown);
}

}  // namespace
