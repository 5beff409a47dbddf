// The front end's frame: the backdrop every screen stands on, the mouse
// resolved to a row, the marker beside the current row, and the screen
// blocks in their fixed order.
#include "frontend/menu.h"

#include "frontend/controls_menu.h"
#include "frontend/graphics_menu.h"
#include "frontend/help_exit_tips.h"
#include "frontend/high_score_screen.h"
#include "frontend/options_menu.h"
#include "frontend/title_menu.h"
#include "game/input.h"
#include "game/random.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "race/race.h"
#include "render/font.h"
#include "render/shapes.h"
#include "render/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>

MoonPosition moon;

namespace {

constexpr int musicKey = 'S';
constexpr int pickBands = 5;

// Only the hit count of a pass is used; the records themselves are not read.
GLuint selectionBuffer[512];

// Asked for in every frame the key is down: the waltz plays on while it is
// held, and starts again with a press after it has ended. The sound setting
// does not silence it.
void playMusicKey()
{
    if (input.keys[musicKey])
        sndPlaySoundA("Data/Waltz.mid", SND_ASYNC);
}

// A race pushes the cursor count down; the menus bring it back up to 0
// one step a frame and keep it there, so the cursor shows.
void showMenuCursor()
{
    if (ShowCursor(TRUE) < 1)
        ShowCursor(TRUE);
    ShowCursor(FALSE);
}

void drawHintLines()
{
    glColor3f(0.5f, 0.5f, 1.0f);
    glRasterPos2f(-5.3f, -4.0f);
    printText("Press F2 to veiw the help file.");
    // The tip box is only offered in a window.
    if (!settings.fullscreen) {
        glRasterPos2f(0.0f, -4.0f);
        printText("Press 'T' to see the tip of the day!");
    }
}

// The moon crosses from right to left once every 1700 frames or so; when it
// has gone off the left edge the menu clock restarts, and with it the moon
// and the highlight colours.
void drawMoon()
{
    if (!(moon.x >= -8.0f))
        menu.menuClock = 0.0f;
    moon.x = 9.0f - 0.1f * menu.menuClock;
    moon.y = 2.5f - std::sin(-0.02f * menu.menuClock) * std::sin(0.02f * menu.menuClock);

    glBindTexture(GL_TEXTURE_2D, moonTexture);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(moon.x + 1.0f, moon.y + 1.0f, -2.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(moon.x - 1.0f, moon.y + 1.0f, -2.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(moon.x - 1.0f, moon.y - 1.0f, -2.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(moon.x + 1.0f, moon.y - 1.0f, -2.0f);
    glEnd();
    // Text and wire shapes after this are drawn untextured.
    glBindTexture(GL_TEXTURE_2D, noTexture);
}

// What every front-end frame repairs in the settings: the race type wraps
// into 1 to 4 and a speed factor that is not above 0 becomes 1.1.
void applySettingGuards()
{
    // A repaired race type brings its own bar: one left from before (0
    // when none was ever set) could be won with no time at all.
    if (wrapRaceType())
        setBarTarget(settings.raceType);
    // Not "above 0" covers negative, zero and NaN: a zero speed would stop
    // the race's countdown for ever.
    if (!(settings.gameSpeed > 0.0f))
        settings.gameSpeed = 1.1f;
}

bool anyScreenOverTheTitle()
{
    return screens.helpShown || screens.optionsShown || screens.controlsShown ||
           screens.graphicsShown || screens.highScoresShown || screens.exitScreenShown;
}

// One selection pass: whether the pixel under the mouse falls in the band
// laid over row `band` of a standard menu.
bool mouseOverBand(int band)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);

    glSelectBuffer(512, selectionBuffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // The mouse counts from the top of the window, OpenGL from the bottom.
    gluPickMatrix(input.mouseX, viewport[3] - input.mouseY, 1.0, 1.0, viewport);
    gluPerspective(45.0,
                   static_cast<GLfloat>(viewport[2] - viewport[0]) /
                       static_cast<GLfloat>(viewport[3] - viewport[1]),
                   0.1, 100.0);

    glMatrixMode(GL_MODELVIEW);
    const float top = 1.5f - static_cast<float>(band - 1);
    const float bottom = 0.5f - static_cast<float>(band - 1);
    glBegin(GL_QUADS);
    glVertex3f(1.1f, top, 0.0f);
    glVertex3f(-2.2f, top, 0.0f);
    glVertex3f(-2.2f, bottom, 0.0f);
    glVertex3f(1.1f, bottom, 0.0f);
    glEnd();

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return glRenderMode(GL_RENDER) > 0;
}

}  // namespace

void frontEndFrame()
{
    playMusicKey();
    showMenuCursor();
    glTranslatef(0.0f, 0.0f, -10.0f);
    if (input.mouseMoved || input.leftButtonDown || input.rightButtonDown)
        pickMenuItem();
    drawHintLines();
    drawMoon();

    if (!screens.highScoresShown && !screens.helpShown && !screens.exitScreenShown)
        drawMenuMarker();
    if (!anyScreenOverTheTitle())
        mainMenu();
    runScreenBlocksFromOptions();
}

// A screen opened earlier in the frame runs its block in the same frame;
// the delay its opener set keeps it from taking the same key again.
void runScreenBlocksFromOptions()
{
    if (screens.optionsShown && !screens.helpShown)
        optionsMenu();
    applySettingGuards();
    if (screens.highScoresShown && !screens.helpShown)
        highScoreScreen();
    if (screens.controlsShown && !screens.helpShown)
        controlsMenu();
    if (screens.graphicsShown && !screens.helpShown)
        graphicsMenu();
    deriveWindowSize();
    if (screens.exitScreenShown && !screens.helpShown)
        exitScreen();
    if (screens.helpShown)
        helpScreen();
}

void drawFrontEndBackdrop()
{
    playMusicKey();
    showMenuCursor();
    drawHintLines();
    drawMoon();
}

void pickMenuItem()
{
    // Later bands overwrite earlier ones: where the pick touches two rows
    // the lower one wins.
    for (int band = 1; band <= pickBands; ++band) {
        if (!mouseOverBand(band))
            continue;
        if (screens.controlsShown) {
            // The Controls rows stand closer together; the bands reach
            // only its last rows.
            if (band < 2)
                continue;
            menu.currentItem = band + 4;
        } else {
            menu.currentItem = band;
        }
        if (input.leftButtonDown)
            input.keys[VK_RETURN] = true;
        if (input.rightButtonDown)
            input.keys[VK_LEFT] = true;
    }
}

void menuItemColour(int row)
{
    if (row == menu.currentItem) {
        const float c = menu.menuClock;
        // Components below 0 are clamped by OpenGL.
        glColor3f(std::sin(0.05f * c), std::cos(0.05f * c), 1.0f - 0.5f * std::tan(0.005f * c));
    } else {
        glColor3f(0.2f, 0.2f, 0.2f);
    }
}

void navigateMenu(int rows)
{
    if (input.keys[VK_UP] && menu.repeatDelay == 0) {
        --menu.currentItem;
        menu.repeatDelay = 10;
    }
    if (input.keys[VK_DOWN] && menu.repeatDelay == 0) {
        ++menu.currentItem;
        menu.repeatDelay = 10;
    }
    // Also brings in a row picked past the end of a short menu.
    if (menu.currentItem < 1)
        menu.currentItem = rows;
    if (menu.currentItem > rows)
        menu.currentItem = 1;
}

void playBleep()
{
    if (!settings.soundOn)
        return;
    const int r = gameRandom();
    PlaySoundA(r % 2 == 1 ? "Data/Bleep.wav" : "Data/Bleep2.wav", nullptr, SND_ASYNC);
}

void drawMenuMarker()
{
    menuItemColour(menu.currentItem);
    const int item = menu.currentItem;
    float y;
    if (screens.controlsShown)
        y = item <= 5 ? 0.5f * static_cast<float>(5 - item) : 5.75f - static_cast<float>(item);
    else
        y = 2.0f - static_cast<float>(item);

    const float angle = 20.0f * menu.menuClock;
    glTranslatef(-3.5f, y, -2.0f);
    glRotatef(angle, 0.0f, 1.0f, 1.0f);
    if (screens.controlsShown)
        drawWireCone(0.5, 1.0);
    else if (screens.graphicsShown)
        drawWireIcosahedron(0.5);
    else if (screens.optionsShown)
        drawWireSphere(0.5);
    else
        drawWireTorus(0.2, 0.5);
    glRotatef(-angle, 0.0f, 1.0f, 1.0f);
    glTranslatef(3.5f, -y, 2.0f);
}
