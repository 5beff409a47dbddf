// The bitmap font: one display list per character, built from the glyphs
// of the game's bold face.
#include "render/font.h"

#include "platform/font_faces.h"
#include "platform/win32.h"

#include <GL/gl.h>
#include <cstdarg>
#include <cstdio>
#include <vector>

GLuint fontListBase = 0;

namespace {

constexpr int firstCode = 32;
constexpr int lastCode = 127;
constexpr int glyphCount = lastCode - firstCode + 1;
constexpr int glyphPixels = 18;

// Text is drawn without blending and glBitmap takes one bit per pixel:
// a pixel at least half covered by the glyph is lit, any less is not.
constexpr unsigned char coverageThreshold = 128;

const GLubyte blankBitmap = 0;

// The face stays open for the life of the process: every new rendering
// context builds its lists from it again.
FontFace* gameFace = nullptr;

// Records one glyph as wglUseFontBitmaps would: the bitmap placed by its
// bearing so baselines line up, then the raster position moved on by the
// advance in whole pixels.
void recordGlyph(FontFace* face, int code)
{
    GlyphBitmap glyph;
    if (face == nullptr || !hasGlyph(face, static_cast<char32_t>(code)) ||
        !glyphBitmap(face, static_cast<char32_t>(code), glyph))
        return;
    const int bytesPerRow = (glyph.width + 7) / 8;
    std::vector<GLubyte> bits(static_cast<std::size_t>(bytesPerRow) * glyph.rows, 0);
    for (int row = 0; row < glyph.rows; ++row) {
        const unsigned char* source = glyph.coverage + row * glyph.pitch;
        // glBitmap rows run bottom to top.
        GLubyte* target = bits.data() + (glyph.rows - 1 - row) * bytesPerRow;
        for (int x = 0; x < glyph.width; ++x)
            if (source[x] >= coverageThreshold)
                target[x / 8] |= static_cast<GLubyte>(0x80 >> (x % 8));
    }
    const GLfloat advance = static_cast<GLfloat>((glyph.advance + 32) >> 6);
    if (bits.empty()) {
        // A blank glyph (the space) only moves on. Mesa takes a bitmap
        // without data as a failed allocation and loses the move.
        glBitmap(0, 0, 0.0f, 0.0f, advance, 0.0f, &blankBitmap);
        return;
    }
    glBitmap(glyph.width, glyph.rows, static_cast<GLfloat>(-glyph.left),
             static_cast<GLfloat>(glyph.rows - glyph.top), advance, 0.0f, bits.data());
}

}  // namespace

void createFontLists()
{
    fontListBase = glGenLists(glyphCount);
    if (fontListBase == 0)
        return;
    if (gameFace == nullptr)
        gameFace = openFontFace("Comic Sans MS:bold", glyphPixels);
    // The bitmaps are unpacked when each list is compiled: tightly packed
    // rows, most significant bit first.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    for (int code = firstCode; code <= lastCode; ++code) {
        glNewList(fontListBase + static_cast<GLuint>(code - firstCode), GL_COMPILE);
        recordGlyph(gameFace, code);
        glEndList();
    }
    glPopClientAttrib();
}

void printText(const char* format, ...)
{
    if (format == nullptr || fontListBase == 0)
        return;
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    const int formatted = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (formatted <= 0)
        return;
    const int length = formatted < 255 ? formatted : 255;
    // A byte without a glyph would index past the font into lists that are
    // not ours (the wire shapes share the name space): it is left out.
    int kept = 0;
    for (int i = 0; i < length; ++i) {
        const unsigned char code = static_cast<unsigned char>(text[i]);
        if (code >= firstCode && code <= lastCode)
            text[kept++] = static_cast<char>(code);
    }
    if (kept == 0)
        return;
    glPushAttrib(GL_LIST_BIT);
    glListBase(fontListBase - firstCode);
    glCallLists(kept, GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}

void deleteFontLists()
{
    if (fontListBase != 0 && wglGetCurrentContext() != nullptr)
        glDeleteLists(fontListBase, glyphCount);
    fontListBase = 0;
}
