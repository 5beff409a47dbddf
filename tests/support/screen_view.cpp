// Reading the frame just drawn: where the game's points land, the pixels
// there, and whether a text stands where the game's font would print it.
#include "tests/support/screen_view.h"

#include "render/font.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace screenView {

namespace {

// Around a text's baseline: deep enough for descenders, high enough for
// capitals and accents, short of the next row.
constexpr int below = 7;
constexpr int above = 20;
// Beyond its end: more than a glyph and a space, so a character more or less
// shows. Before its start a little only: the menu marker, in the current
// row's colour, reaches to 8 pixels left of the rows.
constexpr int marginLeft = 3;
constexpr int marginRight = 40;
constexpr int tolerance = 3;

// Window coordinates as OpenGL has them: origin at the bottom left.
struct RasterPoint {
    float x = 0.0f;
    float y = 0.0f;
};

RasterPoint currentRaster()
{
    GLfloat position[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    return RasterPoint{position[0], position[1]};
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

int byteOf(float v) { return static_cast<int>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0)); }

// A text printed alone, as the game prints it, and read back.
struct Drawn {
    RasterPoint start;
    RasterPoint end;
    unsigned char background;
    Frame picture;
};

Drawn drawAlone(const std::string& text, float x, float y, Colour colour,
                const Placement& placement, bool centred)
{
    // Black text is printed on white, any other on black.
    const bool onWhite = colour.red <= 0.0f && colour.green <= 0.0f && colour.blue <= 0.0f;
    const float background = onWhite ? 1.0f : 0.0f;
    Drawn drawn;
    drawn.background = onWhite ? 255 : 0;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    enter(placement);
    glClearColor(background, background, background, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindTexture(GL_TEXTURE_2D, 0);
    if (centred) {
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        glRasterPos2f(0.0f, y);
        const RasterPoint from = currentRaster();
        printText("%s", text.c_str());
        const RasterPoint to = currentRaster();
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
    leave();
    glPopAttrib();
    return drawn;
}

Match compareDrawn(const Frame& frame, const Drawn& alone)
{
    const Frame& reference = alone.picture;
    if (frame.width != reference.width || frame.height != reference.height)
        return Match{0, 1, 0};
    const int left = std::max(0, static_cast<int>(std::floor(alone.start.x)) - marginLeft);
    const int right = std::min(frame.width, static_cast<int>(std::ceil(alone.end.x)) + marginRight);
    const int bottom = std::max(0, static_cast<int>(std::floor(alone.start.y)) - below);
    const int top = std::min(frame.height, static_cast<int>(std::floor(alone.start.y)) + above);
    const unsigned char background[3] = {alone.background, alone.background, alone.background};

    Match match;
    const unsigned char* textColour = nullptr;
    for (int row = bottom; row < top; ++row) {
        for (int column = left; column < right; ++column) {
            const size_t at = (static_cast<size_t>(row) * frame.width + column) * 3;
            if (same(&reference.rgb[at], background))
                continue;
            ++match.lit;
            textColour = &reference.rgb[at];
            if (!same(&reference.rgb[at], &frame.rgb[at]))
                ++match.missing;
        }
    }
    if (textColour == nullptr)
        return match;
    for (int row = bottom; row < top; ++row) {
        for (int column = left; column < right; ++column) {
            const size_t at = (static_cast<size_t>(row) * frame.width + column) * 3;
            if (same(&reference.rgb[at], background) && same(textColour, &frame.rgb[at]))
                ++match.extra;
        }
    }
    return match;
}

}  // namespace

Placement frontEndFrame() { return Placement{0.0f, 0.0f, -10.0f, 0.0f}; }
Placement nameEntryFrame() { return Placement{0.0f, 0.0f, -5.0f, 0.0f}; }
Placement hudFrame() { return Placement{0.0f, 0.0f, -5.0f, 0.0f}; }
Placement shipFrame() { return Placement{0.0f, -5.0f, -11.0f, 0.0f}; }
Placement worldFrame(float turn) { return Placement{0.0f, -5.0f, -11.0f, turn}; }

WindowPoint windowPoint(const Placement& frame, float x, float y, float z)
{
    double modelview[16];
    double projection[16];
    GLint viewport[4];
    enter(frame);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    leave();
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);

    // Clip coordinates, to tell whether the point is in the view at all.
    const double point[4] = {x, y, z, 1.0};
    double eye[4] = {};
    double clip[4] = {};
    for (int row = 0; row < 4; ++row)
        for (int k = 0; k < 4; ++k)
            eye[row] += modelview[k * 4 + row] * point[k];
    for (int row = 0; row < 4; ++row)
        for (int k = 0; k < 4; ++k)
            clip[row] += projection[k * 4 + row] * eye[k];
    bool inView = clip[3] > 0.0;
    for (int axis = 0; axis < 3; ++axis)
        inView = inView && std::abs(clip[axis]) <= clip[3];

    double windowX = 0.0, windowY = 0.0, windowZ = 0.0;
    gluProject(x, y, z, modelview, projection, viewport, &windowX, &windowY, &windowZ);
    return WindowPoint{windowX, viewport[3] - windowY, inView};
}

Point project(const Placement& frame, float x, float y, float z)
{
    const WindowPoint at = windowPoint(frame, x, y, z);
    EXPECT_TRUE(at.inView) << "(" << x << ", " << y << ", " << z << ") is outside the view";
    return Point{static_cast<int>(std::floor(at.x)), static_cast<int>(std::floor(at.y))};
}

void pointMouseAt(float x, float y)
{
    const WindowPoint at = windowPoint(frontEndFrame(), x, y);
    EXPECT_TRUE(at.inView) << "(" << x << ", " << y << ") is outside the view";
    moveMouse(static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y)));
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

