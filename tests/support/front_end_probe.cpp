#include "tests/support/front_end_probe.h"

#include "render/font.h"
#include "render/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace {

// Strip of a text line around its baseline: the font is 18 pixels high.
constexpr int stripAbove = 20;
constexpr int stripBelow = 7;

void frontEndModelview(double out[16])
{
    for (int i = 0; i < 16; ++i)
        out[i] = (i % 5 == 0) ? 1.0 : 0.0;
    out[14] = -10.0;
}

int byteOf(double v)
{
    v = std::clamp(v, 0.0, 1.0);
    return static_cast<int>(std::lround(v * 255.0));
}

}  // namespace

WindowPoint frontEndPoint(double x, double y, double z)
{
    double modelview[16];
    double projection[16];
    GLint viewport[4];
    frontEndModelview(modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double wx = 0, wy = 0, wz = 0;
    gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz);
    return WindowPoint{wx, viewport[3] - wy};
}

Rgb storedColour(double r, double g, double b)
{
    return Rgb{byteOf(r), byteOf(g), byteOf(b)};
}

Rgb highlightColour(float clock)
{
    return storedColour(std::sin(0.05f * clock), std::cos(0.05f * clock),
                        1.0f - 0.5f * std::tan(0.005f * clock));
}

Rgb FrameCapture::at(int x, int y) const
{
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return Rgb{rgb[i], rgb[i + 1], rgb[i + 2]};
}

int FrameCapture::count(int x, int y, int w, int h, Rgb colour, int tolerance) const
{
    int found = 0;
    for (int row = std::max(y, 0); row < std::min(y + h, height); ++row)
        for (int column = std::max(x, 0); column < std::min(x + w, width); ++column)
            if (isColour(at(column, row), colour.r, colour.g, colour.b, tolerance))
                ++found;
    return found;
}

FrameCapture captureFrame()
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    FrameCapture frame;
    frame.width = viewport[2];
    frame.height = viewport[3];
    std::vector<unsigned char> bottomUp(static_cast<size_t>(frame.width) * frame.height * 3);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    frame.rgb.resize(bottomUp.size());
    const size_t rowBytes = static_cast<size_t>(frame.width) * 3;
    for (int row = 0; row < frame.height; ++row)
        std::copy_n(bottomUp.begin() + static_cast<long>(row * rowBytes), rowBytes,
                    frame.rgb.begin() + static_cast<long>((frame.height - 1 - row) * rowBytes));
    return frame;
}

int textMismatch(const FrameCapture& frame, float x, float y, Rgb colour, const std::string& text)
{
    // Draw the text alone, as the game draws it: untextured, in the
    // translated frame, over a cleared buffer.
    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -10.0f);
    glBindTexture(GL_TEXTURE_2D, noTexture);
    glColor3ub(static_cast<GLubyte>(colour.r), static_cast<GLubyte>(colour.g),
               static_cast<GLubyte>(colour.b));
    glRasterPos2f(x, y);
    GLfloat start[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, start);
    printText("%s", text.c_str());
    GLfloat end[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, end);
    glPopMatrix();
    FrameCapture reference = captureFrame();

    const int left = static_cast<int>(start[0]) - 3;
    const int right = static_cast<int>(end[0]) + 40;
    const int baseline = frame.height - static_cast<int>(start[1]);
    int differences = 0;
    for (int row = std::max(baseline - stripAbove, 0);
         row < std::min(baseline + stripBelow, frame.height); ++row) {
        for (int column = std::max(left, 0); column < std::min(right, frame.width); ++column) {
            const bool inFrame = isColour(frame.at(column, row), colour.r, colour.g, colour.b);
            const bool inText =
                isColour(reference.at(column, row), colour.r, colour.g, colour.b);
            if (inFrame != inText)
                ++differences;
        }
    }
    // Nothing drawn at all would match an empty frame: count that too.
    if (reference.count(left, baseline - stripAbove, right - left, stripAbove + stripBelow,
                        colour) == 0 &&
        !text.empty() && text.find_first_not_of(' ') != std::string::npos)
        ++differences;
    return differences;
}

int textPixels(const FrameCapture& frame, float x, float y, Rgb colour, int width)
{
    WindowPoint at = frontEndPoint(x, y);
    const int left = static_cast<int>(std::floor(at.x)) - 2;
    const int baseline = static_cast<int>(std::lround(at.y));
    return frame.count(left, baseline - stripAbove, width, stripAbove + stripBelow, colour);
}

int pixelsNear(const FrameCapture& frame, double x, double y, double z, double halfWidth,
               double halfHeight, Rgb colour)
{
    WindowPoint topLeft = frontEndPoint(x - halfWidth, y + halfHeight, z);
    WindowPoint bottomRight = frontEndPoint(x + halfWidth, y - halfHeight, z);
    const int left = static_cast<int>(std::ceil(topLeft.x));
    const int top = static_cast<int>(std::ceil(topLeft.y));
    const int right = static_cast<int>(std::floor(bottomRight.x));
    const int bottom = static_cast<int>(std::floor(bottomRight.y));
    return frame.count(left, top, right - left + 1, bottom - top + 1, colour);
}

int markerPixels(const FrameCapture& frame, double y, Rgb colour)
{
    // The marker turns about (-3.5, y, -2) and reaches 0.7 from it; the rows'
    // texts begin at -2.2, nearer the eye.
    return pixelsNear(frame, -3.5, y, -2.0, 0.75, 0.2, colour);
}
