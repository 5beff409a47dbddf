#include "tests/support/race_view.h"

#include "render/font.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace raceView {

namespace {

// Around the baseline: descenders below, capitals above.
constexpr int below = 7;
constexpr int above = 20;
constexpr int marginLeft = 6;
constexpr int marginRight = 24;
constexpr int tolerance = 3;

struct WindowPoint {
    float x, y;
};

WindowPoint currentRaster()
{
    GLfloat position[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    return WindowPoint{position[0], position[1]};
}

void enter(const Placement& frame)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(frame.x, frame.y, frame.z);
    if (frame.turn != 0.0f)
        glRotatef(frame.turn, 0.0f, 0.0f, 20.0f);
}

void leave() { glPopMatrix(); }

bool same(const unsigned char* a, const unsigned char* b)
{
    return std::abs(a[0] - b[0]) <= tolerance && std::abs(a[1] - b[1]) <= tolerance &&
           std::abs(a[2] - b[2]) <= tolerance;
}

int viewportHeight()
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return viewport[3];
}

}  // namespace

Placement hudFrame() { return Placement{0.0f, 0.0f, -5.0f, 0.0f}; }
Placement shipFrame() { return Placement{0.0f, -5.0f, -11.0f, 0.0f}; }
Placement worldFrame(float turn) { return Placement{0.0f, -5.0f, -11.0f, turn}; }

Point project(const Placement& frame, float x, float y, float z)
{
    enter(frame);
    glRasterPos3f(x, y, z);
    WindowPoint at = currentRaster();
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    leave();
    EXPECT_TRUE(valid) << "(" << x << ", " << y << ", " << z << ") is outside the view";
    return Point{static_cast<int>(std::lround(at.x)),
                 viewportHeight() - 1 - static_cast<int>(std::lround(at.y))};
}

Frame grab()
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    Frame frame;
    frame.width = viewport[2];
    frame.height = viewport[3];
    frame.rgb.resize(static_cast<size_t>(frame.width) * frame.height * 3);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(viewport[0], viewport[1], frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE,
                 frame.rgb.data());
    glPopClientAttrib();
    return frame;
}

Match compare(const Frame& frame, const std::string& text, float x, float y, Colour colour,
              const Placement& placement)
{
    // Black text is printed alone on white, anything else on black.
    const bool onWhite = colour.red <= 0.0f && colour.green <= 0.0f && colour.blue <= 0.0f;
    const float background = onWhite ? 1.0f : 0.0f;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    enter(placement);
    glClearColor(background, background, background, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindTexture(GL_TEXTURE_2D, 0);
    glColor3f(colour.red, colour.green, colour.blue);
    glRasterPos2f(x, y);
    const WindowPoint start = currentRaster();
    printText("%s", text.c_str());
    const WindowPoint end = currentRaster();
    glFinish();
    const Frame alone = grab();
    leave();
    glPopAttrib();

    Match match;
    if (frame.width != alone.width || frame.height != alone.height)
        return Match{0, 1, 0};
    const int left = std::max(0, static_cast<int>(std::floor(start.x)) - marginLeft);
    const int right = std::min(frame.width, static_cast<int>(std::ceil(end.x)) + marginRight);
    const int bottom = std::max(0, static_cast<int>(std::floor(start.y)) - below);
    const int top = std::min(frame.height, static_cast<int>(std::floor(start.y)) + above);
    const unsigned char backgroundPixel[3] = {static_cast<unsigned char>(onWhite ? 255 : 0),
                                              static_cast<unsigned char>(onWhite ? 255 : 0),
                                              static_cast<unsigned char>(onWhite ? 255 : 0)};

    const unsigned char* textColour = nullptr;
    for (int row = bottom; row < top; ++row) {
        for (int column = left; column < right; ++column) {
            const size_t at = (static_cast<size_t>(row) * frame.width + column) * 3;
            if (same(&alone.rgb[at], backgroundPixel))
                continue;
            ++match.lit;
            textColour = &alone.rgb[at];
            if (!same(&alone.rgb[at], &frame.rgb[at]))
                ++match.missing;
        }
    }
    if (textColour == nullptr)
        return match;
    for (int row = bottom; row < top; ++row) {
        for (int column = left; column < right; ++column) {
            const size_t at = (static_cast<size_t>(row) * frame.width + column) * 3;
            if (same(&alone.rgb[at], backgroundPixel) && same(textColour, &frame.rgb[at]))
                ++match.extra;
        }
    }
    return match;
}

Rgb8 pixelOf(const Frame& frame, int x, int y)
{
    const int row = frame.height - 1 - y;
    const size_t at = (static_cast<size_t>(row) * frame.width + x) * 3;
    return Rgb8{frame.rgb[at], frame.rgb[at + 1], frame.rgb[at + 2]};
}

int countIn(const Frame& frame, int left, int top, int width, int height, int r, int g, int b,
            int tolerance)
{
    int count = 0;
    for (int y = std::max(0, top); y < std::min(frame.height, top + height); ++y) {
        for (int x = std::max(0, left); x < std::min(frame.width, left + width); ++x) {
            const Rgb8 pixel = pixelOf(frame, x, y);
            if (std::abs(pixel.r - r) <= tolerance && std::abs(pixel.g - g) <= tolerance &&
                std::abs(pixel.b - b) <= tolerance)
                ++count;
        }
    }
    return count;
}

int differencesOutside(const Frame& a, const Frame& b, int left, int top, int width, int height)
{
    if (a.width != b.width || a.height != b.height)
        return -1;
    int count = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            if (x >= left && x < left + width && y >= top && y < top + height)
                continue;
            const Rgb8 p = pixelOf(a, x, y);
            const Rgb8 q = pixelOf(b, x, y);
            if (p.r != q.r || p.g != q.g || p.b != q.b)
                ++count;
        }
    }
    return count;
}

}  // namespace raceView
