// The wire shapes in a real GL context: what the cache records and replays,
// and the geometry each shape sends to OpenGL.
#include "render/shapes.h"

#include "platform/test_hooks.h"
#include "tests/support/gl_context.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr int canvasSize = 200;

void useMenuView()
{
    glViewport(0, 0, canvasSize, canvasSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 1.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(0.0, 0.0, -3.0);
    glDisable(GL_TEXTURE_2D);
}

TestGlContext openCanvas()
{
    TestGlContext gl = openTestGlContext(canvasSize, canvasSize);
    if (gl.context != nullptr)
        useMenuView();
    return gl;
}

void clearCanvas()
{
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

using Pixels = std::vector<std::array<unsigned char, 3>>;

Pixels readCanvas()
{
    glFinish();
    Pixels pixels(canvasSize * canvasSize);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, canvasSize, canvasSize, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// Lit pixels, after checking that every lit pixel has the drawing colour.
int countInColour(const Pixels& pixels, std::array<unsigned char, 3> colour)
{
    int lit = 0;
    for (const auto& pixel : pixels) {
        if (pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0)
            continue;
        ++lit;
        EXPECT_EQ(pixel, colour);
        if (pixel != colour)
            break;
    }
    return lit;
}

constexpr std::array<unsigned char, 3> green = {0, 255, 0};

Pixels drawnInGreen(const std::function<void()>& draw)
{
    clearCanvas();
    glColor3f(0, 1, 0);
    draw();
    return readCanvas();
}

int chainLength(const ShapeListEntry* chain)
{
    int length = 0;
    for (; chain != nullptr; chain = chain->next)
        ++length;
    return length;
}

// Turns a recorded list into a full-canvas blue rectangle, so that a later
// draw shows whether it replayed that very list.
void overwriteWithMarker(GLuint listName)
{
    glNewList(listName, GL_COMPILE);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glColor3f(0, 0, 1);
    glRectd(-1, -1, 1, 1);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEndList();
}

bool showsMarker(const Pixels& pixels)
{
    for (const auto& pixel : pixels)
        if (pixel != std::array<unsigned char, 3>{0, 0, 255})
            return false;
    return true;
}

// The GL calls the shapes make, recorded on their way to the real library.
// Mesa 22.3 cannot be asked in feedback mode: a display list holding more
// than one line loop comes back as its first loop only, or crashes the
// driver, so the geometry is taken from the calls themselves.
struct GlCall {
    std::string name;
    std::vector<double> values;
};

struct GlCallLog {
    bool on = false;
    std::vector<GlCall> calls;
};

GlCallLog glLog;

void logCall(const char* name, std::initializer_list<double> values)
{
    if (glLog.on)
        glLog.calls.push_back({name, values});
}

template <typename Function>
Function realGl(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

void glBegin(GLenum mode)
{
    static const auto real = realGl<void (*)(GLenum)>("glBegin");
    logCall("glBegin", {static_cast<double>(mode)});
    real(mode);
}

void glEnd()
{
    static const auto real = realGl<void (*)()>("glEnd");
    logCall("glEnd", {});
    real();
}

void glVertex3dv(const GLdouble* v)
{
    static const auto real = realGl<void (*)(const GLdouble*)>("glVertex3dv");
    logCall("glVertex3dv", {v[0], v[1], v[2]});
    real(v);
}

void glNormal3dv(const GLdouble* v)
{
    static const auto real = realGl<void (*)(const GLdouble*)>("glNormal3dv");
    logCall("glNormal3dv", {v[0], v[1], v[2]});
    real(v);
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    static const auto real = realGl<void (*)(GLfloat, GLfloat, GLfloat)>("glVertex3f");
    logCall("glVertex3f", {x, y, z});
    real(x, y, z);
}

GLuint glGenLists(GLsizei range)
{
    static const auto real = realGl<GLuint (*)(GLsizei)>("glGenLists");
    const GLuint first = real(range);
    logCall("glGenLists", {static_cast<double>(range), static_cast<double>(first)});
    return first;
}

void glNewList(GLuint list, GLenum mode)
{
    static const auto real = realGl<void (*)(GLuint, GLenum)>("glNewList");
    logCall("glNewList", {static_cast<double>(list), static_cast<double>(mode)});
    real(list, mode);
}

void glEndList()
{
    static const auto real = realGl<void (*)()>("glEndList");
    logCall("glEndList", {});
    real();
}

void glCallList(GLuint list)
{
    static const auto real = realGl<void (*)(GLuint)>("glCallList");
    logCall("glCallList", {static_cast<double>(list)});
    real(list);
}

}  // extern "C"

namespace {

std::vector<GlCall> callsOf(const std::function<void()>& draw)
{
    glLog.calls.clear();
    glLog.on = true;
    draw();
    glLog.on = false;
    return glLog.calls;
}

std::vector<std::string> namesOf(const std::vector<GlCall>& calls)
{
    std::vector<std::string> names;
    for (const GlCall& call : calls)
        names.push_back(call.name);
    return names;
}

struct Point {
    double x;
    double y;
    double z;
};

Point pointOf(const GlCall& call)
{
    return {call.values.at(0), call.values.at(1), call.values.at(2)};
}

// One glBegin .. glEnd block: its mode and the normals and vertices in it.
struct Primitive {
    GLenum mode;
    std::vector<GlCall> calls;
};

std::vector<Primitive> primitivesOf(const std::vector<GlCall>& calls)
{
    std::vector<Primitive> primitives;
    bool inside = false;
    for (const GlCall& call : calls) {
        if (call.name == "glBegin") {
            EXPECT_FALSE(inside) << "glBegin inside glBegin";
            primitives.push_back({static_cast<GLenum>(call.values[0]), {}});
            inside = true;
        } else if (call.name == "glEnd") {
            EXPECT_TRUE(inside) << "glEnd without glBegin";
            inside = false;
        } else if (inside) {
            primitives.back().calls.push_back(call);
        }
    }
    EXPECT_FALSE(inside) << "a primitive left open";
    return primitives;
}

// The calls around the geometry of a first draw: a fresh name, a list
// opened to record and draw at once, and closed; no replay.
void expectRecordedOnce(const std::vector<GlCall>& calls, GLuint listName)
{
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0].name, "glGenLists");
    EXPECT_EQ(calls[0].values[0], 1.0);
    EXPECT_EQ(calls[0].values[1], static_cast<double>(listName));
    EXPECT_EQ(calls[1].name, "glNewList");
    EXPECT_EQ(calls[1].values[0], static_cast<double>(listName));
    EXPECT_EQ(calls[1].values[1], static_cast<double>(GL_COMPILE_AND_EXECUTE));
    EXPECT_EQ(calls.back().name, "glEndList");
    const std::vector<std::string> names = namesOf(calls);
    EXPECT_EQ(std::count(names.begin(), names.end(), "glGenLists"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "glNewList"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "glEndList"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "glCallList"), 0);
}

constexpr double tolerance = 1e-9;

void expectSamePoint(const Point& actual, const Point& expected, const char* what)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
    EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}

double length(const Point& p) { return std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z); }

