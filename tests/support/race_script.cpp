// Scripted races: a fixed start, inputs frame by frame, and the record of
// every frame for the replay and pause tests.
#include "tests/support/race_script.h"

#include "game/frame_rate.h"
#include "game/input.h"
#include "game/random.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "tests/support/game_fixture.h"

#include <cstring>
#include <sstream>

namespace raceScript {

namespace {

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

bool sameRace(const RaceState& a, const RaceState& b)
{
    return sameBits(a.raceClock, b.raceClock) && sameBits(a.shipSpeed, b.shipSpeed) &&
           sameBits(a.steerVelocity, b.steerVelocity) && sameBits(a.barLevel, b.barLevel) &&
           sameBits(a.barTarget, b.barTarget) && sameBits(a.bombs, b.bombs) &&
           a.raceFrames == b.raceFrames && sameBits(a.skyLevel, b.skyLevel) &&
           a.skyRising == b.skyRising && a.lightning == b.lightning;
}

bool sameField(const Obstacle* a, const Obstacle* b)
{
    for (int row = 0; row < fieldRows; ++row) {
        if (!sameBits(a[row].along, b[row].along) || !sameBits(a[row].across, b[row].across))
            return false;
    }
    return true;
}

bool sameTable(const HighScoreTable& a, const HighScoreTable& b)
{
    for (int row = 0; row < 4; ++row) {
        if (a.rows[row].best != b.rows[row].best)
            return false;
        for (int n = 1; n <= 3; ++n) {
            if (a.rows[row].initials.get(n) != b.rows[row].initials.get(n))
                return false;
        }
    }
    return true;
}

bool sameMoment(const Moment& a, const Moment& b, bool withPicture)
{
    return sameRace(a.race, b.race) && sameField(a.field, b.field) &&
           sameBits(a.menuClock, b.menuClock) && a.repeatDelay == b.repeatDelay &&
           sameBits(a.gameSpeed, b.gameSpeed) && a.sounds == b.sounds &&
           (!withPicture || a.picture == b.picture);
}

std::string describe(const RaceState& race)
{
    std::ostringstream out;
    out.precision(9);
    out << "clock " << race.raceClock << " speed " << race.shipSpeed << " steer "
        << race.steerVelocity << " bar " << race.barLevel << "/" << race.barTarget << " bombs "
        << race.bombs << " frames " << race.raceFrames << " sky " << race.skyLevel
        << (race.skyRising ? " rising" : " falling") << (race.lightning ? " lightning" : "");
    return out.str();
}

std::uint64_t hashBytes(const void* bytes, std::size_t size, std::uint64_t hash)
{
    const auto* data = static_cast<const unsigned char*>(bytes);
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= data[i];
        hash *= 1099511628211ull;
    }
    return hash;
}

std::uint64_t hashFrame(const screenView::Frame& frame)
{
    return hashBytes(frame.rgb.data(), frame.rgb.size());
}

bool sameSetup(const Setup& a, const Setup& b)
{
    return a.raceType == b.raceType && a.seed == b.seed && a.showSky == b.showSky &&
           a.rotateShip == b.rotateShip && a.soundOn == b.soundOn &&
           a.framesPerSecond == b.framesPerSecond && sameBits(a.gameSpeed, b.gameSpeed) &&
           a.best == b.best && a.fromTitle == b.fromTitle;
}

void startFixedRace(int raceType, unsigned seed)
{
    Setup setup;
    setup.raceType = raceType;
    setup.seed = seed;
    startFixedRace(setup);
}

void startFixedRace(const Setup& setup, bool inWindow)
{
    const int raceType = setup.raceType;
    screens = ScreenFlags{};
    menu = MenuState{};
    input = InputState{};
    frameRate.framesPerSecond = setup.framesPerSecond;
    frameRate.framesThisSecond = 0;
    frameRate.secondStamp = 1000;

    settings.gameSpeed = setup.gameSpeed;
    settings.showSky = setup.showSky;
    settings.resolutionIndex = 2;
    settings.raceType = raceType;
    useArrowKeysAndSpaceBar();
    settings.rotateShip = setup.rotateShip;
    settings.soundOn = setup.soundOn;
    settings.fullscreen = false;

    const int bests[4] = {90, 250, 400, 30};
    const char* initials[4] = {"ABC", "DEF", "GHI", "JKL"};
    for (int row = 0; row < 4; ++row) {
        highScores.rows[row].best = bests[row];
        for (int n = 1; n <= 3; ++n)
            highScores.rows[row].initials.set(n, initials[row][n - 1]);
    }
    if (setup.best >= 0 && raceType >= 1 && raceType <= 4)
        highScores.rows[raceType - 1].best = setup.best;

    race = RaceState{};
    const float targets[4] = {2.0f, 4.0f, 6.0f, 10000000.0f};
    race.barTarget = raceType >= 1 && raceType <= 4 ? targets[raceType - 1] : 2.0f;
    for (int row = 0; row < fieldRows; ++row) {
        field[row].along = static_cast<float>(-20 + 3 * row);
        field[row].across = static_cast<float>((row % 2 == 0 ? 1 : -1) * (5 + row));
    }
    seedGameRandom(setup.seed);
    if (setup.fromTitle)
        return;
    if (inWindow)
        startRace();
    else
        beginRace();
}

void deliver(const std::vector<Step>& script, int frame)
{
    for (const Step& step : script) {
        if (step.frame != frame)
            continue;
        switch (step.action) {
        case Action::keyDown: pressKey(step.code); break;
        case Action::keyUp: releaseKey(step.code); break;
        case Action::leftDown: pressLeftButton(); break;
        case Action::leftUp: releaseLeftButton(); break;
        case Action::rightDown: pressRightButton(); break;
        case Action::rightUp: releaseRightButton(); break;
        }
    }
}

Moment momentNow(std::size_t soundsAtStart, bool withPicture)
{
    Moment moment{};
    moment.race = race;
    for (int row = 0; row < fieldRows; ++row)
        moment.field[row] = field[row];
    moment.menuClock = menu.menuClock;
    moment.repeatDelay = menu.repeatDelay;
    moment.gameSpeed = settings.gameSpeed;
    moment.sounds = testHooks::soundsRequested().size() - soundsAtStart;
    moment.picture = withPicture ? hashFrame(screenView::grab()) : 0;
    return moment;
}

}  // namespace raceScript
