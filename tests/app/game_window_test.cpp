// Opening the game window: its projection, its rendering state, and every
// way the opening can fail.
#include "app/game_window.h"
#include "app/win_main.h"
#include "app/window_proc.h"
#include "game/frame_rate.h"
#include "game/random.h"
#include "persist/settings.h"
#include "tests/support/game_fixture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

using WindowTest = GameTest;

static void expectPerspective(double aspect)
{
    GLdouble actual[16];
    glGetDoublev(GL_PROJECTION_MATRIX, actual);
    // gluPerspective(45, aspect, 0.1, 100) written out.
    double f = 1.0 / std::tan(45.0 * M_PI / 360.0);
    double expected[16] = {
        f / aspect, 0, 0, 0, 0, f, 0, 0, 0, 0, -100.1 / 99.9, -1, 0, 0, -2 * 100.0 * 0.1 / 99.9, 0};
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-5) << "projection entry " << i;
}

TEST_F(WindowTest, TheSceneFillsTheWindowUnderA45DegreePerspective)
{
    openWindow(640, 480);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    expectPerspective(640.0 / 480.0);

    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(WindowTest, AWindowResizedToNoHeightIsTakenAsOnePixelHigh)
{
    openWindow(640, 480);
    resizeScene(300, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 1);
    expectPerspective(300.0);
}

TEST_F(WindowTest, ResizingFollowsTheSizeMessage)
{
    openWindow(640, 480);
    windowProc(gameWindow.window, WM_SIZE, 0, MAKELPARAM(1024, 768));
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 768);
    expectPerspective(1024.0 / 768.0);
}

TEST_F(WindowTest, TheRenderingStateIsWhatEveryScreenAssumes)
{
    testHooks::fixClock(1700000000);
    int cursorBefore = testHooks::cursorCounter();
    openWindow(320, 240);

    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint value;
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(value, GL_NICEST);
    GLdouble depth;
    glGetDoublev(GL_DEPTH_CLEAR_VALUE, &depth);
    EXPECT_EQ(depth, 1.0);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f);

    // The random generator was seeded from the clock, the frame-rate second
    // restarted, and the cursor raised once.
    int first = gameRandom();
    seedGameRandom(1700000000u);
    EXPECT_EQ(first, gameRandom());
    EXPECT_EQ(frameRate.secondStamp, 1700000000);
    EXPECT_EQ(testHooks::cursorCounter(), cursorBefore + 1);
}

TEST_F(WindowTest, TheWindowIsVisibleWithTheRequestedClientSize)
{
    openWindow(320, 240);
    RECT client{};
    ASSERT_TRUE(GetClientRect(gameWindow.window, &client));
    EXPECT_EQ(client.right - client.left, 320);
    EXPECT_EQ(client.bottom - client.top, 240);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_NE(wglGetCurrentContext(), nullptr);
}

// Each failure of the opening: its call, its text, and whether the window
// was torn down (saving both files) before the box came up.
struct CreationFailure {
    PlatformCall call;
    const char* text;
    bool closesFirst;
};

static const CreationFailure creationFailures[] = {
    {PlatformCall::RegisterClass, "Failed To Register The Window Class.", false},
    {PlatformCall::CreateWindow, "Window Creation Error.", true},
    {PlatformCall::GetDC, "Can't Create A GL Device Context.", true},
    {PlatformCall::ChoosePixelFormat, "Can't Find A Suitable PixelFormat.", true},
    {PlatformCall::SetPixelFormat, "Can't Set The PixelFormat.", true},
    {PlatformCall::CreateContext, "Can't Create A GL Rendering Context.", true},
    {PlatformCall::MakeCurrent, "Can't Activate The GL Rendering Context.", true},
};

