// The recording of the race in progress.
#include "race/race_recording.h"

#include "game/frame_rate.h"
#include "game/input.h"
#include "game/random.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "race/race.h"
#include "race/race_types.h"
#include "race/replay_file.h"

namespace {

struct Recorder {
    bool on = false;
    Replay replay;
    // The last run, counted until a frame differs from it.
    ReplayFrame open;
    std::uint32_t openCount = 0;
    long long statedRate = -1;
    std::uint32_t randomLeft = 0;  // where the race left the generator
};

Recorder recorder;

bool sameInput(const ReplayFrame& a, const ReplayFrame& b)
{
    const RaceControls& x = a.controls;
    const RaceControls& y = b.controls;
    return x.accelerate == y.accelerate && x.decelerate == y.decelerate && x.left == y.left &&
           x.right == y.right && x.bomb == y.bomb && x.leftButton == y.leftButton &&
           x.rightButton == y.rightButton && x.endKey == y.endKey && x.zeroKey == y.zeroKey &&
           a.enter == b.enter && a.escape == b.escape && a.speedKey == b.speedKey &&
           a.framesPerSecond == b.framesPerSecond && !a.reseeded && !b.reseeded;
}

void closeRun()
{
    if (recorder.openCount == 0)
        return;
    appendRun(recorder.replay.runs, recorder.open, recorder.openCount, recorder.statedRate);
    recorder.openCount = 0;
}

bool raceEnded() { return race.barLevel > race.barTarget || race.barLevel < 0.0f; }

}  // namespace

void recordRaceStart()
{
    // As the start is about to: a race started before any front-end frame
    // repaired the race type is recorded as the race it will be.
    wrapRaceType();
    recorder = Recorder{};
    recorder.on = true;
    ReplayStart& start = recorder.replay.start;
    start.raceType = settings.raceType;
    start.showSky = settings.showSky;
    start.rotateShip = settings.rotateShip;
    start.soundOn = settings.soundOn;
    start.keys[0] = settings.accelerateKey;
    start.keys[1] = settings.decelerateKey;
    start.keys[2] = settings.leftKey;
    start.keys[3] = settings.rightKey;
    start.keys[4] = settings.bombKey;
    start.gameSpeed = settings.gameSpeed;
    start.randomState = gameRandomState();
    const HighScoreEntry* entry = highScoreFor(settings.raceType);
    start.bestToBeat = entry != nullptr ? entry->best : 0;
    start.race = race;
    for (int row = 0; row < fieldRows; ++row)
        start.field[row] = field[row];
}

void recordRaceFrame(const RaceControls& controls)
{
    if (!recorder.on)
        return;
    ReplayFrame frame;
    frame.controls = controls;
    frame.enter = input.keys[VK_RETURN];
    frame.escape = input.keys[VK_ESCAPE];
    frame.speedKey = input.keys[VK_F12];
    frame.framesPerSecond = frameRate.framesPerSecond;
    if (gameRandomState() != recorder.randomLeft) {
        frame.reseeded = true;
        frame.randomState = gameRandomState();
    }

    Replay& replay = recorder.replay;
    if (replay.frames == 0) {
        replay.start.firstMenuClock = menu.menuClock;
        replay.start.firstRepeatDelay = menu.repeatDelay;
        replay.start.firstGameSpeed = settings.gameSpeed;
    }
    ++replay.frames;
    // Days of racing: memory stays bounded, and such a race is not kept.
    if (replay.frames > mostFrames) {
        recorder = Recorder{};
        return;
    }
    if (recorder.openCount > 0 && recorder.openCount < UINT32_MAX &&
        sameInput(frame, recorder.open)) {
        ++recorder.openCount;
        return;
    }
    closeRun();
    recorder.open = frame;
    recorder.openCount = 1;
    if (replay.runs.size() > longestRuns)
        recorder = Recorder{};
}

void recordWhereRaceLeftOff()
{
    if (!recorder.on)
        return;
    recorder.randomLeft = gameRandomState();
    if (screens.nameEntryShown) {
        closeRun();
        recorder.replay.best = shownScore();
        saveReplay(recorder.replay);
        recorder = Recorder{};
    } else if (raceEnded()) {
        recorder = Recorder{};
    }
}
