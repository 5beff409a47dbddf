// Placeholder until the pictures are loaded: the game runs untextured.
#include "render/textures.h"

GLuint shipTextureA = 0;
GLuint moonTexture = 0;
GLuint shipTextureB = 0;
GLuint skyTexture = 0;
GLuint alienTexture = 0;

bool loadTextures() { return true; }
void uploadTexture(RgbImage*, GLuint) {}
