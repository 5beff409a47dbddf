// The bitmap font drawn into a real GL context: glyph shape and placement
// against FreeType's own rendering of the face, advances, the bytes that
// have no glyph, formatting limits and the life of the lists.
#include "render/font.h"

#include "app/win_main.h"
#include "tests/support/game_fixture.h"
#include "tests/support/gl_context.h"

#include <GL/gl.h>
#include <cstdio>
#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr int canvasWidth = 320;
constexpr int canvasHeight = 120;
constexpr int startX = 40;
constexpr int startY = 50;

// One window unit per pixel, origin at the bottom left.
void usePixelProjection()
{
    glViewport(0, 0, canvasWidth, canvasHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, canvasWidth, 0, canvasHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
}

TestGlContext openCanvas()
{
    TestGlContext gl = openTestGlContext(canvasWidth, canvasHeight);
    if (gl.context != nullptr)
        usePixelProjection();
    return gl;
}

void clearCanvas()
{
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
}

void placeText(int x, int y)
{
    glColor3f(1, 1, 1);
    glRasterPos2i(x, y);
}

// Lit pixels of the back buffer, row 0 at the bottom.
std::vector<bool> litPixels()
{
    glFinish();
    std::vector<unsigned char> rgb(canvasWidth * canvasHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, canvasWidth, canvasHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::vector<bool> lit(canvasWidth * canvasHeight);
    for (int i = 0; i < canvasWidth * canvasHeight; ++i)
        lit[i] = rgb[i * 3] > 0 || rgb[i * 3 + 1] > 0 || rgb[i * 3 + 2] > 0;
    return lit;
}

int countLit(const std::vector<bool>& lit)
{
    int count = 0;
    for (bool pixel : lit)
        count += pixel ? 1 : 0;
    return count;
}

struct RasterPosition {
    float x;
    float y;
    bool valid;
};

RasterPosition rasterPosition()
{
    GLfloat position[4] = {};
    GLboolean valid = GL_FALSE;
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    return {position[0], position[1], valid == GL_TRUE};
}

// How far one text moves the raster position from a fixed start.
float advanceOf(const char* text)
{
    placeText(startX, startY);
    printText("%s", text);
    return rasterPosition().x - startX;
}

struct MatchedFace {
    std::string file;
    std::string family;
    std::string style;
};

MatchedFace matchGameFace()
{
    MatchedFace result;
    FcPattern* request = FcNameParse(reinterpret_cast<const FcChar8*>("Comic Sans MS:bold"));
    FcConfigSubstitute(nullptr, request, FcMatchPattern);
    FcDefaultSubstitute(request);
    FcResult outcome = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, request, &outcome);
    FcPatternDestroy(request);
    if (match == nullptr)
        return result;
    FcChar8* value = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &value) == FcResultMatch)
        result.file = reinterpret_cast<const char*>(value);
    if (FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch)
        result.family = reinterpret_cast<const char*>(value);
    if (FcPatternGetString(match, FC_STYLE, 0, &value) == FcResultMatch)
        result.style = reinterpret_cast<const char*>(value);
    FcPatternDestroy(match);
    return result;
}

// The glyph as FreeType renders it from the shipped face: coverage per
// pixel, top row first, and the metrics that place it.
struct ReferenceGlyph {
    int width = 0;
    int rows = 0;
    int left = 0;
    int top = 0;
    int advance = 0;
    std::vector<unsigned char> coverage;
};

