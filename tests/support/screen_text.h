// Reading the game's text off the frame just drawn: the text expected is
// printed again, alone, with the same font, colour and raster position, and
// the two pictures are compared pixel by pixel around it.
#pragma once

#include <string>
#include <vector>

namespace screenText {

struct Colour {
    float red, green, blue;
};

// Menu rows that are not current.
constexpr Colour grey{0.2f, 0.2f, 0.2f};
// The current row's colour at a given menuClock.
Colour highlight(float menuClock);

// The frame just drawn (the back buffer), bottom row first, RGB.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};
Frame grab();

// The window position (pixels, origin at the bottom left, as OpenGL has
// it) of raster position (x, y) in a modelview translated by (0, 0, depth)
// from the identity: -10 in the front end, -5 in name entry.
struct Point {
    float x = 0.0f;
    float y = 0.0f;
};
Point rasterPoint(float x, float y, float depth = -10.0f);

// The outcome of one comparison, over the text's box with a margin wide
// enough to catch a character more or less at the end.
struct Match {
    int lit = 0;      // pixels the text lights on its own
    int missing = 0;  // of those, pixels the frame does not show in that colour
    int extra = 0;    // other pixels of the box that the frame shows in that colour

    bool shown() const { return lit > 0 && missing == 0 && extra == 0; }
};

// Whether `frame` shows exactly `text` in `colour` at raster position
// (x, y). Draws into the back buffer (the frame must have been grabbed
// first) and leaves the rendering state as it found it.
Match compare(const Frame& frame, const std::string& text, float x, float y, Colour colour,
              float depth = -10.0f);

// Same, for text drawn moved left by half its width from (0, y): centred.
Match compareCentred(const Frame& frame, const std::string& text, float y, Colour colour,
                     float depth = -10.0f);

}  // namespace screenText
