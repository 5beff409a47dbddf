// Font faces found by name and drawn at a pixel size: the game's bitmap
// font and the message boxes take their glyphs from here as coverage
// bitmaps, and never see the font machinery behind them.
#pragma once

struct FontFace;

// One glyph at its face's size: `rows` rows of `width` coverage bytes (0
// bare, 255 fully covered), the top row first, each row `pitch` bytes after
// the one above. `left` and `top` place the bitmap from the pen on the
// baseline (`top` upwards); `advance` moves the pen on, in 64ths of a
// pixel. A glyph of no drawable kind comes with no rows.
struct GlyphBitmap {
    const unsigned char* coverage = nullptr;
    int width = 0;
    int rows = 0;
    int pitch = 0;
    int left = 0;
    int top = 0;
    long advance = 0;
};

// The face the system's font matching picks for `pattern` ("Comic Sans
// MS:bold", "sans") at `pixels` pixels high; null when none opens.
FontFace* openFontFace(const char* pattern, int pixels);
void closeFontFace(FontFace* face);

// Whole pixels from the baseline up to the tallest glyph, and from one
// baseline to the next.
int fontAscent(const FontFace* face);
int fontLineHeight(const FontFace* face);

// Whether the face draws `code` itself rather than its missing-glyph box.
bool hasGlyph(FontFace* face, char32_t code);

// `code` drawn into `glyph` (the missing-glyph box if the face has none);
// false when it cannot be drawn. The coverage stays valid until the next
// glyph of the same face.
bool glyphBitmap(FontFace* face, char32_t code, GlyphBitmap& glyph);

// The pen's move for `code` in 64ths of a pixel, without drawing it; 0 when
// the glyph cannot be loaded.
long glyphAdvance(FontFace* face, char32_t code);