TEST_F(WindowTest, EachFailedStepIsReportedAfterTheWindowIsTornDown)
{
    for (const CreationFailure& failure : creationFailures) {
        SCOPED_TRACE(failure.text);
        std::remove("Data/settings .tgx");
        std::remove("Data/data .tgx");
        testHooks::reset();
        testHooks::setFramePacing(false);
        bool filesWhenShown = false;
        testHooks::answerMessageBoxes([&](const MessageBoxRecord&) {
            filesWhenShown = fileExists("Data/settings .tgx") && fileExists("Data/data .tgx");
            return IDOK;
        });
        testHooks::failCall(failure.call);

        EXPECT_FALSE(createGameWindow("Trigonix", 320, 240, 16, false));

        ASSERT_EQ(testHooks::messageBoxes().size(), 1u);
        const MessageBoxRecord& box = testHooks::messageBoxes()[0];
        EXPECT_EQ(box.text, failure.text);
        EXPECT_EQ(box.caption, "ERROR");
        EXPECT_EQ(box.style, MB_OK | MB_ICONEXCLAMATION);
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_EQ(filesWhenShown, failure.closesFirst);
        EXPECT_EQ(fileExists("Data/settings .tgx"), failure.closesFirst);
        EXPECT_EQ(wglGetCurrentContext(), nullptr);
        if (failure.call == PlatformCall::RegisterClass)
            continue;
        // The class was unregistered with the rest: a new window opens.
        testHooks::answerMessageBoxes([](const MessageBoxRecord&) { return IDOK; });
        EXPECT_TRUE(createGameWindow("Trigonix", 320, 240, 16, false));
        closeGameWindow();
    }
}

TEST_F(WindowTest, NoPictureAtAllFailsTheInitialisation)
{
    for (const char* name :
         {"3dship4lr.bmp", "moon.bmp", "3dship42lr.bmp", "sky.bmp", "alienlr.bmp"})
        std::remove((std::string("Data/") + name).c_str());
    EXPECT_FALSE(createGameWindow("Trigonix", 320, 240, 16, false));
    ASSERT_EQ(boxTexts().size(), 1u);
    EXPECT_EQ(boxTexts()[0], "Initialization Failed.");
    EXPECT_TRUE(fileExists("Data/data .tgx"));
    EXPECT_EQ(gameWindow.renderingContext, nullptr);
}

TEST_F(WindowTest, ARefusedFullScreenModeAnsweredYesOpensAWindowOfThatSize)
{
    // The test display offers only its own size; 320 x 240 is refused.
    openWindow(320, 240, true);
    ASSERT_EQ(testHooks::messageBoxes().size(), 1u);
    const MessageBoxRecord& box = testHooks::messageBoxes()[0];
    EXPECT_EQ(box.text,
              "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed "
              "Mode Instead?");
    EXPECT_EQ(box.caption, "Vorn GL");
    EXPECT_EQ(box.style, MB_YESNO | MB_ICONEXCLAMATION);
    EXPECT_FALSE(settings.fullscreen);
    RECT client{};
    GetClientRect(gameWindow.window, &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);

    closeGameWindow();
    windowOpen = false;
    EXPECT_EQ(readFile("Data/data .tgx").back(), '0');  // saved as windowed
}

TEST_F(WindowTest, ARefusedFullScreenModeAnsweredNoClosesWithoutSaving)
{
    testHooks::answerMessageBoxes(
        [](const MessageBoxRecord& box) { return (box.style & MB_YESNO) ? IDNO : IDOK; });
    EXPECT_FALSE(createGameWindow("Trigonix", 320, 240, 16, true));
    ASSERT_EQ(testHooks::messageBoxes().size(), 2u);
    const MessageBoxRecord& box = testHooks::messageBoxes()[1];
    EXPECT_EQ(box.text, "Program Will Now Close.");
    EXPECT_EQ(box.caption, "ERROR");
    EXPECT_EQ(box.style, MB_OK | MB_ICONSTOP);
    EXPECT_FALSE(fileExists("Data/settings .tgx"));
    EXPECT_FALSE(fileExists("Data/data .tgx"));
    EXPECT_TRUE(settings.fullscreen);
}

TEST_F(WindowTest, AFullScreenModeTheDisplayOffersIsTaken)
{
    DisplaySize screen = displaySize();
    openWindow(screen.width, screen.height, true);
    EXPECT_TRUE(testHooks::messageBoxes().empty());
    EXPECT_TRUE(settings.fullscreen);
    RECT client{};
    GetClientRect(gameWindow.window, &client);
    EXPECT_EQ(client.right, screen.width);
    EXPECT_EQ(client.bottom, screen.height);
}

TEST_F(WindowTest, ANoSizeWindowStillOpens)
{
    // No settings file: the size stays 0 x 0.
    openWindow(0, 0);
    EXPECT_NE(gameWindow.window, nullptr);
}