ReferenceGlyph referenceGlyph(char code)
{
    ReferenceGlyph glyph;
    const MatchedFace matched = matchGameFace();
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        ADD_FAILURE() << "FreeType did not start";
        return glyph;
    }
    if (FT_New_Face(library, matched.file.c_str(), 0, &face) != 0) {
        ADD_FAILURE() << "cannot open " << matched.file;
        FT_Done_FreeType(library);
        return glyph;
    }
    EXPECT_STREQ(face->family_name, "Comic Neue");
    EXPECT_STREQ(face->style_name, "Bold");
    FT_Set_Pixel_Sizes(face, 0, 18);
    if (FT_Load_Char(face, static_cast<unsigned char>(code), FT_LOAD_RENDER) == 0) {
        const FT_Bitmap& bitmap = face->glyph->bitmap;
        EXPECT_EQ(bitmap.pixel_mode, FT_PIXEL_MODE_GRAY);
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        glyph.left = face->glyph->bitmap_left;
        glyph.top = face->glyph->bitmap_top;
        glyph.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
        for (int row = 0; row < glyph.rows; ++row)
            for (int x = 0; x < glyph.width; ++x)
                glyph.coverage.push_back(bitmap.buffer[row * bitmap.pitch + x]);
    } else {
        ADD_FAILURE() << "no glyph for " << code;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return glyph;
}

// The glyph must show where FreeType puts it from a raster position at
// (originX, startY): every well-covered pixel lit, every barely covered one
// dark, and nothing lit outside its box.
void expectGlyphDrawn(const std::vector<bool>& lit, const ReferenceGlyph& glyph, int originX)
{
    int solid = 0;
    for (int row = 0; row < glyph.rows; ++row) {
        for (int x = 0; x < glyph.width; ++x) {
            const int windowX = originX + glyph.left + x;
            const int windowY = startY + glyph.top - 1 - row;
            const unsigned char coverage = glyph.coverage[row * glyph.width + x];
            const bool shown = lit[windowY * canvasWidth + windowX];
            if (coverage >= 192) {
                ++solid;
                EXPECT_TRUE(shown) << "glyph pixel " << x << "," << row << " is dark";
            } else if (coverage < 64) {
                EXPECT_FALSE(shown) << "blank pixel " << x << "," << row << " is lit";
            }
        }
    }
    EXPECT_GT(solid, 20);
    for (int y = 0; y < canvasHeight; ++y) {
        for (int x = 0; x < canvasWidth; ++x) {
            const bool insideBox =
                x >= originX + glyph.left && x < originX + glyph.left + glyph.width &&
                y <= startY + glyph.top - 1 && y >= startY + glyph.top - glyph.rows;
            if (!insideBox) {
                EXPECT_FALSE(lit[y * canvasWidth + x]) << "stray pixel at " << x << "," << y;
            }
        }
    }
}

TEST(BitmapFont, TheFaceAskedForAsComicSansMsBoldIsComicNeueBold)
{
    const MatchedFace matched = matchGameFace();
    std::printf("fontconfig gave %s (%s) from %s\n", matched.family.c_str(), matched.style.c_str(),
                matched.file.c_str());
    RecordProperty("face", matched.family + " " + matched.style);
    EXPECT_EQ(matched.family, "Comic Neue");
    EXPECT_EQ(matched.style, "Bold");
}

TEST(BitmapFont, CapitalAIsDrawnAsTheFacesGlyphAndAdvancesByItsWidth)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    createFontLists();
    ASSERT_NE(fontListBase, 0u);
    const ReferenceGlyph glyph = referenceGlyph('A');
    ASSERT_GT(glyph.rows, 8);

    clearCanvas();
    placeText(startX, startY);
    printText("A");
    const RasterPosition after = rasterPosition();
    expectGlyphDrawn(litPixels(), glyph, startX);
    EXPECT_TRUE(after.valid);
    EXPECT_FLOAT_EQ(after.x, static_cast<float>(startX + glyph.advance));
    EXPECT_FLOAT_EQ(after.y, static_cast<float>(startY));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    deleteFontLists();
    closeTestGlContext(gl);
}