Rgb pixelOf(const Frame& frame, int x, int y)
{
    const int row = frame.height - 1 - y;
    const size_t at = (static_cast<size_t>(row) * frame.width + x) * 3;
    return Rgb{frame.rgb[at], frame.rgb[at + 1], frame.rgb[at + 2]};
}

int countIn(const Frame& frame, int left, int top, int width, int height, int r, int g, int b,
            int tolerance)
{
    int count = 0;
    for (int y = std::max(0, top); y < std::min(frame.height, top + height); ++y) {
        for (int x = std::max(0, left); x < std::min(frame.width, left + width); ++x) {
            if (isColour(pixelOf(frame, x, y), r, g, b, tolerance))
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
            const Rgb p = pixelOf(a, x, y);
            const Rgb q = pixelOf(b, x, y);
            if (p.r != q.r || p.g != q.g || p.b != q.b)
                ++count;
        }
    }
    return count;
}

Colour highlight(float menuClock)
{
    return Colour{std::sin(0.05f * menuClock), std::cos(0.05f * menuClock),
                  1.0f - 0.5f * std::tan(0.005f * menuClock)};
}

Rgb stored(Colour colour)
{
    return Rgb{byteOf(colour.red), byteOf(colour.green), byteOf(colour.blue)};
}

Match compare(const Frame& frame, const std::string& text, float x, float y, Colour colour,
              const Placement& placement)
{
    return compareDrawn(frame, drawAlone(text, x, y, colour, placement, false));
}

Match compareCentred(const Frame& frame, const std::string& text, float y, Colour colour,
                     const Placement& placement)
{
    return compareDrawn(frame, drawAlone(text, 0.0f, y, colour, placement, true));
}

int linePixels(const Frame& frame, float x, float y, Colour colour, int width)
{
    const WindowPoint at = windowPoint(frontEndFrame(), x, y);
    const int left = static_cast<int>(std::floor(at.x)) - 2;
    const int baseline = static_cast<int>(std::lround(at.y));
    const Rgb bytes = stored(colour);
    return countIn(frame, left, baseline - above, width, above + below, bytes.r, bytes.g, bytes.b);
}

int pixelsNear(const Frame& frame, float x, float y, float z, float halfWidth, float halfHeight,
               Colour colour)
{
    const WindowPoint topLeft = windowPoint(frontEndFrame(), x - halfWidth, y + halfHeight, z);
    const WindowPoint bottomRight = windowPoint(frontEndFrame(), x + halfWidth, y - halfHeight, z);
    const int left = static_cast<int>(std::ceil(topLeft.x));
    const int top = static_cast<int>(std::ceil(topLeft.y));
    const int right = static_cast<int>(std::floor(bottomRight.x));
    const int bottom = static_cast<int>(std::floor(bottomRight.y));
    const Rgb bytes = stored(colour);
    return countIn(frame, left, top, right - left + 1, bottom - top + 1, bytes.r, bytes.g, bytes.b);
}

int markerPixels(const Frame& frame, float y, Colour colour)
{
    // The marker turns about (-3.5, y, -2) and reaches 0.7 from it; the rows'
    // texts begin at -2.2, nearer the eye.
    return pixelsNear(frame, -3.5f, y, -2.0f, 0.75f, 0.2f, colour);
}

}  // namespace screenView
