// The menus' wire shapes, each recorded once per size into a display list.
#pragma once

#include <GL/gl.h>

struct ShapeListEntry {
    GLuint listName;
    ShapeListEntry* next;  // older entry of the same kind
    int paramCount;
    double* params;  // the sizes the list was recorded with
};

struct ShapeListCache {
    ShapeListEntry* sphere = nullptr;
    ShapeListEntry* torus = nullptr;
    ShapeListEntry* icosahedron = nullptr;
    ShapeListEntry* cone = nullptr;
};

extern ShapeListCache shapeLists;

void drawWireSphere(double radius);
void drawWireTorus(double tubeRadius, double ringRadius);
void drawWireIcosahedron(double radius);
void drawWireCone(double baseRadius, double height);

// Forgets every entry, and deletes its list while a context is current;
// without one the lists ended with their context.
void clearShapeLists();
