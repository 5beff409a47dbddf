// Placeholder until the bitmap font is built: text draws nothing.
#include "render/font.h"

GLuint fontListBase = 0;

void createFontLists() {}
void printText(const char*, ...) {}
void deleteFontLists() {}
