// Reading the front end off the screen: where a point of the front-end
// frame (the modelview translated by (0, 0, -10)) lands in the window, the
// colour a float colour is stored as, and whether a text stands at a raster
// position exactly as the game's font draws it.
#pragma once

#include "tests/support/game_fixture.h"

#include <string>
#include <vector>

// Client pixels from the top-left, as the mouse and pixelAt count them.
struct WindowPoint {
    double x;
    double y;
};

// Where the front-end point (x, y, z) is drawn with the window's current
// projection and viewport.
WindowPoint frontEndPoint(double x, double y, double z = 0.0);

// The bytes a colour is stored as, each component clamped to 0..1.
Rgb storedColour(double r, double g, double b);

// The highlight colour of the current row at menu clock `clock`.
Rgb highlightColour(float clock);

// The frame just drawn, kept so several texts can be checked against it.
struct FrameCapture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // rows from the top

    Rgb at(int x, int y) const;
    // Pixels of the colour in the rectangle (client pixels, clipped).
    int count(int x, int y, int width, int height, Rgb colour, int tolerance = 3) const;
};

FrameCapture captureFrame();

// How many pixels differ, in the text's strip, between the captured frame's
// pixels of `colour` and `text` drawn afresh in that colour at the raster
// position (x, y) of the front-end frame: 0 when the frame shows exactly
// that text there. Draws into the back buffer, so capture first.
int textMismatch(const FrameCapture& frame, float x, float y, Rgb colour, const std::string& text);

// Pixels of `colour` in the strip where a text at raster position (x, y)
// stands, `width` pixels long.
int textPixels(const FrameCapture& frame, float x, float y, Rgb colour, int width = 400);

// Pixels of `colour` in the rectangle of front-end units centred on the
// point (x, y, z), `halfWidth` and `halfHeight` to either side.
int pixelsNear(const FrameCapture& frame, double x, double y, double z, double halfWidth,
               double halfHeight, Rgb colour);

// Pixels of `colour` in a strip through the marker beside a row at height
// `y`: narrow enough that a marker beside the next row does not reach it.
int markerPixels(const FrameCapture& frame, double y, Rgb colour);
