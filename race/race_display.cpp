// The race's scenery and read-outs.
#include "race/race_display.h"

#include "game/random.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "race/race_sounds.h"
#include "race/race_timing.h"
#include "race/race_types.h"

#include <cmath>

namespace {

// The JOURNEY sky: dusk towards night while it falls, dawn while it rises.
RaceColour dayAndNight()
{
    float& level = race.skyLevel;
    if (level > 0.7f)
        race.skyRising = false;
    if (level < 0.0f)
        race.skyRising = true;
    if (race.skyRising) {
        level += 0.0003 * settings.gameSpeed;
        return RaceColour{level, level, static_cast<float>(level + 0.15 / (1.0 - level))};
    }
    level -= 0.0003 * settings.gameSpeed;
    return RaceColour{static_cast<float>(level + 0.15 / (1.0 - level)), level, level};
}

}  // namespace

void updateLightning()
{
    const int draw = gameRandom() % 100;
    if (draw > 100 - 2 * settings.gameSpeed)
        race.lightning = true;
    else if (race.lightning)
        race.lightning = gameRandom() % 100 > 50;
}

void showHudLines(RaceFrame& frame)
{
    const float t = menu.menuClock;
    const RaceColour colour{std::cos(t), std::sin(t), 1.0f - 0.5f * std::tan(t)};
    addRaceText(frame.hud, true, colour, -2.6f, -1.8f, "Score:   %i", shownScore());
    if (settings.raceType != RaceType::JOURNEY)
        addRaceText(frame.hud, true, colour, -2.6f, -2.0f, "Bombs:%2.f", race.bombs);
}

void showProgressBar(RaceFrame& frame)
{
    frame.bar = settings.raceType != RaceType::JOURNEY;
    frame.barTarget = race.barTarget;
    frame.barLevel = race.barLevel;
    frame.barFill =
        race.barLevel > 0.5f ? RaceColour{0.0f, 0.9f, 0.1f} : RaceColour{1.0f, 0.0f, 0.0f};
}

void dropBombIfAsked(const RaceControls& controls, RaceFrame& frame)
{
    if (!controls.bomb || !(race.bombs > 0.0f) || menu.repeatDelay != 0)
        return;
    race.bombs -= 1.0f;
    menu.repeatDelay = wholeFrames(40 / settings.gameSpeed);
    scatterField(controls, frame.bomb);
}

void updateSky(RaceFrame& frame)
{
    frame.skyPicture = settings.showSky;

    const float t = menu.menuClock;
    RaceColour colour{1.0f, 1.0f, 1.0f};
    if (race.barLevel < 0.0f) {
        colour = RaceColour{std::sin(t) + 1.0f, std::cos(t) + 1.0f,
                            (std::sin(t) + std::cos(t)) * 0.5f + 1.0f};
        // With the race's own +0.06 the colours run at 0.1 a frame while
        // crashed instead of 0.16.
        menu.menuClock -= 0.059999;
    }
    if (!settings.showSky)
        colour = RaceColour{0.515625f, 0.59765625f, 0.98828125f};

    const RaceTypeFacts* type = raceTypeFacts(settings.raceType);
    switch (type != nullptr ? type->sky : SkyMood::PLAIN) {
    case SkyMood::PURPLE: colour = RaceColour{0.8f, 0.3f, 0.8f}; break;
    case SkyMood::STORM:
        if (race.lightning) {
            colour = RaceColour{1.0f, 1.0f, 1.0f};
            if (settings.soundOn && gameRandom() % 6 == 1)
                playRaceSound("Data/Boom2.wav");
        } else {
            colour = RaceColour{0.3f, 0.3f, 0.3f};
        }
        break;
    case SkyMood::DAY_AND_NIGHT: colour = dayAndNight(); break;
    default: break;
    }
    frame.sky = colour;
}

void showFinishHint(RaceFrame& frame)
{
    if (settings.raceType == RaceType::JOURNEY)
        return;
    if (race.barLevel > race.barTarget - 0.2 && race.barLevel < race.barTarget)
        addRaceText(frame.texts, true, RaceColour{0.0f, 4.0f, 0.0f}, -2.2f, 9.0f,
                    "A Little Further!!");
}
