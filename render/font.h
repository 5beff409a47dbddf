// The bitmap font: 96 display lists, one per character code 32 to 127.
#pragma once

#include <GL/gl.h>

extern GLuint fontListBase;

// Builds the glyph lists in the current rendering context.
void createFontLists();

// printf-style text at the current raster position, in the raster colour
// (set the colour before the raster position). At most 255 characters.
void printText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Harmless without a current context: the lists then ended with it.
void deleteFontLists();
