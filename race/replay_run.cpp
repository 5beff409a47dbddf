// Running a recorded race again.
#include "race/replay_run.h"

#include "game/random.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "race/race_simulation.h"
#include "race/race_sounds.h"
#include "race/race_types.h"

FieldLook beginReplayRun(const Replay& replay, ReplayRun& run)
{
    const ReplayStart& start = replay.start;
    settings.raceType = start.raceType;
    settings.showSky = start.showSky;
    settings.rotateShip = start.rotateShip;
    settings.soundOn = start.soundOn;
    settings.accelerateKey = start.keys[0];
    settings.decelerateKey = start.keys[1];
    settings.leftKey = start.keys[2];
    settings.rightKey = start.keys[3];
    settings.bombKey = start.keys[4];
    settings.gameSpeed = start.gameSpeed;
    setGameRandomState(start.randomState);
    race = start.race;
    for (int row = 0; row < fieldRows; ++row)
        field[row] = start.field[row];
    if (HighScoreEntry* entry = highScoreFor(start.raceType))
        entry->best = start.bestToBeat;

    // A race is started with no name entry up; the replay's own end will
    // raise it.
    if (screens.nameEntryShown)
        closeNameEntry();

    run = ReplayRun{};
    run.reader = readRuns(replay.runs);
    run.nextReady = nextFrame(run.reader, run.next);
    const FieldLook scatter = beginRace();
    menu.menuClock = start.firstMenuClock;
    menu.repeatDelay = start.firstRepeatDelay;
    settings.gameSpeed = start.firstGameSpeed;
    return scatter;
}

bool runReplayFrame(ReplayRun& run, RaceFrame& picture, bool& advanced)
{
    if (!run.nextReady || screens.nameEntryShown)
        return false;
    const ReplayFrame frame = run.next;
    run.nextReady = nextFrame(run.reader, run.next);

    if (frame.reseeded)
        setGameRandomState(frame.randomState);
    // The first frame's start of frame came before the race began.
    if (run.done > 0)
        startRaceFrame(frame.speedKey, frame.framesPerSecond, frame.enter);
    // The rate counted at this frame's end is the one the next frame saw.
    const int rateAtEnd = run.nextReady ? run.next.framesPerSecond : frame.framesPerSecond;
    advanced = finishRaceFrame(frame.controls, picture, rateAtEnd);
    ++run.done;
    return true;
}

ReplayCheck checkReplay(const Replay& replay)
{
    silenceRaceSounds(true);
    ReplayRun run;
    beginReplayRun(replay, run);
    RaceFrame picture;
    bool advanced = false;
    while (runReplayFrame(run, picture, advanced)) {
    }
    silenceRaceSounds(false);

    ReplayCheck check;
    check.score = shownScore();
    check.frames = run.done;
    check.endedAsBest = screens.nameEntryShown && !run.nextReady;
    check.brokenRuns = run.reader.broken;
    return check;
}

bool replayHolds(const Replay& replay, const ReplayCheck& check)
{
    return check.endedAsBest && !check.brokenRuns && check.frames == replay.frames &&
           check.score == replay.best;
}