// The unit icosahedron as the game defines it.
constexpr double icoX = 0.525731112119133606;
constexpr double icoZ = 0.850650808352039932;
constexpr Point icosahedronVertex[12] = {
    {-icoX, 0, icoZ}, {icoX, 0, icoZ},  {-icoX, 0, -icoZ}, {icoX, 0, -icoZ},
    {0, icoZ, icoX},  {0, icoZ, -icoX}, {0, -icoZ, icoX},  {0, -icoZ, -icoX},
    {icoZ, icoX, 0},  {-icoZ, icoX, 0}, {icoZ, -icoX, 0},  {-icoZ, -icoX, 0},
};
constexpr int icosahedronFace[20][3] = {
    {0, 4, 1}, {0, 9, 4},  {9, 5, 4},  {4, 5, 8},  {4, 8, 1},  {8, 10, 1}, {8, 3, 10},
    {5, 3, 8}, {5, 2, 3},  {2, 7, 3},  {7, 10, 3}, {7, 6, 10}, {7, 11, 6}, {11, 0, 6},
    {0, 1, 6}, {6, 1, 10}, {9, 0, 11}, {9, 11, 2}, {9, 2, 5},  {7, 2, 11},
};

Point scaled(const Point& p, double factor)
{
    const double unit = length(p);
    return {p.x / unit * factor, p.y / unit * factor, p.z / unit * factor};
}

