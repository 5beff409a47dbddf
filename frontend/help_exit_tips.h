// The help screen, the exit screen and the tip of the day.
#pragma once

// Shows a tip when T is down in the windowed front end.
void showTipOfTheDay();