TEST(BitmapFont, GlyphsKeepTheirShapeWhateverUnpackingTheCallerLeftAndItIsRestored)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 3);
    createFontLists();
    GLint alignment = 0;
    GLint lsbFirst = 0;
    GLint rowLength = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glGetIntegerv(GL_UNPACK_LSB_FIRST, &lsbFirst);
    glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
    EXPECT_EQ(alignment, 8);
    EXPECT_EQ(lsbFirst, GL_TRUE);
    EXPECT_EQ(rowLength, 3);

    const ReferenceGlyph glyph = referenceGlyph('g');
    clearCanvas();
    placeText(startX, startY);
    printText("g");
    expectGlyphDrawn(litPixels(), glyph, startX);
    deleteFontLists();
    closeTestGlContext(gl);
}

TEST(BitmapFont, TextContinuesFromWhereThePreviousGlyphLeftTheRasterPosition)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    createFontLists();
    const ReferenceGlyph a = referenceGlyph('A');
    const ReferenceGlyph b = referenceGlyph('B');
    EXPECT_FLOAT_EQ(advanceOf("AB"), static_cast<float>(a.advance + b.advance));

    clearCanvas();
    placeText(startX, startY);
    printText("A");
    printText("A");
    const std::vector<bool> twice = litPixels();
    clearCanvas();
    placeText(startX + a.advance, startY);
    printText("A");
    std::vector<bool> second = litPixels();
    clearCanvas();
    placeText(startX, startY);
    printText("A");
    const std::vector<bool> first = litPixels();
    for (std::size_t i = 0; i < twice.size(); ++i)
        EXPECT_EQ(twice[i], first[i] || second[i]) << "pixel " << i;
    deleteFontLists();
    closeTestGlContext(gl);
}

TEST(BitmapFont, ASpaceAdvancesWithoutDrawing)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    createFontLists();
    const ReferenceGlyph space = referenceGlyph(' ');
    ASSERT_GT(space.advance, 0);
    clearCanvas();
    EXPECT_FLOAT_EQ(advanceOf(" "), static_cast<float>(space.advance));
    EXPECT_EQ(countLit(litPixels()), 0);
    deleteFontLists();
    closeTestGlContext(gl);
}

TEST(BitmapFont, CodesWithoutAGlyphDrawNothingAndReachNoOtherList)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    // Other lists made first, so that bytes below 32 would land on them.
    const GLuint others = glGenLists(64);
    ASSERT_NE(others, 0u);
    createFontLists();
    ASSERT_GT(fontListBase, 32u);
    // Every name a stray byte could reach fills the whole canvas.
    for (int code = 0; code < 256; ++code) {
        if (code >= 32 && code <= 127)
            continue;
        glNewList(fontListBase - 32 + code, GL_COMPILE);
        glColor3f(1, 1, 1);
        glRecti(0, 0, canvasWidth, canvasHeight);
        glEndList();
    }

    clearCanvas();
    placeText(startX, startY);
    printText("%c%c", 200, 10);
    EXPECT_FLOAT_EQ(rasterPosition().x, static_cast<float>(startX));
    EXPECT_EQ(countLit(litPixels()), 0);

    clearCanvas();
    std::string everyStray;
    for (int code = 1; code < 256; ++code)
        if (code < 32 || code > 127)
            everyStray += static_cast<char>(code);
    placeText(startX, startY);
    printText("%s", everyStray.c_str());
    EXPECT_FLOAT_EQ(rasterPosition().x, static_cast<float>(startX));
    EXPECT_EQ(countLit(litPixels()), 0);

    // Stray bytes around a glyph neither draw nor move it.
    clearCanvas();
    placeText(startX, startY);
    printText("A");
    const float plainAdvance = rasterPosition().x;
    const std::vector<bool> plain = litPixels();
    clearCanvas();
    placeText(startX, startY);
    printText("%c%cA%c", 200, 10, 255);
    EXPECT_FLOAT_EQ(rasterPosition().x, plainAdvance);
    EXPECT_EQ(litPixels(), plain);

    // The decoys do fill the canvas when they are reached.
    clearCanvas();
    glCallList(fontListBase - 32 + 200);
    EXPECT_EQ(countLit(litPixels()), canvasWidth * canvasHeight);
    deleteFontLists();
    closeTestGlContext(gl);
}

