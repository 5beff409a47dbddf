// Placeholder until the wire shapes are built.
#include "render/shapes.h"

ShapeListCache shapeLists;

void drawWireSphere(double) {}
void drawWireTorus(double, double) {}
void drawWireIcosahedron(double) {}
void drawWireCone(double, double) {}
void clearShapeLists() {}
