// The race's sounds, the contacts and the thunder. The advance asks for
// them whenever the race's own sound setting is on, so a replay draws the
// same random numbers as the race it shows; whether they are heard is
// decided here.
#pragma once

// Plays `file` unless the race's sounds are silenced.
void playRaceSound(const char* file);

// A replay watched with the sound off, or one checked without a window,
// hears nothing of the race it runs.
void silenceRaceSounds(bool silenced);
