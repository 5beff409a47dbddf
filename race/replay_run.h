// A recorded race run again: its start put back into the records the race
// reads and the race begun as it began, then its frames fed to the race
// one by one as the frame function fed them. Watched, it is drawn; checked,
// it runs without a window.
#pragma once

#include "race/race_frame.h"
#include "race/replay.h"

struct ReplayRun {
    ReplayReader reader;
    ReplayFrame next;  // the frame to run next
    bool nextReady = false;
    std::uint32_t done = 0;  // frames run so far
};

// Overwrites the settings the race reads, the menu clock and delay, the
// generator, the race, the field and the race type's best with the
// replay's start, and begins the race: the look of its scatter, to draw.
// `run` reads the replay's runs, which must outlive it.
FieldLook beginReplayRun(const Replay& replay, ReplayRun& run);

// Runs the next recorded frame, its picture into `picture` and whether it
// advanced (not paused) into `advanced`. False, with nothing run, once the
// frames are all run, or once the race has handed over to name entry: the
// race stopped there when it was recorded.
bool runReplayFrame(ReplayRun& run, RaceFrame& picture, bool& advanced);

struct ReplayCheck {
    int score = 0;             // the shown score after the last frame run
    std::uint32_t frames = 0;  // the frames run
    bool endedAsBest = false;  // its last frame made a new best
    bool brokenRuns = false;
};

// The whole replay without a window and without a sound. The records the
// race reads are left as the end of the replay left them.
ReplayCheck checkReplay(const Replay& replay);

// Checked, it reaches the best stored with it exactly on its last frame.
bool replayHolds(const Replay& replay, const ReplayCheck& check);
