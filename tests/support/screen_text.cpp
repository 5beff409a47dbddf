#include "tests/support/screen_text.h"

#include "render/font.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace screenText {

namespace {

// Around the baseline: deep enough for descenders, high enough for capitals
// and accents, short of the next row half a unit away at 640 x 480.
constexpr int below = 7;
constexpr int above = 20;
constexpr int marginLeft = 8;
// More than one glyph and a space: a character too many shows.
constexpr int marginRight = 30;
constexpr int tolerance = 3;

bool same(const unsigned char* a, const unsigned char* b)
{
    return std::abs(a[0] - b[0]) <= tolerance && std::abs(a[1] - b[1]) <= tolerance &&
           std::abs(a[2] - b[2]) <= tolerance;
}

bool black(const unsigned char* pixel)
{
    return pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0;
}

struct Drawn {
    Point start;
    Point end;
    Frame picture;
};

Point currentRaster()
{
    GLfloat position[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    return Point{position[0], position[1]};
}

// Prints the text alone on black, as the game prints it, and reads it back.
Drawn drawAlone(const std::string& text, float x, float y, Colour colour, float depth,
                bool centred)
{
    Drawn drawn;
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, depth);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindTexture(GL_TEXTURE_2D, 0);

    if (centred) {
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glRasterPos2f(0.0f, y);
        Point from = currentRaster();
        printText("%s", text.c_str());
        Point to = currentRaster();
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        static const GLubyte noBits = 0;
        glColor3f(colour.red, colour.green, colour.blue);
        glRasterPos2f(0.0f, y);
        glBitmap(0, 0, 0.0f, 0.0f, -0.5f * (to.x - from.x), 0.0f, &noBits);
    } else {
        glColor3f(colour.red, colour.green, colour.blue);
        glRasterPos2f(x, y);
    }
    drawn.start = currentRaster();
    printText("%s", text.c_str());
    drawn.end = currentRaster();
    glFinish();
    drawn.picture = grab();

    glPopMatrix();
    glPopAttrib();
    return drawn;
}

Match compareDrawn(const Frame& frame, const Drawn& alone)
{
    Match match;
    const Frame& reference = alone.picture;
    if (frame.width != reference.width || frame.height != reference.height)
        return Match{0, 1, 0};
    const int left = std::max(0, static_cast<int>(std::floor(alone.start.x)) - marginLeft);
    const int right = std::min(frame.width, static_cast<int>(std::ceil(alone.end.x)) + marginRight);
    const int bottom = std::max(0, static_cast<int>(std::floor(alone.start.y)) - below);
    const int top = std::min(frame.height, static_cast<int>(std::floor(alone.start.y)) + above);

    const unsigned char* textColour = nullptr;
    for (int y = bottom; y < top; ++y) {
        for (int x = left; x < right; ++x) {
            const unsigned char* ours = &reference.rgb[(static_cast<size_t>(y) * frame.width + x) * 3];
            if (black(ours))
                continue;
            ++match.lit;
            textColour = ours;
            const unsigned char* theirs = &frame.rgb[(static_cast<size_t>(y) * frame.width + x) * 3];
            if (!same(ours, theirs))
                ++match.missing;
        }
    }
    if (textColour == nullptr)
        return match;
    for (int y = bottom; y < top; ++y) {
        for (int x = left; x < right; ++x) {
            const size_t at = (static_cast<size_t>(y) * frame.width + x) * 3;
            if (black(&reference.rgb[at]))
                match.extra += same(textColour, &frame.rgb[at]) ? 1 : 0;
        }
    }
    return match;
}

}  // namespace

Colour highlight(float menuClock)
{
    return Colour{std::sin(0.05f * menuClock), std::cos(0.05f * menuClock),
                  1.0f - 0.5f * std::tan(0.005f * menuClock)};
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

Point rasterPoint(float x, float y, float depth)
{
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, depth);
    glRasterPos2f(x, y);
    Point point = currentRaster();
    glPopMatrix();
    return point;
}

Match compare(const Frame& frame, const std::string& text, float x, float y, Colour colour,
              float depth)
{
    return compareDrawn(frame, drawAlone(text, x, y, colour, depth, false));
}

Match compareCentred(const Frame& frame, const std::string& text, float y, Colour colour,
                     float depth)
{
    return compareDrawn(frame, drawAlone(text, 0.0f, y, colour, depth, true));
}

}  // namespace screenText
