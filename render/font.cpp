// The bitmap font: one display list per character, built from the game's
// bold face with FreeType, found through fontconfig.
#include "render/font.h"

#include "platform/win32.h"

#include <GL/gl.h>
#include <cstdarg>
#include <cstdio>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <vector>

GLuint fontListBase = 0;

namespace {

constexpr int firstCode = 32;
constexpr int lastCode = 127;
constexpr int glyphCount = lastCode - firstCode + 1;

// Text is drawn without blending and glBitmap takes one bit per pixel:
// a pixel at least half covered by the glyph is lit, any less is not.
constexpr unsigned char coverageThreshold = 128;

const GLubyte blankBitmap = 0;

struct FontFace {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

// The face stays open for the life of the process: every new rendering
// context builds its lists from it again.
FontFace gameFace;

bool openGameFace()
{
    if (gameFace.face != nullptr)
        return true;
    if (gameFace.library == nullptr && FT_Init_FreeType(&gameFace.library) != 0) {
        gameFace.library = nullptr;
        return false;
    }
    FcPattern* request = FcNameParse(reinterpret_cast<const FcChar8*>("Comic Sans MS:bold"));
    if (request == nullptr)
        return false;
    FcConfigSubstitute(nullptr, request, FcMatchPattern);
    FcDefaultSubstitute(request);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, request, &result);
    FcPatternDestroy(request);
    if (match == nullptr)
        return false;
    FcChar8* file = nullptr;
    int index = 0;
    bool opened = false;
    if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        opened = FT_New_Face(gameFace.library, reinterpret_cast<const char*>(file), index,
                             &gameFace.face) == 0;
        if (!opened)
            gameFace.face = nullptr;
    }
    FcPatternDestroy(match);
    return opened;
}

// Records one glyph as wglUseFontBitmaps would: the bitmap placed by its
// bearing so baselines line up, then the raster position moved on by the
// advance in whole pixels.
void recordGlyph(FT_Face face, int code)
{
    if (face == nullptr || FT_Get_Char_Index(face, code) == 0)
        return;
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0)
        return;
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& coverage = slot->bitmap;
    const bool readable = coverage.pixel_mode == FT_PIXEL_MODE_GRAY
                          || coverage.pixel_mode == FT_PIXEL_MODE_MONO;
    const int width = readable ? static_cast<int>(coverage.width) : 0;
    const int rows = readable ? static_cast<int>(coverage.rows) : 0;
    const int bytesPerRow = (width + 7) / 8;
    std::vector<GLubyte> bits(static_cast<std::size_t>(bytesPerRow) * rows, 0);
    for (int row = 0; row < rows; ++row) {
        const unsigned char* source = coverage.buffer + row * coverage.pitch;
        // glBitmap rows run bottom to top.
        GLubyte* target = bits.data() + (rows - 1 - row) * bytesPerRow;
        for (int x = 0; x < width; ++x) {
            const bool lit = coverage.pixel_mode == FT_PIXEL_MODE_MONO
                                 ? (source[x / 8] & (0x80 >> (x % 8))) != 0
                                 : source[x] >= coverageThreshold;
            if (lit)
                target[x / 8] |= static_cast<GLubyte>(0x80 >> (x % 8));
        }
    }
    const GLfloat advance = static_cast<GLfloat>((slot->advance.x + 32) >> 6);
    if (bits.empty()) {
        // A blank glyph (the space) only moves on. Mesa takes a bitmap
        // without data as a failed allocation and loses the move.
        glBitmap(0, 0, 0.0f, 0.0f, advance, 0.0f, &blankBitmap);
        return;
    }
    glBitmap(width, rows, static_cast<GLfloat>(-slot->bitmap_left),
             static_cast<GLfloat>(rows - slot->bitmap_top), advance, 0.0f, bits.data());
}

}  // namespace

void createFontLists()
{
    fontListBase = glGenLists(glyphCount);
    if (fontListBase == 0)
        return;
    FT_Face face = nullptr;
    if (openGameFace()) {
        face = gameFace.face;
        FT_Set_Pixel_Sizes(face, 0, 18);
    }
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
        recordGlyph(face, code);
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