TEST(BitmapFont, ACharacterInAFieldOfFiveIsRightAligned)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    createFontLists();
    const ReferenceGlyph space = referenceGlyph(' ');
    const ReferenceGlyph a = referenceGlyph('A');

    clearCanvas();
    placeText(startX, startY);
    printText("%5c", 'A');
    EXPECT_FLOAT_EQ(rasterPosition().x - startX, static_cast<float>(4 * space.advance + a.advance));
    expectGlyphDrawn(litPixels(), a, startX + 4 * space.advance);

    // The space key shows as five spaces.
    clearCanvas();
    placeText(startX, startY);
    printText("%5c", 32);
    EXPECT_FLOAT_EQ(rasterPosition().x - startX, static_cast<float>(5 * space.advance));
    EXPECT_EQ(countLit(litPixels()), 0);
    deleteFontLists();
    closeTestGlContext(gl);
}

TEST(BitmapFont, ANullFormatOrAnEmptyTextDrawsNothingAndLeavesTheRasterPosition)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    createFontLists();
    clearCanvas();
    placeText(startX, startY);
    const char* noFormat = nullptr;
    // A format that is not a literal is the point here, not a slip.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-security"
    printText(noFormat);
#pragma GCC diagnostic pop
    RasterPosition after = rasterPosition();
    EXPECT_FLOAT_EQ(after.x, static_cast<float>(startX));
    EXPECT_FLOAT_EQ(after.y, static_cast<float>(startY));

    printText("%s", "");
    after = rasterPosition();
    EXPECT_FLOAT_EQ(after.x, static_cast<float>(startX));
    EXPECT_EQ(countLit(litPixels()), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    deleteFontLists();
    closeTestGlContext(gl);
}

TEST(BitmapFont, TextLongerThan255CharactersIsCutAt255)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    createFontLists();
    std::string text;
    while (text.size() < 300)
        text += "Trigonix races on ";
    text.resize(300);
    ASSERT_NE(text[254], ' ');

    const float whole = advanceOf(text.c_str());
    const float first255 = advanceOf(text.substr(0, 255).c_str());
    const float first254 = advanceOf(text.substr(0, 254).c_str());
    EXPECT_FLOAT_EQ(whole, first255);
    EXPECT_GT(first255, first254);

    // Formatting pieces that together pass the limit is cut the same way.
    const float pieces = [&] {
        placeText(startX, startY);
        printText("%s%s%d", text.substr(0, 150).c_str(), text.substr(150, 150).c_str(), 12345);
        return rasterPosition().x - startX;
    }();
    EXPECT_FLOAT_EQ(pieces, first255);
    deleteFontLists();
    closeTestGlContext(gl);
}

TEST(BitmapFont, PrintfConversionsFormatAsTheCallersUseThem)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    createFontLists();
    const float expected = advanceOf("Time  7 12 034");
    placeText(startX, startY);
    printText("Time %2.f %i %03d", 7.4, 12, 34);
    EXPECT_FLOAT_EQ(rasterPosition().x - startX, expected);
    deleteFontLists();
    closeTestGlContext(gl);
}

TEST(BitmapFont, DeletingTheListsWithoutACurrentContextIsHarmless)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    createFontLists();
    ASSERT_NE(fontListBase, 0u);
    closeTestGlContext(gl);

    deleteFontLists();
    EXPECT_EQ(fontListBase, 0u);
    printText("A");  // nothing to draw with and nowhere to draw it
    deleteFontLists();
    EXPECT_EQ(fontListBase, 0u);
}

TEST(BitmapFont, TextBeforeTheFontIsBuiltDrawsNothing)
{
    TestGlContext gl = openCanvas();
    ASSERT_NE(gl.context, nullptr);
    // A list at every name the text could reach with no font base.
    for (GLuint name = 1; name < 256; ++name) {
        glNewList(name, GL_COMPILE);
        glRecti(0, 0, canvasWidth, canvasHeight);
        glEndList();
    }
    clearCanvas();
    placeText(startX, startY);
    printText("Trigonix");
    EXPECT_EQ(countLit(litPixels()), 0);
    EXPECT_FLOAT_EQ(rasterPosition().x, static_cast<float>(startX));
    closeTestGlContext(gl);
}

