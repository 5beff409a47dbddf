// The high-score table, and wiping it.
#pragma once

void highScoreScreen();

// The table as a fresh game has it; plays the erase sound when sound is on.
void resetHighScores();
