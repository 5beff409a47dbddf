// The pause.
//
// A paused frame draws the last race frame again rather than copying the
// last picture back: the frame is cleared before the race gets it, and the
// front buffer cannot be trusted to hold what was shown. Every frame that
// is not paused remembers, before its steps, all the state the steps change
// and, while they run, every random draw they make; a paused frame puts
// that state in place, runs the steps again with the same draws and no
// sound, puts the live state back and prints "PAUSED" over the result. The
// random sequence itself is not touched, so the race after a pause is the
// race without it. The frame function's own changes in a paused frame (the
// menu clock's 0.1, the repeat delay's count-down, the speed factor's
// tuning) are taken back too: the HUD's colours run on the menu clock, and
// the bomb delay and the speed factor would otherwise move on while the
// race stands still.
#include "race/race_pause.h"

#include "game/input.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "race/frame_record.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "race/race_steps.h"
#include "render/font.h"
#include "render/text_width.h"
#include "render/textures.h"

#include <GL/gl.h>

namespace {

constexpr int pauseKeyEnd = VK_END;
constexpr int pauseKeyZero = '0';

// Everything the steps of a race frame read and change.
struct RaceMoment {
    RaceState race;
    Obstacle field[fieldRows];
    float menuClock;
    int repeatDelay;
    float gameSpeed;
    InputState input;
    HighScoreTable highScores;
    bool nameEntryShown;
};

RaceMoment takeMoment()
{
    RaceMoment moment{race, {}, menu.menuClock, menu.repeatDelay, settings.gameSpeed, input,
                      highScores, screens.nameEntryShown};
    for (int row = 0; row < fieldRows; ++row)
        moment.field[row] = field[row];
    return moment;
}

void putMoment(const RaceMoment& moment)
{
    race = moment.race;
    for (int row = 0; row < fieldRows; ++row)
        field[row] = moment.field[row];
    menu.menuClock = moment.menuClock;
    menu.repeatDelay = moment.repeatDelay;
    settings.gameSpeed = moment.gameSpeed;
    input = moment.input;
    highScores = moment.highScores;
    screens.nameEntryShown = moment.nameEntryShown;
}

struct PauseState {
    bool haveLastFrame = false;  // lastFrame holds the start of this race's last frame
    RaceMoment lastFrame{};
    bool paused = false;
    // What the first paused frame found: the frame after the pause gets
    // these, as the frame after the last one raced would have.
    float menuClock = 0.0f;
    int repeatDelay = 0;
    float gameSpeed = 1.0f;
};

PauseState pause;

void holdFrameFunctionValues()
{
    menu.menuClock = pause.menuClock;
    menu.repeatDelay = pause.repeatDelay;
    settings.gameSpeed = pause.gameSpeed;
}

// White on a black box in the middle of the window, whatever its size.
void drawPausedSign()
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const float centreX = 0.5f * static_cast<float>(viewport[2]);
    const float centreY = 0.5f * static_cast<float>(viewport[3]);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, viewport[2], 0.0, viewport[3], -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, noTexture);

    glRasterPos2f(centreX, centreY);
    const float halfWidth = 0.5f * measureText("PAUSED");

    const float padding = 12.0f;
    glColor3f(0.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex2f(centreX - halfWidth - padding, centreY - 10.0f);
    glVertex2f(centreX + halfWidth + padding, centreY - 10.0f);
    glVertex2f(centreX + halfWidth + padding, centreY + 24.0f);
    glVertex2f(centreX - halfWidth - padding, centreY + 24.0f);
    glEnd();

    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2f(centreX - halfWidth, centreY);
    printText("PAUSED");

    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

// A pause key the player has made a race key steers, speeds or bombs
// instead: holding it must not stop the race.
bool isRaceKey(int code)
{
    return code == settings.accelerateKey || code == settings.decelerateKey ||
           code == settings.leftKey || code == settings.rightKey || code == settings.bombKey;
}

bool pauseKeyHeld(int code) { return isKeyDown(code) && !isRaceKey(code); }

}  // namespace

bool racePauseHeld() { return pauseKeyHeld(pauseKeyEnd) || pauseKeyHeld(pauseKeyZero); }

void forgetPausedRace()
{
    pause.haveLastFrame = false;
    pause.paused = false;
}

void beginUnpausedRaceFrame()
{
    if (pause.paused) {
        holdFrameFunctionValues();
        pause.paused = false;
    }
    pause.lastFrame = takeMoment();
    pause.haveLastFrame = true;
    startFrameRecord();
}

void drawPausedRace()
{
    if (!pause.paused) {
        pause.paused = true;
        pause.menuClock = menu.menuClock;
        pause.repeatDelay = menu.repeatDelay;
        pause.gameSpeed = settings.gameSpeed;
        // Paused from the race's first frame: the frame to show is the one
        // that would come now, drawn with no random draws recorded.
        if (!pause.haveLastFrame) {
            pause.lastFrame = takeMoment();
            pause.haveLastFrame = true;
            startFrameRecord();
        }
    }

    const RaceMoment live = takeMoment();
    putMoment(pause.lastFrame);
    beginFrameReplay();
    runRaceFrameSteps();
    endFrameReplay();
    putMoment(live);
    holdFrameFunctionValues();

    drawPausedSign();
}
