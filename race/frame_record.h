// What a race frame draws at random and the sounds it asks for, kept so
// that a paused race can draw its last frame again without touching the
// random sequence or making a sound.
#pragma once

// gameRandom(), remembered for the frame being recorded; while a frame is
// drawn again, the remembered draws come back in order (0 once they run
// out).
int raceRandom();

// Plays a race sound (callers test soundOn); silent while a frame is drawn
// again.
void playRaceSound(const char* fileName);

// Forgets the draws so far: a new frame is about to be recorded.
void startFrameRecord();

// Drawing the recorded frame again, and back to normal.
void beginFrameReplay();
void endFrameReplay();
