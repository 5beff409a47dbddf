// The menus' wire shapes: each size is recorded into a display list the
// first time it is drawn, and every later frame replays that list.
#include "render/shapes.h"

#include "platform/win32.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>
#include <cstdlib>

ShapeListCache shapeLists;

namespace {

constexpr double twoPi = 6.2831853071794;

// Replays the list recorded with exactly these sizes and returns true; or
// opens a new list, recording while drawing, for the caller to fill and
// close, and returns false. The chain keeps `params` only on a miss.
bool replayOrRecord(ShapeListEntry*& chain, int paramCount, double* params)
{
    for (ShapeListEntry* entry = chain; entry != nullptr; entry = entry->next) {
        bool same = true;
        for (int i = 0; i < paramCount; ++i)
            if (entry->params[i] != params[i])
                same = false;
        if (same) {
            glCallList(entry->listName);
            delete[] params;
            return true;
        }
    }
    ShapeListEntry* entry = new ShapeListEntry{glGenLists(1), chain, paramCount, params};
    chain = entry;
    glNewList(entry->listName, GL_COMPILE_AND_EXECUTE);
    return false;
}

void normalize(double v[3])
{
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0.0) {
        MessageBoxA(GetFocus(), "normalize: zero length vector", "Error", MB_OK);
        std::exit(1);
    }
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
}

void emitTorus(double tubeRadius, double ringRadius)
{
    constexpr int rings = 10;
    constexpr int sides = 5;
    for (int i = 0; i < rings; ++i) {
        const double theta = i * twoPi / rings;
        const double nextTheta = (i + 1) * twoPi / rings;
        for (int j = 0; j < sides; ++j) {
            const double phi = j * twoPi / sides;
            const double nextPhi = (j + 1) * twoPi / sides;
            // The quad's corners p0 to p3, sent from p3 down to p0.
            const double ringAngle[4] = {theta, nextTheta, nextTheta, theta};
            const double tubeAngle[4] = {phi, phi, nextPhi, nextPhi};
            glBegin(GL_LINE_LOOP);
            for (int k = 3; k >= 0; --k) {
                const double c = std::cos(ringAngle[k]);
                const double s = std::sin(ringAngle[k]);
                const double cosPhi = std::cos(tubeAngle[k]);
                const double sinPhi = std::sin(tubeAngle[k]);
                const double reach = ringRadius + tubeRadius * cosPhi;
                const double normal[3] = {c * cosPhi, -s * cosPhi, sinPhi};
                const double vertex[3] = {c * reach, -s * reach, tubeRadius * sinPhi};
                glNormal3dv(normal);
                glVertex3dv(vertex);
            }
            glEnd();
        }
    }
}

constexpr double icoX = 0.525731112119133606;
constexpr double icoZ = 0.850650808352039932;

constexpr double icosahedronVertices[12][3] = {
    {-icoX, 0, icoZ}, {icoX, 0, icoZ},  {-icoX, 0, -icoZ}, {icoX, 0, -icoZ},
    {0, icoZ, icoX},  {0, icoZ, -icoX}, {0, -icoZ, icoX},  {0, -icoZ, -icoX},
    {icoZ, icoX, 0},  {-icoZ, icoX, 0}, {icoZ, -icoX, 0},  {-icoZ, -icoX, 0},
};

constexpr int icosahedronFaces[20][3] = {
    {0, 4, 1}, {0, 9, 4},  {9, 5, 4},  {4, 5, 8},  {4, 8, 1},  {8, 10, 1}, {8, 3, 10},
    {5, 3, 8}, {5, 2, 3},  {2, 7, 3},  {7, 10, 3}, {7, 6, 10}, {7, 11, 6}, {11, 0, 6},
    {0, 1, 6}, {6, 1, 10}, {9, 0, 11}, {9, 11, 2}, {9, 2, 5},  {7, 2, 11},
};

void emitIcosahedron(double radius)
{
    for (const auto& face : icosahedronFaces) {
        double corner[3][3];
        for (int k = 0; k < 3; ++k) {
            for (int axis = 0; axis < 3; ++axis)
                corner[k][axis] = icosahedronVertices[face[k]][axis];
            normalize(corner[k]);
            for (int axis = 0; axis < 3; ++axis)
                corner[k][axis] *= radius;
        }
        const double* a = corner[0];
        const double* b = corner[1];
        const double* c = corner[2];
        const double u[3] = {a[0] - c[0], a[1] - c[1], a[2] - c[2]};
        const double v[3] = {c[0] - b[0], c[1] - b[1], c[2] - b[2]};
        double normal[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                            u[0] * v[1] - u[1] * v[0]};
        normalize(normal);
        glBegin(GL_LINE_LOOP);
        glNormal3dv(normal);
        glVertex3dv(a);
        glVertex3dv(c);
        glVertex3dv(b);
        glEnd();
    }
}

void freeChain(ShapeListEntry*& chain)
{
    while (chain != nullptr) {
        ShapeListEntry* older = chain->next;
        // Without a context the list ended with it; with one, it goes now.
        if (wglGetCurrentContext() != nullptr)
            glDeleteLists(chain->listName, 1);
        delete[] chain->params;
        delete chain;
        chain = older;
    }
}

}  // namespace

void drawWireSphere(double radius)
{
    if (replayOrRecord(shapeLists.sphere, 1, new double[1]{radius}))
        return;
    GLUquadric* quadric = gluNewQuadric();
    if (quadric != nullptr) {
        gluQuadricDrawStyle(quadric, GLU_LINE);
        gluSphere(quadric, radius, 16, 16);
    }
    glEndList();
    if (quadric != nullptr)
        gluDeleteQuadric(quadric);
}

void drawWireTorus(double tubeRadius, double ringRadius)
{
    if (replayOrRecord(shapeLists.torus, 2, new double[2]{tubeRadius, ringRadius}))
        return;
    emitTorus(tubeRadius, ringRadius);
    glEndList();
}

void drawWireIcosahedron(double radius)
{
    if (replayOrRecord(shapeLists.icosahedron, 1, new double[1]{radius}))
        return;
    emitIcosahedron(radius);
    glEndList();
}

void drawWireCone(double baseRadius, double height)
{
    if (replayOrRecord(shapeLists.cone, 2, new double[2]{baseRadius, height}))
        return;
    GLUquadric* quadric = gluNewQuadric();
    if (quadric != nullptr) {
        gluQuadricDrawStyle(quadric, GLU_LINE);
        gluCylinder(quadric, baseRadius, 0.0, height, 15, 10);
    }
    glEndList();
    if (quadric != nullptr)
        gluDeleteQuadric(quadric);
}

void clearShapeLists()
{
    freeChain(shapeLists.sphere);
    freeChain(shapeLists.torus);
    freeChain(shapeLists.icosahedron);
    freeChain(shapeLists.cone);
}
