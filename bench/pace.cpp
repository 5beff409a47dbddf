// Race progress per simulated second at several frame rates.
#include "bench/pace.h"

#include "app/frame.h"
#include "app/game_window.h"
#include "app/win_main.h"
#include "bench/bench_support.h"
#include "game/frame_rate.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "race/race_timing.h"

#include <cmath>
#include <cstdlib>

namespace {

// Settled: the speed factor within 1 % of its target for a whole second.
constexpr double settledWithin = 0.01;
constexpr int longestSettleSeconds = 120;
constexpr int measuredSeconds = 20;
// A step larger than this is a respawn or a scatter, not travel.
constexpr float largestStep = 20.0f;

struct PaceResult {
    int rate = 0;
    double settleSeconds = 0.0;
    bool settled = false;
    double travelPerSecond = 0.0;
    double clockPerSecond = 0.0;
    double scorePerSecond = 0.0;
    double meanGameSpeed = 0.0;
    double minGameSpeed = 0.0;
    double maxGameSpeed = 0.0;
};

void frame(SimulatedClock& clock)
{
    // The bar stays put, so the race neither ends nor is lost.
    if (countdownOver())
        race.barLevel = 1.0f;
    drawScene();
    SwapBuffers(gameWindow.deviceContext);
    clock.frameDone();
}

PaceResult paceAt(int rate, SimulatedClock& clock)
{
    settings.gameSpeed = 1.0f;
    settings.raceType = RaceType::SHORT;
    race.barTarget = 2.0f;
    clock.start(rate);
    frameRate = FrameRate{0, 0, clock.now};

    PaceResult result;
    result.rate = rate;
    startRace();
    const float target = targetSpeed(rate);
    int framesInBand = 0;
    int settleFrames = 0;
    while (framesInBand < rate && settleFrames < longestSettleSeconds * rate) {
        frame(clock);
        ++settleFrames;
        const bool inBand =
            countdownOver() && std::fabs(settings.gameSpeed / target - 1.0) < settledWithin;
        framesInBand = inBand ? framesInBand + 1 : 0;
    }
    result.settled = framesInBand >= rate;
    // From the race start: the countdown, the score of 20 the tuning waits
    // for, and the creep towards the target.
    result.settleSeconds = static_cast<double>(settleFrames) / rate;
    result.minGameSpeed = settings.gameSpeed;
    result.maxGameSpeed = settings.gameSpeed;
    const double clockStart = race.raceClock;
    const int scoreStart = shownScore();
    double travel = 0.0;
    double speedSum = 0.0;
    const int frames = measuredSeconds * rate;
    for (int i = 0; i < frames; ++i) {
        float before[fieldObstacles];
        for (int row = 0; row < fieldObstacles; ++row)
            before[row] = field[row].along;
        frame(clock);
        // Every shape moves the same step; those that respawned are left out.
        double stepSum = 0.0;
        int moved = 0;
        for (int row = 0; row < fieldObstacles; ++row) {
            const float step = field[row].along - before[row];
            if (step >= 0.0f && step < largestStep) {
                stepSum += step;
                ++moved;
            }
        }
        if (moved > 0)
            travel += stepSum / moved;
        speedSum += settings.gameSpeed;
        if (settings.gameSpeed < result.minGameSpeed)
            result.minGameSpeed = settings.gameSpeed;
        if (settings.gameSpeed > result.maxGameSpeed)
            result.maxGameSpeed = settings.gameSpeed;
    }
    result.travelPerSecond = travel / measuredSeconds;
    result.clockPerSecond = (race.raceClock - clockStart) / measuredSeconds;
    result.scorePerSecond = static_cast<double>(shownScore() - scoreStart) / measuredSeconds;
    result.meanGameSpeed = speedSum / frames;
    return result;
}

}  // namespace

std::string measurePace(const std::vector<int>& framesPerSecond)
{
    screens = ScreenFlags{};
    menu = MenuState{};
    input = InputState{};
    race = RaceState{};
    loadSettings();
    settings.soundOn = false;
    settings.showSky = false;
    SimulatedClock clock;
    clock.start(60);
    if (!createGameWindow("Trigonix", 640, 480, 16, false)) {
        std::fprintf(stderr, "trigonix_bench: cannot open the pace window\n");
        std::exit(1);
    }

    std::string list = "[";
    for (int rate : framesPerSecond) {
        const PaceResult result = paceAt(rate, clock);
        JsonObject object;
        object.add("fps", result.rate);
        object.add("target_speed", targetSpeed(result.rate));
        object.add("mean_game_speed", result.meanGameSpeed);
        object.add("min_game_speed", result.minGameSpeed);
        object.add("max_game_speed", result.maxGameSpeed);
        object.add("travel_per_second", result.travelPerSecond);
        object.add("race_clock_per_second", result.clockPerSecond);
        object.add("score_per_second", result.scorePerSecond);
        object.add("settled", result.settled ? 1.0 : 0.0);
        object.add("settle_seconds", result.settleSeconds);
        object.add("measured_seconds", measuredSeconds);
        if (list.size() > 1)
            list += ", ";
        list += object.close();
    }
    list += "]";
    closeGameWindow();
    return list;
}
