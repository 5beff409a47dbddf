// The help screen, the exit screen and the tip of the day.
#pragma once

void helpScreen();
void exitScreen();

// Shows a tip when T is down in the windowed front end.
void showTipOfTheDay();