struct ShapeCase {
    const char* name;
    std::function<void()> draw;
    ShapeListEntry** chain;
};

std::vector<ShapeCase> gameShapes()
{
    return {
        {"sphere", [] { drawWireSphere(0.5); }, &shapeLists.sphere},
        {"torus", [] { drawWireTorus(0.2, 0.5); }, &shapeLists.torus},
        {"icosahedron", [] { drawWireIcosahedron(0.5); }, &shapeLists.icosahedron},
        {"cone", [] { drawWireCone(0.5, 1.0); }, &shapeLists.cone},
    };
}

TEST(WireShapes, TheFirstDrawRecordsTheShapeAndShowsItInTheCurrentColour)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    for (const ShapeCase& shape : gameShapes()) {
        SCOPED_TRACE(shape.name);
        ASSERT_EQ(*shape.chain, nullptr);
        const Pixels pixels = drawnInGreen(shape.draw);
        EXPECT_GT(countInColour(pixels, green), 200);
        ASSERT_EQ(chainLength(*shape.chain), 1);
        EXPECT_NE((*shape.chain)->listName, 0u);
        EXPECT_TRUE(glIsList((*shape.chain)->listName));
        GLint openList = -1;
        glGetIntegerv(GL_LIST_INDEX, &openList);
        EXPECT_EQ(openList, 0) << "the list was left open";
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    // Every kind keeps its own list.
    EXPECT_NE(shapeLists.sphere->listName, shapeLists.icosahedron->listName);
    EXPECT_NE(shapeLists.torus->listName, shapeLists.cone->listName);
    clearShapeLists();
    closeTestGlContext(gl);
}

TEST(WireShapes, AnEntryKeepsTheSizesItWasRecordedWith)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    drawWireSphere(0.5);
    drawWireTorus(0.2, 0.5);
    drawWireIcosahedron(0.75);
    drawWireCone(0.5, 1.0);
    ASSERT_EQ(shapeLists.sphere->paramCount, 1);
    EXPECT_EQ(shapeLists.sphere->params[0], 0.5);
    ASSERT_EQ(shapeLists.torus->paramCount, 2);
    EXPECT_EQ(shapeLists.torus->params[0], 0.2);
    EXPECT_EQ(shapeLists.torus->params[1], 0.5);
    ASSERT_EQ(shapeLists.icosahedron->paramCount, 1);
    EXPECT_EQ(shapeLists.icosahedron->params[0], 0.75);
    ASSERT_EQ(shapeLists.cone->paramCount, 2);
    EXPECT_EQ(shapeLists.cone->params[0], 0.5);
    EXPECT_EQ(shapeLists.cone->params[1], 1.0);
    clearShapeLists();
    closeTestGlContext(gl);
}

TEST(WireShapes, TheSecondDrawReplaysTheSameListAndRecordsNothing)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    for (const ShapeCase& shape : gameShapes()) {
        SCOPED_TRACE(shape.name);
        const Pixels first = drawnInGreen(shape.draw);
        const ShapeListEntry* entry = *shape.chain;
        const GLuint listName = entry->listName;

        const Pixels second = drawnInGreen(shape.draw);
        EXPECT_EQ(second, first);
        EXPECT_EQ(*shape.chain, entry);
        EXPECT_EQ(chainLength(*shape.chain), 1);
        EXPECT_EQ((*shape.chain)->listName, listName);

        // A replay runs the recorded list itself, whatever it now holds.
        overwriteWithMarker(listName);
        EXPECT_TRUE(showsMarker(drawnInGreen(shape.draw)));
        EXPECT_EQ(chainLength(*shape.chain), 1);
    }
    clearShapeLists();
    closeTestGlContext(gl);
}

