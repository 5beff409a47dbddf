// The help screen, the exit screen and the tip of the day.
#include "frontend/help_exit_tips.h"

#include "app/frame.h"
#include "app/input.h"
#include "persist/settings.h"

#include <cstdlib>

static const char* const tips[21] = {
    "Don't hit shapes!",
    "Warcraft III is a much better game than this!",
    "On the race modes (Short, Medium and Long), speed up as high as you can without hitting "
    "anything",
    "On Journey, don't hit anything!",
    "Water tastes good!",
    "Use Bombs only when you're stuck!",
    "Lok tar o'gar my warriors!",
    "Made by Kelvorn!",
    "If Trigonix is running slowly, turn off the sky, or get a real graphics card!",
    "Smile!",
    "Want to make a game like this one? Find a good OpenGL tutorial web site and learn step by "
    "step!",
    "PCGamer rocks!",
    "Aragorn gave Trigonix a 2 thumbs up!",
    "\"You shall not pass!\"",
    "Don't pet burning cats!",
    "Arthas is a fool!",
    "Stuck on a game of your own? A good tutorial web site will get you going again!",
    "School bus exhaust kills!",
    "E-A-G-L-E-S!",
    "A squared plus B squared equals C squared!",
    "The Dragon is Reborn!",
};

void showTipOfTheDay()
{
    if (!screens.frontEnd || !input.keys['T'] || settings.fullscreen)
        return;
    input.keys['T'] = false;
    int i = std::rand() % 21;
    MessageBoxA(nullptr, tips[i], "Tip of the day!", MB_ICONINFORMATION);
}

// Placeholders until the help and exit screens are built.
void helpScreen() {}
void exitScreen() {}
