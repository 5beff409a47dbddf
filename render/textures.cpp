// The five pictures of the game, made into textures of the current
// rendering context. A picture that does not load leaves its texture as it
// was, and whatever is drawn with it comes out untextured.
#include "render/textures.h"

#include "platform/problem_log.h"

#include <cstdlib>

GLuint shipTextureA = 0;
GLuint moonTexture = 0;
GLuint shipTextureB = 0;
GLuint skyTexture = 0;
GLuint alienTexture = 0;

namespace {

struct TextureFile {
    const char* path;
    GLuint* name;
};

// Load order; the last one loaded stays bound.
const TextureFile textureFiles[] = {
    {"Data/3dship4lr.bmp", &shipTextureA},  {"Data/moon.bmp", &moonTexture},
    {"Data/3dship42lr.bmp", &shipTextureB}, {"Data/sky.bmp", &skyTexture},
    {"Data/alienlr.bmp", &alienTexture},
};

}  // namespace

bool loadTextures()
{
    bool anyLoaded = false;
    for (const TextureFile& file : textureFiles) {
        RgbImage* image = loadBitmapFile(file.path);
        if (image == nullptr)
            continue;  // the loader has already said why
        glGenTextures(1, file.name);
        // A size OpenGL refuses leaves the texture incomplete, drawn plain:
        // the game goes on, and the problem log says which picture it was.
        while (glGetError() != GL_NO_ERROR) {
        }
        uploadTexture(image, *file.name);
        if (glGetError() != GL_NO_ERROR)
            reportProblem(file.path, "OpenGL refused it as a texture (a size it cannot take?)");
        anyLoaded = true;
    }
    return anyLoaded;
}

void uploadTexture(RgbImage* image, GLuint name)
{
    if (image == nullptr)
        return;
    glBindTexture(GL_TEXTURE_2D, name);

    // Decoded rows are packed with no padding, so any width reads right
    // only at byte alignment; the alignment others rely on is put back.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, image->width, image->height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image->pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    // The texture keeps its own copy.
    if (image->pixels != nullptr)
        std::free(image->pixels);
    std::free(image);
}
