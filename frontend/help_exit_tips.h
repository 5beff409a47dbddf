// The help screen, the exit screen and the tip of the day.
#pragma once

void helpScreen();
void exitScreen();

// The tip's key, T: a letter's virtual-key code is its capital.
constexpr int tipKey = 'T';

// Shows a tip when T is down in the windowed front end.
void showTipOfTheDay();
