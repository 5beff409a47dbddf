// The texture set in a real GL context: which pictures become textures,
// what a missing or broken picture leaves behind, and the pixels uploaded.
#include "render/textures.h"

#include "platform/test_hooks.h"
#include "tests/support/file_bytes.h"
#include "tests/support/game_fixture.h"
#include "tests/support/gl_context.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// A 24-bit picture with a file header and a 40-byte (or `headerSize`)
// info header; `rgb` holds packed red, green, blue rows, bottom row first.
Bytes picture24(int width, int height, const Bytes& rgb, std::uint32_t headerSize = 40)
{
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) / 4 * 4;
    Bytes out{'B', 'M'};
    put32(out, 14 + headerSize + stride * static_cast<std::uint32_t>(height));
    put32(out, 0);
    put32(out, 14 + headerSize);
    put32(out, headerSize);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, 24);
    out.resize(14 + headerSize, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
            out.push_back(rgb[at + 2]);
            out.push_back(rgb[at + 1]);
            out.push_back(rgb[at]);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(width) * 3; pad < stride; ++pad)
            out.push_back(0xEE);
    }
    return out;
}

Bytes plain(int width, int height, unsigned char r, unsigned char g, unsigned char b)
{
    Bytes rgb;
    for (int i = 0; i < width * height; ++i) {
        rgb.push_back(r);
        rgb.push_back(g);
        rgb.push_back(b);
    }
    return rgb;
}

const char* const allPictures[] = {"Data/3dship4lr.bmp", "Data/moon.bmp", "Data/3dship42lr.bmp",
                                   "Data/sky.bmp", "Data/alienlr.bmp"};

class TextureSet : public ::testing::Test {
  protected:
    void SetUp() override
    {
        shipTextureA = moonTexture = shipTextureB = skyTexture = alienTexture = 0;
        ASSERT_FALSE(enterTempGameFolder(false).empty());
        testHooks::answerMessageBoxes([](const MessageBoxRecord&) { return IDOK; });
        gl = openTestGlContext(64, 64);
        ASSERT_NE(gl.context, nullptr);
        glEnable(GL_TEXTURE_2D);
    }

    void TearDown() override
    {
        closeTestGlContext(gl);
        testHooks::reset();
        leaveTempGameFolder();
    }

    static void writeAll()
    {
        unsigned char shade = 10;
        for (const char* path : allPictures) {
            writeFile(path, picture24(4, 4, plain(4, 4, shade, 0, 0)));
            shade += 40;
        }
    }

    static GLuint boundTexture()
    {
        GLint bound = -1;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        return static_cast<GLuint>(bound);
    }