TEST(WireShapes, EachSizeGetsItsOwnEntryNewestFirstAndAKnownSizeIsReplayed)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    const Pixels large = drawnInGreen([] { drawWireSphere(0.5); });
    const GLuint largeList = shapeLists.sphere->listName;
    const Pixels small = drawnInGreen([] { drawWireSphere(0.25); });
    EXPECT_NE(small, large);
    ASSERT_EQ(chainLength(shapeLists.sphere), 2);
    EXPECT_EQ(shapeLists.sphere->params[0], 0.25);
    EXPECT_EQ(shapeLists.sphere->next->params[0], 0.5);
    EXPECT_EQ(shapeLists.sphere->next->listName, largeList);
    EXPECT_NE(shapeLists.sphere->listName, largeList);

    EXPECT_EQ(drawnInGreen([] { drawWireSphere(0.5); }), large);
    EXPECT_EQ(chainLength(shapeLists.sphere), 2);
    overwriteWithMarker(largeList);
    EXPECT_TRUE(showsMarker(drawnInGreen([] { drawWireSphere(0.5); })));
    EXPECT_EQ(chainLength(shapeLists.sphere), 2);
    clearShapeLists();
    closeTestGlContext(gl);
}

TEST(WireShapes, SizesAreComparedExactly)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    drawWireSphere(0.5);
    drawWireSphere(0.5000001);
    ASSERT_EQ(chainLength(shapeLists.sphere), 2);
    EXPECT_NE(shapeLists.sphere->listName, shapeLists.sphere->next->listName);

    // Both sizes of the two-size shapes count, in their order.
    drawWireTorus(0.2, 0.5);
    drawWireTorus(0.2, 0.5000001);
    drawWireTorus(0.5, 0.2);
    drawWireTorus(0.2, 0.5);
    EXPECT_EQ(chainLength(shapeLists.torus), 3);
    drawWireCone(0.5, 1.0);
    drawWireCone(0.5000001, 1.0);
    drawWireCone(0.5, 1.0);
    EXPECT_EQ(chainLength(shapeLists.cone), 2);
    drawWireIcosahedron(0.5);
    drawWireIcosahedron(0.5000001);
    EXPECT_EQ(chainLength(shapeLists.icosahedron), 2);
    clearShapeLists();
    closeTestGlContext(gl);
}

TEST(WireShapes, AfterClearingAndANewContextEveryShapeIsRecordedAgainAndDrawnAlike)
{
    std::vector<Pixels> before;
    TestGlContext first = openCanvas();
    ASSERT_NE(first.context, nullptr);
    for (const ShapeCase& shape : gameShapes())
        before.push_back(drawnInGreen(shape.draw));
    clearShapeLists();
    EXPECT_EQ(shapeLists.sphere, nullptr);
    EXPECT_EQ(shapeLists.torus, nullptr);
    EXPECT_EQ(shapeLists.icosahedron, nullptr);
    EXPECT_EQ(shapeLists.cone, nullptr);
    closeTestGlContext(first);
    clearShapeLists();  // a second clear finds nothing to free

    TestGlContext second = openCanvas();
    ASSERT_NE(second.context, nullptr);
    const std::vector<ShapeCase> shapes = gameShapes();
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        SCOPED_TRACE(shapes[i].name);
        const Pixels again = drawnInGreen(shapes[i].draw);
        ASSERT_EQ(chainLength(*shapes[i].chain), 1);
        EXPECT_TRUE(glIsList((*shapes[i].chain)->listName));
        EXPECT_GT(countInColour(again, green), 200);
        EXPECT_EQ(again, before[i]);
        EXPECT_EQ(drawnInGreen(shapes[i].draw), before[i]);
    }
    clearShapeLists();
    closeTestGlContext(second);
}

TEST(WireShapes, AReplayCallsTheRecordedListAndNothingElse)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    for (const ShapeCase& shape : gameShapes()) {
        SCOPED_TRACE(shape.name);
        const std::vector<GlCall> first = callsOf(shape.draw);
        ASSERT_EQ(chainLength(*shape.chain), 1);
        const GLuint listName = (*shape.chain)->listName;
        expectRecordedOnce(first, listName);
        EXPECT_FALSE(primitivesOf(first).empty());

        const std::vector<GlCall> second = callsOf(shape.draw);
        ASSERT_EQ(second.size(), 1u);
        EXPECT_EQ(second[0].name, "glCallList");
        EXPECT_EQ(second[0].values[0], static_cast<double>(listName));
    }
    clearShapeLists();
    closeTestGlContext(gl);
}

