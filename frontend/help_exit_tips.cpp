// The help screen, the exit screen and the tip of the day.
#include "frontend/help_exit_tips.h"

#include "frontend/menu.h"
#include "game/app_state.h"
#include "game/input.h"
#include "game/random.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "render/font.h"
#include "render/text_width.h"

#include <GL/gl.h>

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
    if (!screens.frontEnd || !input.keys[tipKey] || settings.fullscreen)
        return;
    input.keys[tipKey] = false;
    int i = gameRandom() % 21;
    MessageBoxA(nullptr, tips[i], "Tip of the day!", MB_ICONINFORMATION);
}

namespace {

struct HelpLine {
    float red, green, blue;
    float y;
    const char* text;
};

const HelpLine helpLines[9] = {
    {1.0f, 1.0f, 0.0f, 3.3f, "On the race types Short, Medium, and Hard, the goal is to fill up"},
    {1.0f, 1.0f, 0.3f, 2.7f, "the red bar on the right. The bar will fill up faster the faster"},
    {1.0f, 1.0f, 0.4f, 2.1f, "you go. If you hit a shape, your bar will drop down. If your bar"},
    {1.0f, 1.0f, 0.7f, 1.5f, "drops all the way down, you crash and die. When you reach the end,"},
    {1.0f, 1.0f, 1.0f, 0.9f, "you want to have the lowest score."},
    {1.0f, 1.0f, 1.0f, -0.5f, "If you are playing Journey, the goal is to survive as long as"},
    {1.0f, 0.7f, 1.0f, -1.1f,
     "possible. You cannot speed up, but one touch of a shape will kill you."},
    {1.0f, 1.0f, 1.0f, -2.5f, "BOMBS:   Bombs are used on Medium and Long races. Using a bomb"},
    {0.7f, 1.0f, 1.0f, -3.1f, "will clear an area in front of your ship of triangles."},
};

// Two short lines, so that the farewell fits even the smallest window.
const char* const farewell = "Thanks for playing Trigonix!";
const char* const leaveHint = "Press ENTER to leave.";

// Text of a fixed pixel width takes a different share of the view at each
// resolution, so the line is measured first and then moved back by half
// its width from the centre.
void printCentred(float y, const char* text)
{
    glRasterPos2f(0.0f, y);
    const float width = measureText(text);

    // A move without a bitmap still needs a pointer: Mesa takes a null one
    // for a failed allocation and loses the move.
    static const GLubyte noBits = 0;
    glRasterPos2f(0.0f, y);
    glBitmap(0, 0, 0.0f, 0.0f, -0.5f * width, 0.0f, &noBits);
    printText("%s", text);
}

}  // namespace

void helpScreen()
{
    for (const HelpLine& line : helpLines) {
        glColor3f(line.red, line.green, line.blue);
        glRasterPos2f(-5.0f, line.y);
        printText("%s", line.text);
    }
}

void exitScreen()
{
    glColor3f(0.0f, 1.0f, 1.0f);
    printCentred(0.5f, farewell);
    glColor3f(1.0f, 0.0f, 1.0f);
    printCentred(-0.5f, leaveHint);

    // Not held back by the repeat delay: the Enter that chose QUIT was
    // already cleared, so any Enter seen here is a new one.
    if (input.keys[VK_RETURN]) {
        app.quitRequested = true;
        playBleep();
    }
    input.keys[VK_RETURN] = false;
}
