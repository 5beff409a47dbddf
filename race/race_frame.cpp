// Filling the picture's text lists.
#include "race/race_frame.h"

#include <cstdarg>
#include <cstdio>

namespace {

RaceText* nextText(RaceTexts& texts, bool setsColour, RaceColour colour, float x, float y)
{
    if (texts.count >= raceFrameTexts)
        return nullptr;
    RaceText& line = texts.lines[texts.count++];
    line = RaceText{};
    line.setsColour = setsColour;
    line.colour = colour;
    line.x = x;
    line.y = y;
    return &line;
}

}  // namespace

void addRaceText(RaceTexts& texts, bool setsColour, RaceColour colour, float x, float y,
                 const char* format, ...)
{
    RaceText* line = nextText(texts, setsColour, colour, x, y);
    if (line == nullptr)
        return;
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line->text, sizeof line->text, format, arguments);
    va_end(arguments);
}

void addRasterPosition(RaceTexts& texts, bool setsColour, RaceColour colour, float x, float y)
{
    nextText(texts, setsColour, colour, x, y);
}