TEST(WireShapes, TheTorusIsTenRingsOfFiveLoopsAroundTheZAxisWithinItsTube)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    const double tube = 0.2;
    const double ring = 0.5;
    const std::vector<GlCall> calls = callsOf([&] { drawWireTorus(tube, ring); });
    expectRecordedOnce(calls, shapeLists.torus->listName);
    const std::vector<Primitive> loops = primitivesOf(calls);
    ASSERT_EQ(loops.size(), 50u);

    const double twoPi = 6.2831853071794;
    auto torusPoint = [&](double theta, double phi, double reachOfRing, double radius) {
        const double reach = reachOfRing + radius * std::cos(phi);
        return Point{std::cos(theta) * reach, -std::sin(theta) * reach, radius * std::sin(phi)};
    };
    double widest = 0;
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 5; ++j) {
            SCOPED_TRACE(testing::Message() << "ring " << i << " side " << j);
            const Primitive& loop = loops[i * 5 + j];
            EXPECT_EQ(loop.mode, static_cast<GLenum>(GL_LINE_LOOP));
            ASSERT_EQ(loop.calls.size(), 8u);
            const double theta = i * twoPi / 10;
            const double nextTheta = (i + 1) * twoPi / 10;
            const double phi = j * twoPi / 5;
            const double nextPhi = (j + 1) * twoPi / 5;
            // Corners p3, p2, p1, p0, each after its normal.
            const double cornerTheta[4] = {theta, nextTheta, nextTheta, theta};
            const double cornerPhi[4] = {nextPhi, nextPhi, phi, phi};
            for (int k = 0; k < 4; ++k) {
                const GlCall& normal = loop.calls[2 * k];
                const GlCall& vertex = loop.calls[2 * k + 1];
                ASSERT_EQ(normal.name, "glNormal3dv");
                ASSERT_EQ(vertex.name, "glVertex3dv");
                expectSamePoint(pointOf(vertex),
                                torusPoint(cornerTheta[k], cornerPhi[k], ring, tube), "vertex");
                expectSamePoint(pointOf(normal), torusPoint(cornerTheta[k], cornerPhi[k], 0, 1),
                                "normal");

                const Point p = pointOf(vertex);
                const double fromAxis = std::hypot(p.x, p.y);
                EXPECT_LE(std::abs(p.z), tube + tolerance);
                // On the tube around the centre circle of radius R.
                EXPECT_NEAR(std::hypot(fromAxis - ring, p.z), tube, tolerance);
                widest = std::max(widest, fromAxis);
            }
        }
    }
    EXPECT_NEAR(widest, ring + tube, tolerance);
    clearShapeLists();
    closeTestGlContext(gl);
}

TEST(WireShapes, TheIcosahedronIsTwentyClosedTrianglesOnTheSphereOfItsRadius)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    const double radius = 0.75;
    const std::vector<GlCall> calls = callsOf([&] { drawWireIcosahedron(radius); });
    expectRecordedOnce(calls, shapeLists.icosahedron->listName);
    const std::vector<Primitive> loops = primitivesOf(calls);
    ASSERT_EQ(loops.size(), 20u);
    for (std::size_t f = 0; f < loops.size(); ++f) {
        SCOPED_TRACE(testing::Message() << "face " << f);
        const Primitive& loop = loops[f];
        EXPECT_EQ(loop.mode, static_cast<GLenum>(GL_LINE_LOOP));
        ASSERT_EQ(namesOf(loop.calls), (std::vector<std::string>{"glNormal3dv", "glVertex3dv",
                                                                 "glVertex3dv", "glVertex3dv"}));
        const int* face = icosahedronFace[f];
        const Point a = scaled(icosahedronVertex[face[0]], radius);
        const Point b = scaled(icosahedronVertex[face[1]], radius);
        const Point c = scaled(icosahedronVertex[face[2]], radius);
        // Corners in the order a, c, b, each on the sphere of the radius.
        expectSamePoint(pointOf(loop.calls[1]), a, "a");
        expectSamePoint(pointOf(loop.calls[2]), c, "c");
        expectSamePoint(pointOf(loop.calls[3]), b, "b");
        for (int k = 1; k <= 3; ++k)
            EXPECT_NEAR(length(pointOf(loop.calls[k])), radius, tolerance);

        // One normal: unit, outward, along (Pa - Pc) x (Pc - Pb).
        const Point u{a.x - c.x, a.y - c.y, a.z - c.z};
        const Point v{c.x - b.x, c.y - b.y, c.z - b.z};
        const Point cross{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
        const Point normal = pointOf(loop.calls[0]);
        expectSamePoint(normal, scaled(cross, 1.0), "normal");
        EXPECT_NEAR(length(normal), 1.0, tolerance);
        EXPECT_GT(normal.x * a.x + normal.y * a.y + normal.z * a.z, 0.0) << "normal points inwards";
    }
    clearShapeLists();
    closeTestGlContext(gl);
}