TEST(BitmapFont, ANewContextGetsItsOwnWorkingFont)
{
    const ReferenceGlyph glyph = referenceGlyph('A');
    TestGlContext first = openCanvas();
    ASSERT_NE(first.context, nullptr);
    createFontLists();
    closeTestGlContext(first);
    deleteFontLists();

    TestGlContext second = openCanvas();
    ASSERT_NE(second.context, nullptr);
    createFontLists();
    ASSERT_NE(fontListBase, 0u);
    for (GLuint i = 0; i < 96; ++i) {
        EXPECT_TRUE(glIsList(fontListBase + i)) << "list " << i;
    }
    clearCanvas();
    placeText(startX, startY);
    printText("A");
    expectGlyphDrawn(litPixels(), glyph, startX);
    deleteFontLists();
    closeTestGlContext(second);
}

// The game's own window: its context is the one the platform calls current.
using FontInTheGameWindow = GameTest;

TEST_F(FontInTheGameWindow, TheWindowBuildsTheFontAndDeletingItWhileCurrentFreesAll96Lists)
{
    openWindow();
    const GLuint base = fontListBase;
    ASSERT_NE(base, 0u);
    for (GLuint i = 0; i < 96; ++i) {
        EXPECT_TRUE(glIsList(base + i)) << "list " << i;
    }
    EXPECT_FALSE(glIsList(base + 96));

    usePixelProjection();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    placeText(startX, startY);
    printText("A");
    const std::vector<bool> lit = litPixels();
    EXPECT_GT(countLit(lit), 20);

    deleteFontLists();
    EXPECT_EQ(fontListBase, 0u);
    for (GLuint i = 0; i < 96; ++i) {
        EXPECT_FALSE(glIsList(base + i)) << "list " << i;
    }
}

TEST_F(FontInTheGameWindow, ClosingTheWindowForgetsTheFontAndTheNextWindowBuildsItAgain)
{
    openWindow();
    closeGameWindow();
    windowOpen = false;
    EXPECT_EQ(fontListBase, 0u);
    printText("A");  // no context and no font: nothing happens

    openWindow();
    ASSERT_NE(fontListBase, 0u);
    for (GLuint i = 0; i < 96; ++i) {
        EXPECT_TRUE(glIsList(fontListBase + i)) << "list " << i;
    }
}

TEST(BitmapFont, WithNoFaceAtAllTheListsExistAndTextDrawsNothing)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string config = testing::TempDir() + "trigonix_no_fonts.conf";
    // A fontconfig set-up that knows no font at all; read by the child,
    // which starts fontconfig afresh and reports by its exit status alone.
    EXPECT_EXIT(
        {
            std::FILE* file = std::fopen(config.c_str(), "w");
            if (file == nullptr)
                std::_Exit(10);
            std::fputs("<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n", file);
            std::fclose(file);
            setenv("FONTCONFIG_FILE", config.c_str(), 1);
            if (!matchGameFace().file.empty())
                std::_Exit(11);
            TestGlContext gl = openCanvas();
            if (gl.context == nullptr)
                std::_Exit(12);
            createFontLists();
            if (fontListBase == 0)
                std::_Exit(13);
            for (GLuint i = 0; i < 96; ++i)
                if (!glIsList(fontListBase + i))
                    std::_Exit(14);
            clearCanvas();
            placeText(startX, startY);
            printText("Trigonix %d", 7);
            if (countLit(litPixels()) != 0)
                std::_Exit(15);
            if (rasterPosition().x != startX)
                std::_Exit(16);
            if (glGetError() != GL_NO_ERROR)
                std::_Exit(17);
            std::_Exit(0);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
