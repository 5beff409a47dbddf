// The race's scenery and read-outs.
#include "race/race_display.h"

#include "game/input.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "race/frame_record.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "race/race_timing.h"
#include "race/race_types.h"
#include "render/font.h"
#include "render/textures.h"

#include <GL/gl.h>

#include <cmath>

namespace {

struct Colour {
    float red, green, blue;
};

// The JOURNEY sky: dusk towards night while it falls, dawn while it rises.
Colour dayAndNight()
{
    float& level = race.skyLevel;
    if (level > 0.7f)
        race.skyRising = false;
    if (level < 0.0f)
        race.skyRising = true;
    if (race.skyRising) {
        level += 0.0003 * settings.gameSpeed;
        return Colour{level, level, static_cast<float>(level + 0.15 / (1.0 - level))};
    }
    level -= 0.0003 * settings.gameSpeed;
    return Colour{static_cast<float>(level + 0.15 / (1.0 - level)), level, level};
}

}  // namespace

void updateLightning()
{
    const int draw = raceRandom() % 100;
    if (draw > 100 - 2 * settings.gameSpeed)
        race.lightning = true;
    else if (race.lightning)
        race.lightning = raceRandom() % 100 > 50;
    glClearColor(0.0f, 0.5f, 0.0f, 0.5f);
}

void drawHudLines()
{
    const float t = menu.menuClock;
    const Colour colour{std::cos(t), std::sin(t), 1.0f - 0.5f * std::tan(t)};
    glColor3f(colour.red, colour.green, colour.blue);
    glRasterPos2f(-2.6f, -1.8f);
    printText("Score:   %i", shownScore());
    if (settings.raceType != RaceType::JOURNEY) {
        glColor3f(colour.red, colour.green, colour.blue);
        glRasterPos2f(-2.6f, -2.0f);
        printText("Bombs:%2.f", race.bombs);
    }
}

void drawProgressBar()
{
    if (settings.raceType == RaceType::JOURNEY)
        return;
    // The fill is drawn second at the same depth, over the target.
    glBindTexture(GL_TEXTURE_2D, noTexture);
    glBegin(GL_QUADS);
    glColor3f(0.7f, 0.0f, 0.0f);
    glVertex3f(5.75f, race.barTarget + 0.4f, 0.0f);
    glVertex3f(6.75f, race.barTarget + 0.4f, 0.0f);
    glVertex3f(6.75f, 0.4f, 0.0f);
    glVertex3f(5.75f, 0.4f, 0.0f);
    if (race.barLevel > 0.5f)
        glColor3f(0.0f, 0.9f, 0.1f);
    else
        glColor3f(1.0f, 0.0f, 0.0f);
    glVertex3f(5.75f, race.barLevel + 0.4f, 0.0f);
    glVertex3f(6.75f, race.barLevel + 0.4f, 0.0f);
    glVertex3f(6.75f, 0.4f, 0.0f);
    glVertex3f(5.75f, 0.4f, 0.0f);
    glEnd();
}

void dropBombIfAsked()
{
    if (!isKeyDown(settings.bombKey) || !(race.bombs > 0.0f) || menu.repeatDelay != 0)
        return;
    race.bombs -= 1.0f;
    menu.repeatDelay = wholeFrames(40 / settings.gameSpeed);
    scatterField();
}

void drawSky()
{
    glBindTexture(GL_TEXTURE_2D, settings.showSky ? skyTexture : noTexture);

    const float t = menu.menuClock;
    Colour colour{1.0f, 1.0f, 1.0f};
    if (race.barLevel < 0.0f) {
        colour = Colour{std::sin(t) + 1.0f, std::cos(t) + 1.0f,
                        (std::sin(t) + std::cos(t)) * 0.5f + 1.0f};
        // With the race's own +0.06 the colours run at 0.1 a frame while
        // crashed instead of 0.16.
        menu.menuClock -= 0.059999;
    }
    if (!settings.showSky)
        colour = Colour{0.515625f, 0.59765625f, 0.98828125f};

    const RaceTypeFacts* type = raceTypeFacts(settings.raceType);
    switch (type != nullptr ? type->sky : SkyMood::PLAIN) {
    case SkyMood::PURPLE:
        colour = Colour{0.8f, 0.3f, 0.8f};
        break;
    case SkyMood::STORM:
        if (race.lightning) {
            colour = Colour{1.0f, 1.0f, 1.0f};
            if (settings.soundOn && raceRandom() % 6 == 1)
                playRaceSound("Data/Boom2.wav");
        } else {
            colour = Colour{0.3f, 0.3f, 0.3f};
        }
        break;
    case SkyMood::DAY_AND_NIGHT:
        colour = dayAndNight();
        break;
    default:
        break;
    }

    glColor3f(colour.red, colour.green, colour.blue);
    glBegin(GL_QUADS);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(-50.25f, 50.5f, -50.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(50.25f, 50.5f, -50.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(50.5f, -0.2f, -50.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(-50.5f, -0.2f, -50.0f);
    glEnd();
}

void drawGround()
{
    glBindTexture(GL_TEXTURE_2D, noTexture);
    glColor3f(0.0f, 0.5f, 0.0f);
    glBegin(GL_QUADS);
    glVertex3f(-50.25f, -0.5f, -70.0f);
    glVertex3f(50.25f, -0.5f, -70.0f);
    glVertex3f(50.5f, -0.2f, 0.0f);
    glVertex3f(-50.5f, -0.2f, 0.0f);
    glEnd();
}

void drawFinishHint()
{
    if (settings.raceType == RaceType::JOURNEY)
        return;
    if (race.barLevel > race.barTarget - 0.2 && race.barLevel < race.barTarget) {
        glColor3f(0.0f, 4.0f, 0.0f);
        glRasterPos2f(-2.2f, 9.0f);
        printText("A Little Further!!");
    }
}