// GLU draws these two in single precision.
constexpr double gluTolerance = 1e-6;

TEST(WireShapes, TheSphereIsDrawnInLinesOnItsRadius)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    const std::vector<GlCall> calls = callsOf([] { drawWireSphere(0.5); });
    expectRecordedOnce(calls, shapeLists.sphere->listName);
    const std::vector<Primitive> primitives = primitivesOf(calls);
    ASSERT_FALSE(primitives.empty());
    double highest = -1;
    double lowest = 1;
    int vertices = 0;
    for (const Primitive& primitive : primitives) {
        EXPECT_TRUE(primitive.mode == GL_LINE_LOOP || primitive.mode == GL_LINE_STRIP ||
                    primitive.mode == GL_LINES)
            << "mode " << primitive.mode;
        for (const GlCall& call : primitive.calls) {
            if (call.name != "glVertex3f")
                continue;
            ++vertices;
            EXPECT_NEAR(length(pointOf(call)), 0.5, gluTolerance);
            highest = std::max(highest, call.values[2]);
            lowest = std::min(lowest, call.values[2]);
        }
    }
    EXPECT_GE(vertices, 16 * 15);
    EXPECT_NEAR(highest, 0.5, gluTolerance);
    EXPECT_NEAR(lowest, -0.5, gluTolerance);
    clearShapeLists();
    closeTestGlContext(gl);
}

TEST(WireShapes, TheConeStandsOnItsBaseCircleWithItsApexAtItsHeight)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    const double base = 0.5;
    const double height = 1.0;
    const std::vector<GlCall> calls = callsOf([&] { drawWireCone(base, height); });
    expectRecordedOnce(calls, shapeLists.cone->listName);
    const std::vector<Primitive> primitives = primitivesOf(calls);
    ASSERT_FALSE(primitives.empty());
    double lowest = height;
    double highest = 0;
    int vertices = 0;
    for (const Primitive& primitive : primitives) {
        EXPECT_TRUE(primitive.mode == GL_LINE_LOOP || primitive.mode == GL_LINE_STRIP ||
                    primitive.mode == GL_LINES)
            << "mode " << primitive.mode;
        for (const GlCall& call : primitive.calls) {
            if (call.name != "glVertex3f")
                continue;
            ++vertices;
            const Point p = pointOf(call);
            EXPECT_GE(p.z, -gluTolerance);
            EXPECT_LE(p.z, height + gluTolerance);
            EXPECT_NEAR(std::hypot(p.x, p.y), base * (1.0 - p.z / height), gluTolerance);
            lowest = std::min(lowest, p.z);
            highest = std::max(highest, p.z);
        }
    }
    EXPECT_GE(vertices, 15 * 10);
    EXPECT_NEAR(lowest, 0.0, gluTolerance);
    EXPECT_NEAR(highest, height, gluTolerance);
    clearShapeLists();
    closeTestGlContext(gl);
}

// Kept last: it needs the platform's message-box answering.
TEST(WireShapes, AZeroRadiusIcosahedronReportsTheZeroLengthVectorAndEndsWithStatus1)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TestGlContext gl = openCanvas();
            if (gl.context == nullptr)
                std::exit(12);
            testHooks::answerMessageBoxes([](const MessageBoxRecord& box) {
                std::fprintf(stderr, "box caption=[%s] text=[%s] style=%u\n", box.caption.c_str(),
                             box.text.c_str(), box.style);
                return IDOK;
            });
            drawWireIcosahedron(0.0);
            std::exit(0);
        },
        testing::ExitedWithCode(1),
        "box caption=\\[Error\\] text=\\[normalize: zero length vector\\] style=0");
}

}  // namespace
