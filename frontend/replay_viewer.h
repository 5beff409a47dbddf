// Watching a best run from the high-score table: the race type's replay
// run again through the race's own draw, one recorded frame a frame, with
// "REPLAY" in a corner, until Escape or Enter ends it. The replay runs in
// the records the race reads; the game as it stood (settings, table,
// generator, race, field, menu and screen flags) waits aside meanwhile and
// is put back exactly. Nothing of a replay is saved or recorded.
#pragma once

// Keys 1 to 4 on the table: the replay of SHORT, MEDIUM, LONG or JOURNEY
// starts with the next frame. Nothing happens when the race type has no
// replay, or when its file is refused (said on stderr and in the problem
// log).
void watchBestRun(int raceType);

// A replay asked for or under way: it owns the frame.
bool watchingReplay();

// One frame of it: the next recorded frame run and drawn, or, once all
// are run, the last picture held.
void replayFrame();

// Escape or Enter: the game back as it stood, the clear colour included.
void stopWatchingReplay();

// The teardown's: the game's records back before they are saved, with no
// drawing (the window is going).
void dropReplay();
