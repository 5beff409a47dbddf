// Reading the race off the frame just drawn: where a point of the HUD,
// ship or world frame lands in the window, and whether a text is shown
// there in its colour (printed again alone and compared pixel by pixel).
#pragma once

#include <string>
#include <vector>

namespace raceView {

// A frame of the race: from the identity, translated, then turned about
// the view axis by `turn` degrees (the world frame in WORLD mode is turned
// by -steerVelocity).
struct Placement {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float turn = 0.0f;
};

Placement hudFrame();
Placement shipFrame();
Placement worldFrame(float turn = 0.0f);

// Client pixels from the top-left, as the fixture's pixelAt takes them; a
// point outside the view fails the test.
struct Point {
    int x = 0;
    int y = 0;
};
Point project(const Placement& frame, float x, float y, float z = 0.0f);

// The back buffer, bottom row first, RGB.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    bool operator==(const Frame&) const = default;
};
Frame grab();

struct Colour {
    float red, green, blue;
};

struct Match {
    int lit = 0;      // pixels the text lights on its own
    int missing = 0;  // of those, pixels the frame does not show in the text's colour
    int extra = 0;    // other pixels of the text's box that show that colour

    bool shown() const { return lit > 0 && missing == 0 && extra == 0; }
    // Enough of it to be sure it is there, though something may cover a part.
    bool mostlyShown() const { return lit > 0 && missing * 10 <= lit; }
    // None of its pixels in its colour.
    bool absent() const { return lit > 0 && missing == lit; }
};

// Whether `frame` shows `text` in `colour` at raster position (x, y) of
// `placement`. Draws into the back buffer (grab first) and leaves the
// rendering state as it was.
Match compare(const Frame& frame, const std::string& text, float x, float y, Colour colour,
              const Placement& placement);

// Pixels of colour (r, g, b) in a rectangle of client pixels from the top-left.
int countIn(const Frame& frame, int left, int top, int width, int height, int r, int g, int b,
            int tolerance = 3);

// A pixel of a grabbed frame, client pixels from the top-left.
struct Rgb8 {
    int r, g, b;
};
Rgb8 pixelOf(const Frame& frame, int x, int y);

// How many pixels differ between two frames of the same size, outside
// the rectangle given (client pixels from the top-left).
int differencesOutside(const Frame& a, const Frame& b, int left, int top, int width, int height);

}  // namespace raceView
