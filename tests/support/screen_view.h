// Reading the game's picture off the frame just drawn: where a point of one
// of the game's drawing frames lands in the window, the pixels there, and
// whether a text stands at a raster position exactly as the game's font
// prints it (printed again alone and compared pixel by pixel around it).
#pragma once

#include "tests/support/game_fixture.h"

#include <string>
#include <vector>

namespace screenView {

// --- Drawing frames and where their points land ----------------------------

// A frame the game draws in: from the identity, translated, then turned
// about the view axis by `turn` degrees.
struct Placement {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float turn = 0.0f;
};

Placement frontEndFrame();  // menus and information screens
Placement nameEntryFrame();
Placement hudFrame();   // the race's score and bombs
Placement shipFrame();  // the ship and the progress bar
// The race's world; in WORLD mode it is turned by -steerVelocity.
Placement worldFrame(float turn = 0.0f);

// Where the point (x, y, z) of `frame` is drawn with the window's current
// projection and viewport: client pixels from the top-left, as the mouse
// and pixelAt count them, not rounded; and whether it is in the view.
struct WindowPoint {
    double x = 0.0;
    double y = 0.0;
    bool inView = false;
};
WindowPoint windowPoint(const Placement& frame, float x, float y, float z = 0.0f);

// The client pixel that point falls in; a point outside the view fails the
// test.
struct Point {
    int x = 0;
    int y = 0;
};
Point project(const Placement& frame, float x, float y, float z = 0.0f);

// Moves the mouse over the point (x, y) of the front end; a point outside
// the view fails the test.
void pointMouseAt(float x, float y);

// --- The frame just drawn --------------------------------------------------

// The back buffer, bottom row first, RGB.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    bool operator==(const Frame&) const = default;
};
Frame grab();

// A pixel, client pixels from the top-left.
Rgb pixelOf(const Frame& frame, int x, int y);

// Pixels of colour (r, g, b) in a rectangle of client pixels (clipped).
int countIn(const Frame& frame, int left, int top, int width, int height, int r, int g, int b,
            int tolerance = 3);

// How many pixels differ between two frames of the same size, outside the
// rectangle given.
int differencesOutside(const Frame& a, const Frame& b, int left, int top, int width, int height);

// --- Colours ---------------------------------------------------------------

struct Colour {
    float red, green, blue;
};

// Menu rows that are not current.
constexpr Colour grey{0.2f, 0.2f, 0.2f};
// The current row's colour at a given menuClock.
Colour highlight(float menuClock);

// The bytes a colour is stored as, each component clamped to 0..1.
Rgb stored(Colour colour);

// --- Texts -----------------------------------------------------------------

// One comparison, over the text's box with a margin wide enough to catch a
// character more or less at its end.
struct Match {
    int lit = 0;      // pixels the text lights on its own
    int missing = 0;  // of those, pixels the frame does not show in the text's colour
    int extra = 0;    // other pixels of the box that the frame shows in that colour

    bool shown() const { return lit > 0 && missing == 0 && extra == 0; }
    // Enough of it to be sure it is there, though something may cover a part.
    bool mostlyShown() const { return lit > 0 && missing * 10 <= lit; }
    // None of its pixels in its colour.
    bool absent() const { return lit > 0 && missing == lit; }
};

// Whether `frame` shows exactly `text` in `colour` at raster position
// (x, y) of `placement`. Draws into the back buffer (grab first) and leaves
// the rendering state as it found it.
Match compare(const Frame& frame, const std::string& text, float x, float y, Colour colour,
              const Placement& placement = frontEndFrame());

// Same, for a text printed moved left by half its width from (0, y): centred.
Match compareCentred(const Frame& frame, const std::string& text, float y, Colour colour,
                     const Placement& placement = frontEndFrame());

// Pixels of `colour` along the line of a text that would start at raster
// position (x, y) of the front end, `width` pixels long: whatever the text.
int linePixels(const Frame& frame, float x, float y, Colour colour, int width = 400);

// --- The front end's shapes ------------------------------------------------

// Pixels of `colour` in the rectangle of front-end units centred on the
// point (x, y, z), `halfWidth` and `halfHeight` to either side.
int pixelsNear(const Frame& frame, float x, float y, float z, float halfWidth, float halfHeight,
               Colour colour);

// Pixels of `colour` in a strip through the marker beside a row at height
// `y`: narrow enough that a marker beside the next row does not reach it.
int markerPixels(const Frame& frame, float y, Colour colour);

}  // namespace screenView
