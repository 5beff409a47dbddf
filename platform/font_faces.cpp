// Font faces through fontconfig and FreeType: one lookup for every face the
// game draws text with, and glyphs handed out as plain coverage bitmaps.
#include "platform/font_faces.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstddef>
#include <string>
#include <vector>

struct FontFace {
    FT_Face face = nullptr;
    // A one-bit glyph widened to coverage bytes.
    std::vector<unsigned char> widened;
};

namespace {

// Opened at the first face and kept for the life of the process.
FT_Library library = nullptr;

// The file and face index fontconfig matches to `pattern`.
bool findFontFile(const char* pattern, std::string& file, int& index)
{
    FcPattern* request = FcNameParse(reinterpret_cast<const FcChar8*>(pattern));
    if (request == nullptr)
        return false;
    FcConfigSubstitute(nullptr, request, FcMatchPattern);
    FcDefaultSubstitute(request);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, request, &result);
    FcPatternDestroy(request);
    if (match == nullptr)
        return false;
    FcChar8* name = nullptr;
    const bool found = FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch;
    if (found) {
        file = reinterpret_cast<const char*>(name);
        index = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
    }
    FcPatternDestroy(match);
    return found;
}

}  // namespace

FontFace* openFontFace(const char* pattern, int pixels)
{
    if (library == nullptr && FT_Init_FreeType(&library) != 0) {
        library = nullptr;
        return nullptr;
    }
    std::string file;
    int index = 0;
    if (pattern == nullptr || !findFontFile(pattern, file, index))
        return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.c_str(), index, &face) != 0)
        return nullptr;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    return new FontFace{face, {}};
}

void closeFontFace(FontFace* face)
{
    if (face == nullptr)
        return;
    FT_Done_Face(face->face);
    delete face;
}

int fontAscent(const FontFace* face)
{
    return static_cast<int>(face->face->size->metrics.ascender >> 6);
}

int fontLineHeight(const FontFace* face)
{
    return static_cast<int>(face->face->size->metrics.height >> 6);
}

bool hasGlyph(FontFace* face, char32_t code) { return FT_Get_Char_Index(face->face, code) != 0; }

bool glyphBitmap(FontFace* face, char32_t code, GlyphBitmap& glyph)
{
    if (FT_Load_Char(face->face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0)
        return false;
    const FT_GlyphSlot slot = face->face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph = GlyphBitmap{};
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = slot->advance.x;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
        glyph.coverage = bitmap.buffer;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        glyph.pitch = bitmap.pitch;
    } else if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        glyph.pitch = glyph.width;
        face->widened.assign(
            static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.rows), 0);
        for (int row = 0; row < glyph.rows; ++row) {
            const unsigned char* bits = bitmap.buffer + row * bitmap.pitch;
            for (int x = 0; x < glyph.width; ++x)
                if ((bits[x / 8] & (0x80 >> (x % 8))) != 0)
                    face->widened[static_cast<std::size_t>(row * glyph.width + x)] = 255;
        }
        glyph.coverage = face->widened.data();
    }
    return true;
}

long glyphAdvance(FontFace* face, char32_t code)
{
    if (FT_Load_Char(face->face, code, FT_LOAD_DEFAULT) != 0)
        return 0;
    return face->face->glyph->advance.x;
}
