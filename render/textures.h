// The five pictures of the game as OpenGL textures.
#pragma once

#include "render/bitmap.h"

#include <GL/gl.h>

extern GLuint shipTextureA;  // "Data/3dship4lr.bmp"
extern GLuint moonTexture;   // "Data/moon.bmp"
extern GLuint shipTextureB;  // "Data/3dship42lr.bmp"
extern GLuint skyTexture;    // "Data/sky.bmp"
extern GLuint alienTexture;  // "Data/alienlr.bmp"

// Bound for all untextured drawing.
constexpr GLuint noTexture = 0;

// True when at least one picture became a texture.
bool loadTextures();

// Makes texture `name` from the image and frees the image.
void uploadTexture(RgbImage* image, GLuint name);