    // The texture's level 0 as packed red, green, blue bytes.
    static Bytes readBack(GLuint texture, int width, int height)
    {
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        Bytes pixels(static_cast<std::size_t>(width) * height * 3, 0xCD);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    TestGlContext gl;
};

TEST_F(TextureSet, OnlyTheSkyPresentIsEnough)
{
    writeFile("Data/sky.bmp", picture24(4, 4, plain(4, 4, 0, 0, 200)));
    EXPECT_TRUE(loadTextures());
    EXPECT_NE(skyTexture, 0u);
    EXPECT_EQ(shipTextureA, 0u);
    EXPECT_EQ(moonTexture, 0u);
    EXPECT_EQ(shipTextureB, 0u);
    EXPECT_EQ(alienTexture, 0u);
    EXPECT_TRUE(glIsTexture(skyTexture));
    EXPECT_EQ(boundTexture(), skyTexture);
    EXPECT_TRUE(testHooks::messageBoxes().empty());
}

TEST_F(TextureSet, NoPictureAtAllFailsQuietly)
{
    EXPECT_FALSE(loadTextures());
    EXPECT_EQ(shipTextureA, 0u);
    EXPECT_EQ(moonTexture, 0u);
    EXPECT_EQ(shipTextureB, 0u);
    EXPECT_EQ(skyTexture, 0u);
    EXPECT_EQ(alienTexture, 0u);
    EXPECT_TRUE(testHooks::messageBoxes().empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Drawn plain, with nothing on the screen to say why: the error stream and
// the problem log name the picture.
TEST_F(TextureSet, APictureOpenglRefusesIsNamedOnStderr)
{
    writeAll();
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    ASSERT_GT(largest, 0);
    writeFile("Data/moon.bmp", picture24(largest + 1, 1, plain(largest + 1, 1, 9, 9, 9)));
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(loadTextures());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "trigonix: Data/moon.bmp: OpenGL refused it as a texture (a size it cannot take?)\n");
    EXPECT_TRUE(testHooks::messageBoxes().empty());
    EXPECT_TRUE(glIsTexture(skyTexture));
}

TEST_F(TextureSet, EveryPictureGetsItsOwnTextureAndTheLastStaysBound)
{
    writeAll();
    EXPECT_TRUE(loadTextures());
    const GLuint names[] = {shipTextureA, moonTexture, shipTextureB, skyTexture, alienTexture};
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(glIsTexture(names[i])) << allPictures[i];
        for (int j = 0; j < i; ++j)
            EXPECT_NE(names[i], names[j]);
    }
    EXPECT_EQ(boundTexture(), alienTexture);
    // Each texture holds its own picture, by the shade written above.
    unsigned char shade = 10;
    for (int i = 0; i < 5; ++i, shade += 40)
        EXPECT_EQ(readBack(names[i], 4, 4), plain(4, 4, shade, 0, 0)) << allPictures[i];
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureSet, TheLastPictureThatLoadedStaysBound)
{
    writeFile("Data/3dship4lr.bmp", picture24(2, 2, plain(2, 2, 1, 2, 3)));
    writeFile("Data/moon.bmp", picture24(2, 2, plain(2, 2, 4, 5, 6)));
    EXPECT_TRUE(loadTextures());
    EXPECT_EQ(boundTexture(), moonTexture);
    EXPECT_NE(moonTexture, shipTextureA);
}

TEST_F(TextureSet, AnUnknownHeaderShowsOneBoxAndTheOthersStillLoad)
{
    writeAll();
    writeFile("Data/moon.bmp", picture24(4, 4, plain(4, 4, 9, 9, 9), 108));
    EXPECT_TRUE(loadTextures());
    ASSERT_EQ(testHooks::messageBoxes().size(), 1u);
    EXPECT_EQ(testHooks::messageBoxes()[0].text, "Unknown DIB file format.");
    EXPECT_EQ(testHooks::messageBoxes()[0].caption, "Error");
    EXPECT_EQ(moonTexture, 0u);
    EXPECT_NE(shipTextureA, 0u);
    EXPECT_NE(shipTextureB, 0u);
    EXPECT_NE(skyTexture, 0u);
    EXPECT_NE(alienTexture, 0u);
    EXPECT_EQ(boundTexture(), alienTexture);
}

TEST_F(TextureSet, OnlyAnUnknownHeaderShowsItsBoxAndFails)
{
    writeFile("Data/alienlr.bmp", picture24(4, 4, plain(4, 4, 9, 9, 9), 124));
    EXPECT_FALSE(loadTextures());
    ASSERT_EQ(testHooks::messageBoxes().size(), 1u);
    EXPECT_EQ(testHooks::messageBoxes()[0].text, "Unknown DIB file format.");
}

TEST_F(TextureSet, APictureThatDoesNotLoadLeavesItsTextureAsItWas)
{
    moonTexture = 4321;
    writeFile("Data/sky.bmp", picture24(4, 4, plain(4, 4, 0, 0, 200)));
    EXPECT_TRUE(loadTextures());
    EXPECT_EQ(moonTexture, 4321u);
}

TEST_F(TextureSet, APictureThreePixelsWideUploadsRowForRow)
{
    // Rows of 9 bytes, which a 4-byte unpack alignment would skew.
    Bytes rgb;
    for (int i = 0; i < 3 * 3 * 3; ++i)
        rgb.push_back(static_cast<unsigned char>(i * 9 + 1));
    writeFile("Data/sky.bmp", picture24(3, 3, rgb));
    ASSERT_TRUE(loadTextures());
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(height, 3);
    EXPECT_EQ(readBack(skyTexture, 3, 3), rgb);
}

TEST_F(TextureSet, TheUnpackAlignmentIsPutBackAfterTheUpload)
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
    writeFile("Data/sky.bmp", picture24(3, 1, plain(3, 1, 7, 8, 9)));
    ASSERT_TRUE(loadTextures());
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 2);
    EXPECT_EQ(readBack(skyTexture, 3, 1), plain(3, 1, 7, 8, 9));
}

TEST_F(TextureSet, TexturesFilterLinearlyInThreeComponents)
{
    writeFile("Data/sky.bmp", picture24(2, 2, plain(2, 2, 7, 8, 9)));
    ASSERT_TRUE(loadTextures());
    GLint minFilter = 0;
    GLint magFilter = 0;
    GLint format = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    EXPECT_EQ(minFilter, GL_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);
    EXPECT_TRUE(format == 3 || format == GL_RGB || format == GL_RGB8) << format;
}

TEST_F(TextureSet, ThePictureKeepsItsBottomRowFirst)
{
    // Bottom row red, top row blue: texture row 0 (t = 0) is the red one.
    Bytes rgb = plain(2, 1, 255, 0, 0);
    const Bytes top = plain(2, 1, 0, 0, 255);
    rgb.insert(rgb.end(), top.begin(), top.end());
    writeFile("Data/sky.bmp", picture24(2, 2, rgb));
    ASSERT_TRUE(loadTextures());
    EXPECT_EQ(readBack(skyTexture, 2, 2), rgb);
}

}  // namespace
