// Font faces through GDI: the face asked for by name as the game's font
// request names it (CreateFontA, TrueType preferred, antialiased), each
// glyph drawn by GetGlyphOutline as an 8-bit coverage bitmap. The font
// mapper stands in another face where the one named is not installed.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/font_faces.h"

#include <string>
#include <vector>

struct FontFace {
    HDC deviceContext = nullptr;
    HFONT font = nullptr;
    HGDIOBJ previousFont = nullptr;
    TEXTMETRICA metrics{};
    std::vector<unsigned char> coverage;
};

namespace {

// GGO_GRAY8_BITMAP's levels run from 0 to 64.
constexpr int grayLevels = 64;

const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

bool measure(FontFace* face, char32_t code, GLYPHMETRICS& metrics, std::vector<unsigned char>* bits)
{
    if (code > 0xFFFF)
        return false;
    const UINT format = bits != nullptr ? GGO_GRAY8_BITMAP : GGO_METRICS;
    const DWORD size = GetGlyphOutlineW(face->deviceContext, static_cast<UINT>(code), format,
                                        &metrics, 0, nullptr, &identity);
    if (size == GDI_ERROR)
        return false;
    if (bits == nullptr)
        return true;
    bits->assign(size, 0);
    if (size == 0)
        return true;  // a blank glyph: only its advance
    return GetGlyphOutlineW(face->deviceContext, static_cast<UINT>(code), format, &metrics, size,
                            bits->data(), &identity) != GDI_ERROR;
}

}  // namespace

FontFace* openFontFace(const char* pattern, int pixels)
{
    if (pattern == nullptr)
        return nullptr;
    // "Comic Sans MS:bold": the face's name, and its style after the colon.
    std::string name = pattern;
    bool bold = false;
    if (const std::size_t colon = name.find(':'); colon != std::string::npos) {
        bold = name.find("bold", colon) != std::string::npos;
        name.resize(colon);
    }
    if (name == "sans")
        name = "MS Shell Dlg";
    auto* face = new FontFace;
    face->deviceContext = CreateCompatibleDC(nullptr);
    face->font = CreateFontA(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, name.c_str());
    if (face->deviceContext == nullptr || face->font == nullptr) {
        closeFontFace(face);
        return nullptr;
    }
    face->previousFont = SelectObject(face->deviceContext, face->font);
    GetTextMetricsA(face->deviceContext, &face->metrics);
    return face;
}

void closeFontFace(FontFace* face)
{
    if (face == nullptr)
        return;
    if (face->previousFont != nullptr)
        SelectObject(face->deviceContext, face->previousFont);
    if (face->font != nullptr)
        DeleteObject(face->font);
    if (face->deviceContext != nullptr)
        DeleteDC(face->deviceContext);
    delete face;
}

int fontAscent(const FontFace* face) { return face->metrics.tmAscent; }

int fontLineHeight(const FontFace* face)
{
    return face->metrics.tmHeight + face->metrics.tmExternalLeading;
}

bool hasGlyph(FontFace* face, char32_t code)
{
    if (code > 0xFFFF)
        return false;
    const wchar_t character = static_cast<wchar_t>(code);
    WORD index = 0xFFFF;
    return GetGlyphIndicesW(face->deviceContext, &character, 1, &index,
                            GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR &&
           index != 0xFFFF;
}

bool glyphBitmap(FontFace* face, char32_t code, GlyphBitmap& glyph)
{
    GLYPHMETRICS metrics{};
    std::vector<unsigned char> bits;
    if (!measure(face, code, metrics, &bits))
        return false;
    glyph = GlyphBitmap{};
    glyph.advance = static_cast<long>(metrics.gmCellIncX) * 64;
    glyph.left = metrics.gmptGlyphOrigin.x;
    glyph.top = metrics.gmptGlyphOrigin.y;
    if (bits.empty())
        return true;
    glyph.width = static_cast<int>(metrics.gmBlackBoxX);
    glyph.rows = static_cast<int>(metrics.gmBlackBoxY);
    // Rows come padded to whole double words.
    const int sourcePitch = (glyph.width + 3) & ~3;
    glyph.pitch = glyph.width;
    face->coverage.assign(static_cast<std::size_t>(glyph.width) * glyph.rows, 0);
    for (int row = 0; row < glyph.rows; ++row) {
        for (int x = 0; x < glyph.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(row * sourcePitch + x);
            const int level = at < bits.size() ? bits[at] : 0;
            face->coverage[static_cast<std::size_t>(row * glyph.width + x)] =
                static_cast<unsigned char>(level >= grayLevels ? 255 : level * 255 / grayLevels);
        }
    }
    glyph.coverage = face->coverage.data();
    return true;
}

long glyphAdvance(FontFace* face, char32_t code)
{
    GLYPHMETRICS metrics{};
    if (!measure(face, code, metrics, nullptr))
        return 0;
    return static_cast<long>(metrics.gmCellIncX) * 64;
}
