// The BMP decoder against pictures written byte by byte here: every pixel
// encoding, both header kinds, with and without the file header, and every
// way a file can be refused.
#include "render/bitmap.h"
#include "render/bitmap_bytes.h"

#include "platform/test_hooks.h"
#include "platform/window.h"
#include "tests/support/child_process.h"
#include "tests/support/file_bytes.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// ---- Writing pictures -------------------------------------------------------

void append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

Bytes infoHeader(std::int32_t width, std::int32_t height, int bitCount,
                 std::uint32_t compression = 0, std::uint32_t colorsUsed = 0)
{
    Bytes out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bitCount));
    put32(out, compression);
    put32(out, 0);     // image size
    put32(out, 2835);  // resolutions
    put32(out, 2835);
    put32(out, colorsUsed);
    put32(out, 0);
    return out;
}

Bytes coreHeader(std::uint16_t width, std::uint16_t height, int bitCount)
{
    Bytes out;
    put32(out, 12);
    put16(out, width);
    put16(out, height);
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bitCount));
    return out;
}

// A file header naming where the pixels start, then the rest.
Bytes withFileHeader(const Bytes& headerAndTable, const Bytes& pixels)
{
    Bytes out{'B', 'M'};
    put32(out, static_cast<std::uint32_t>(14 + headerAndTable.size() + pixels.size()));
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(14 + headerAndTable.size()));
    append(out, headerAndTable);
    append(out, pixels);
    return out;
}

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts)
        append(out, part);
    return out;
}

// Colour-table entries of 40-byte headers: blue, green, red, unused.
Bytes quadTable(std::initializer_list<std::uint32_t> rgbColours, std::size_t entries)
{
    Bytes out;
    for (std::uint32_t rgb : rgbColours) {
        out.push_back(static_cast<unsigned char>(rgb));
        out.push_back(static_cast<unsigned char>(rgb >> 8));
        out.push_back(static_cast<unsigned char>(rgb >> 16));
        out.push_back(0x77);  // never read
    }
    out.resize(entries * 4, 0x55);
    return out;
}

// A 2 x 2 24-bit picture: bottom row red, green; top row blue, white.
const Bytes pixels24{0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xEE, 0xEE,
                     0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xEE, 0xEE};
const Bytes rgb24{0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};

// ---- Reading them back ------------------------------------------------------

class BitmapDecoder : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_FALSE(enterTempGameFolder(false).empty());
        testHooks::answerMessageBoxes([](const MessageBoxRecord&) { return IDOK; });
    }

    void TearDown() override
    {
        testHooks::reset();
        leaveTempGameFolder();
    }

    // Decodes `bytes` from a file; the image's pixels, or an empty result
    // and the box's text through `refusal`.
    struct Decoded {
        bool ok = false;
        std::int32_t width = 0;
        std::int32_t height = 0;
        Bytes pixels;
        std::string refusal;
    };

    static Decoded decode(const Bytes& bytes)
    {
        writeFile("Data/picture.bmp", bytes);
        const std::size_t boxesBefore = testHooks::messageBoxes().size();
        RgbImage* image = loadBitmapFile("Data/picture.bmp");
        Decoded result;
        const auto& boxes = testHooks::messageBoxes();
        if (image == nullptr) {
            EXPECT_EQ(boxes.size(), boxesBefore + 1) << "a refusal shows one box";
            if (boxes.size() > boxesBefore)
                result.refusal = boxes.back().text;
            return result;
        }
        EXPECT_EQ(boxes.size(), boxesBefore) << "a picture that loads shows no box";
        result.ok = true;
        result.width = image->width;
        result.height = image->height;
        EXPECT_NE(image->pixels, nullptr);
        const std::size_t size = static_cast<std::size_t>(image->width) * image->height * 3;
        result.pixels.assign(image->pixels, image->pixels + size);
        std::free(image->pixels);
        std::free(image);
        return result;
    }

    // The same bytes through the in-memory decoder, from a heap block of
    // exactly their size, so the sanitizer build sees any read past the end.
    static std::string decodeExact(const Bytes& bytes)
    {
        auto* copy = static_cast<unsigned char*>(std::malloc(bytes.empty() ? 1 : bytes.size()));
        std::copy(bytes.begin(), bytes.end(), copy);
        RgbImage* image = nullptr;
        const char* refusal = decodeBitmapBytes(copy, bytes.size(), &image);
        std::free(copy);
        if (image != nullptr) {
            EXPECT_EQ(refusal, nullptr);
            std::free(image->pixels);
            std::free(image);
            return "";
        }
        EXPECT_NE(refusal, nullptr);
        return refusal != nullptr ? refusal : "(no text)";
    }
};

TEST_F(BitmapDecoder, ANullPathGivesNothingAndNoBox)
{
    EXPECT_EQ(loadBitmapFile(nullptr), nullptr);
    EXPECT_TRUE(testHooks::messageBoxes().empty());
}

TEST_F(BitmapDecoder, AMissingFileGivesNothingAndNoBox)
{
    EXPECT_EQ(loadBitmapFile("Data/missing.bmp"), nullptr);
    EXPECT_TRUE(testHooks::messageBoxes().empty());
}

TEST_F(BitmapDecoder, AFolderCountsAsAFileThatCannotBeOpened)
{
    fs::create_directory("Data/folder.bmp");
    EXPECT_EQ(loadBitmapFile("Data/folder.bmp"), nullptr);
    EXPECT_TRUE(testHooks::messageBoxes().empty());
}

TEST_F(BitmapDecoder, AnEmptyFileCannotBeMappedAndSaysSoWithItsPath)
{
    writeFile("Data/empty.bmp", Bytes{});
    EXPECT_EQ(loadBitmapFile("Data/empty.bmp"), nullptr);
    ASSERT_EQ(testHooks::messageBoxes().size(), 1u);
    const MessageBoxRecord& box = testHooks::messageBoxes()[0];
    EXPECT_EQ(box.text, "Failed to open DIB file Data/empty.bmp.\n");
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.style, MB_OK);
    EXPECT_EQ(box.owner, GetFocus());
}

// A pipe with no writer would hold the start for ever if it were waited on.
TEST_F(BitmapDecoder, APipeInAPicturesPlaceIsRefusedLikeADamagedPictureWithoutWaiting)
{
    ASSERT_EQ(mkfifo("Data/sky.bmp", 0666), 0);
    const ChildResult result = runInChild(
        0,
        [] {
            const bool refused = loadBitmapFile("Data/sky.bmp") == nullptr;
            const auto& boxes = testHooks::messageBoxes();
            return refused && boxes.size() == 1 &&
                   boxes[0].text == "Failed to open DIB file Data/sky.bmp.\n";
        },
        10);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.errors,
              "trigonix: Data/sky.bmp: Failed to open DIB file: not a regular file\n");
}

// A player sees a box, or nothing at all; the error stream and the problem
// log say which picture it was and why, once each.
TEST_F(BitmapDecoder, EveryRefusalNamesItsFileOnStderrAndInTheLog)
{
    fs::create_directory("Data/folder.bmp");
    writeFile("Data/empty.bmp", Bytes{});
    Bytes later = withFileHeader(infoHeader(2, 2, 24), pixels24);
    later[14] = 108;  // a later header version
    writeFile("Data/later.bmp", later);
    struct Case {
        const char* path;
        const char* box;  // "" for none
        const char* line;
    };
    const Case cases[] = {
        {"Data/missing.bmp", "", "trigonix: Data/missing.bmp: No such file or directory\n"},
        {"Data/folder.bmp", "", "trigonix: Data/folder.bmp: Is a directory\n"},
        {"Data/empty.bmp", "Failed to open DIB file Data/empty.bmp.\n",
         "trigonix: Data/empty.bmp: Failed to open DIB file: the file is empty\n"},
        {"Data/later.bmp", "Unknown DIB file format.",
         "trigonix: Data/later.bmp: Unknown DIB file format.\n"},
    };
    std::string lines;
    for (const Case& picture : cases) {
        SCOPED_TRACE(picture.path);
        const std::size_t boxesBefore = testHooks::messageBoxes().size();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(loadBitmapFile(picture.path), nullptr);
        EXPECT_EQ(loadBitmapFile(picture.path), nullptr);  // a second window
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), picture.line);
        const auto& boxes = testHooks::messageBoxes();
        if (picture.box[0] == '\0') {
            EXPECT_EQ(boxes.size(), boxesBefore);
        } else {
            ASSERT_EQ(boxes.size(), boxesBefore + 2);
            EXPECT_EQ(boxes.back().text, picture.box);
        }
        lines += picture.line;
    }
    EXPECT_EQ(readFile("Data/trigonix.log"), lines);
}

TEST_F(BitmapDecoder, A24BitPictureComesOutRedGreenBlueBottomRowFirst)
{
    const Decoded image = decode(withFileHeader(infoHeader(2, 2, 24), pixels24));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, rgb24);
}

TEST_F(BitmapDecoder, TheFileHeadersPixelOffsetIsFollowed)
{
    // Sixteen bytes of something else between the header and the pixels.
    Bytes file{'B', 'M'};
    put32(file, 0);
    put32(file, 0);
    put32(file, 14 + 40 + 16);
    append(file, infoHeader(2, 2, 24));
    append(file, Bytes(16, 0x99));
    append(file, pixels24);
    const Decoded image = decode(file);
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.pixels, rgb24);
}

TEST_F(BitmapDecoder, RowsThreePixelsWideDropTheirPadding)
{
    const Bytes pixels{1,  2,  3,  4,  5,  6,  7,  8,  9,  0xAA, 0xAA, 0xAA,
                       11, 12, 13, 14, 15, 16, 17, 18, 19, 0xBB, 0xBB, 0xBB};
    const Decoded image = decode(withFileHeader(infoHeader(3, 2, 24), pixels));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 13, 12, 11, 16, 15, 14, 19, 18, 17}));
}

TEST_F(BitmapDecoder, APictureWithoutTheFileHeaderHasItsPixelsAfterTheHeader)
{
    const Decoded image = decode(concat({infoHeader(2, 2, 24), pixels24}));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.pixels, rgb24);
}

TEST_F(BitmapDecoder, APictureWithoutTheFileHeaderHasItsPixelsAfterTheColourTable)
{
    const Bytes table = quadTable({0x000000, 0x102030, 0xA0B0C0}, 256);
    const Bytes pixels{2, 1, 0, 0xEE};
    const Decoded image = decode(concat({infoHeader(3, 1, 8), table, pixels}));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.pixels, (Bytes{0xA0, 0xB0, 0xC0, 0x10, 0x20, 0x30, 0, 0, 0}));
}

TEST_F(BitmapDecoder, OneBitPixelsAreReadFromTheHighBitDown)
{
    // Ten pixels a row: 1011001110 then 0100000001; two bytes and two of padding.
    const Bytes table = quadTable({0x0000FF, 0xFFFF00}, 2);
    const Bytes pixels{0b10110011, 0b10000000, 0xFF, 0xFF, 0b01000000, 0b01000000, 0xFF, 0xFF};
    const Decoded image = decode(withFileHeader(concat({infoHeader(10, 2, 1), table}), pixels));
    ASSERT_TRUE(image.ok) << image.refusal;
    const Bytes zero{0x00, 0x00, 0xFF};
    const Bytes one{0xFF, 0xFF, 0x00};
    Bytes expected;
    for (const Bytes* p : {&one,  &zero, &one,  &one,  &zero, &zero, &one,  &one,  &one,  &zero,
                           &zero, &one,  &zero, &zero, &zero, &zero, &zero, &zero, &zero, &one})
        append(expected, *p);
    EXPECT_EQ(image.pixels, expected);
}

TEST_F(BitmapDecoder, FourBitPixelsAreReadHighNibbleFirst)
{
    Bytes table;
    for (std::uint32_t i = 0; i < 16; ++i) {
        table.push_back(static_cast<unsigned char>(i));        // blue
        table.push_back(static_cast<unsigned char>(i * 16));   // green
        table.push_back(static_cast<unsigned char>(255 - i));  // red
        table.push_back(0);
    }
    // Three pixels a row: 15, 0, 9 and padding; then 1, 2, 3.
    const Bytes pixels{0xF0, 0x9F, 0xFF, 0xFF, 0x12, 0x3F, 0xFF, 0xFF};
    const Decoded image = decode(withFileHeader(concat({infoHeader(3, 2, 4), table}), pixels));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.pixels,
              (Bytes{240, 240, 15, 255, 0, 0, 246, 144, 9, 254, 16, 1, 253, 32, 2, 252, 48, 3}));
}

TEST_F(BitmapDecoder, EightBitPixelsLookUpTheWholeTable)
{
    Bytes table;
    for (int i = 0; i < 256; ++i) {
        table.push_back(static_cast<unsigned char>(255 - i));
        table.push_back(static_cast<unsigned char>(i / 2));
        table.push_back(static_cast<unsigned char>(i));
        table.push_back(0);
    }
    const Bytes pixels{0, 255, 128, 7, 1, 2, 3, 4};
    const Decoded image = decode(withFileHeader(concat({infoHeader(4, 2, 8), table}), pixels));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.pixels, (Bytes{0, 0, 255, 255, 127, 0,   128, 64, 127, 7, 3, 248,
                                   1, 0, 254, 2,   1,   253, 3,   1,  252, 4, 2, 251}));
}

TEST_F(BitmapDecoder, AShortColourTableOfColoursUsedLeavesOtherIndexesBlack)
{
    const Bytes table = quadTable({0x112233, 0x445566, 0x778899}, 3);
    const Bytes pixels{0, 1, 2, 3, 200, 255, 2, 1};
    const Decoded image = decode(concat({infoHeader(4, 2, 8, 0, 3), table, pixels}));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.pixels,
              (Bytes{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0,    0,    0,
                     0,    0,    0,    0,    0,    0,    0x77, 0x88, 0x99, 0x44, 0x55, 0x66}));
}

TEST_F(BitmapDecoder, SixteenBitPixelsAreFiveBitsEachOfRedGreenBlue)
{
    // Red, green, blue and padding; then white, (1, 1, 1) and 0x8000 (unused bit only).
    Bytes pixels;
    for (std::uint32_t v : {0x7C00u, 0x03E0u, 0x001Fu})
        put16(pixels, v);
    put16(pixels, 0xFFFF);
    for (std::uint32_t v : {0x7FFFu, 0x0421u, 0x8000u})
        put16(pixels, v);
    put16(pixels, 0xFFFF);
    const Decoded image = decode(withFileHeader(infoHeader(3, 2, 16), pixels));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.pixels,
              (Bytes{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 8, 8, 8, 0, 0, 0}));
}

TEST_F(BitmapDecoder, SixteenBitChannelsWidenFromFiveBitsToEight)
{
    Bytes pixels;
    put16(pixels, 16u << 10 | 8u << 5 | 30u);
    put16(pixels, 0);
    const Decoded image = decode(concat({infoHeader(1, 1, 16), pixels}));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.pixels, (Bytes{132, 66, 247}));
}

TEST_F(BitmapDecoder, ThirtyTwoBitPixelsDropTheirFourthByte)
{
    const Bytes pixels{0x01, 0x02, 0x03, 0xFF, 0x04, 0x05, 0x06, 0x00, 0x07, 0x08, 0x09, 0x80};
    const Decoded image = decode(withFileHeader(infoHeader(3, 1, 32), pixels));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.pixels, (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7}));
}

Bytes coreTable256()
{
    Bytes table;
    for (int i = 0; i < 256; ++i) {
        table.push_back(static_cast<unsigned char>(i));         // blue
        table.push_back(static_cast<unsigned char>(i ^ 0x5A));  // green
        table.push_back(static_cast<unsigned char>(255 - i));   // red
    }
    return table;
}

TEST_F(BitmapDecoder, ACoreHeaderWithEightBitsUsesItsThreeByteTable)
{
    const Bytes pixels{0, 1, 255, 0xEE, 0x80, 0x10, 0x20, 0xEE};
    const Decoded image =
        decode(withFileHeader(concat({coreHeader(3, 2, 8), coreTable256()}), pixels));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, (Bytes{255, 0x5A, 0, 254, 0x5B, 1, 0, 0xA5, 255, 127, 0xDA, 0x80, 239,
                                   0x4A, 0x10, 223, 0x7A, 0x20}));
}

TEST_F(BitmapDecoder, ACoreHeaderWithoutTheFileHeaderHasPixelsAfterItsTable)
{
    const Bytes pixels{7, 0xEE, 0xEE, 0xEE};
    const Decoded image = decode(concat({coreHeader(1, 1, 8), coreTable256(), pixels}));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.pixels, (Bytes{248, 7 ^ 0x5A, 7}));
}

TEST_F(BitmapDecoder, ACoreHeaderTakesItsSizesAsUnsigned)
{
    // 65535 x 1 in 24 bits: the row and its padding must all be there.
    Bytes pixels(65535 * 3 + 3, 0);
    pixels[0] = 0x10;
    pixels[65534 * 3 + 2] = 0x20;
    const Decoded image = decode(withFileHeader(coreHeader(65535, 1, 24), pixels));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.width, 65535);
    EXPECT_EQ(image.height, 1);
    EXPECT_EQ(image.pixels[2], 0x10);
    EXPECT_EQ(image.pixels[65534 * 3], 0x20);
}

TEST_F(BitmapDecoder, ACoreHeaderWith24BitsHasNoTable)
{
    const Decoded image = decode(concat({coreHeader(2, 2, 24), pixels24}));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.pixels, rgb24);
}

TEST_F(BitmapDecoder, ANegativeHeightIsReadTopDownAndFlipped)
{
    // The file's first row is the top one.
    const Bytes topFirst{0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xEE, 0xEE,
                         0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xEE, 0xEE};
    const Decoded image = decode(withFileHeader(infoHeader(2, -2, 24), topFirst));
    ASSERT_TRUE(image.ok) << image.refusal;
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, rgb24);
}

TEST_F(BitmapDecoder, ZeroRowsOrColumnsGiveAPictureWithoutPixels)
{
    const Decoded flat = decode(withFileHeader(infoHeader(5, 0, 24), {}));
    ASSERT_TRUE(flat.ok) << flat.refusal;
    EXPECT_EQ(flat.width, 5);
    EXPECT_EQ(flat.height, 0);
    const Decoded thin = decode(withFileHeader(infoHeader(0, 7, 24), {}));
    ASSERT_TRUE(thin.ok) << thin.refusal;
    EXPECT_EQ(thin.width, 0);
    EXPECT_EQ(thin.height, 7);
}

TEST_F(BitmapDecoder, ATinyFileClaimingCountlessEmptyRowsIsDoneAtOnce)
{
    // No pixels to make, however many rows: the file is accepted as it is.
    const Decoded tall = decode(withFileHeader(infoHeader(0, 0x7FFFFFFF, 24), {}));
    ASSERT_TRUE(tall.ok) << tall.refusal;
    EXPECT_EQ(tall.width, 0);
    EXPECT_EQ(tall.height, 0x7FFFFFFF);
    const Decoded tallTopDown =
        decode(withFileHeader(infoHeader(0, -0x7FFFFFFF, 8), Bytes(1024, 0)));
    ASSERT_TRUE(tallTopDown.ok) << tallTopDown.refusal;
    EXPECT_EQ(tallTopDown.height, 0x7FFFFFFF);
}

TEST_F(BitmapDecoder, LaterHeaderVersionsAreUnknownFormats)
{
    for (std::uint32_t size : {108u, 124u, 64u, 0u, 16u, 0xFFFFFFFFu}) {
        Bytes header = infoHeader(2, 2, 24);
        header[0] = static_cast<unsigned char>(size);
        header[1] = static_cast<unsigned char>(size >> 8);
        header[2] = static_cast<unsigned char>(size >> 16);
        header[3] = static_cast<unsigned char>(size >> 24);
        header.resize(size > 40 && size < 200 ? size : 40, 0);
        const Decoded image = decode(withFileHeader(header, pixels24));
        EXPECT_FALSE(image.ok) << size;
        EXPECT_EQ(image.refusal, "Unknown DIB file format.") << size;
    }
}

TEST_F(BitmapDecoder, RunLengthAndBitFieldEncodingsAreRefused)
{
    const Bytes table = quadTable({0xFFFFFF}, 256);
    // Run-length 8: two pixels of index 0, end of picture.
    const Decoded rle8 =
        decode(withFileHeader(concat({infoHeader(2, 1, 8, 1), table}), {2, 0, 0, 1}));
    EXPECT_EQ(rle8.refusal, "Image file conversion error.");
    const Decoded rle4 =
        decode(withFileHeader(concat({infoHeader(2, 1, 4, 2), quadTable({}, 16)}), {2, 0, 0, 1}));
    EXPECT_EQ(rle4.refusal, "Image file conversion error.");
    Bytes masks;
    put32(masks, 0xF800);
    put32(masks, 0x07E0);
    put32(masks, 0x001F);
    const Decoded fields =
        decode(withFileHeader(concat({infoHeader(2, 1, 16, 3), masks}), {0, 0, 0, 0}));
    EXPECT_EQ(fields.refusal, "Image file conversion error.");
    const Decoded fields32 =
        decode(withFileHeader(concat({infoHeader(1, 1, 32, 3), masks}), {0, 0, 0, 0}));
    EXPECT_EQ(fields32.refusal, "Image file conversion error.");
}

TEST_F(BitmapDecoder, DepthsOtherThan148162432AreRefused)
{
    for (int bits : {0, 2, 3, 15, 48, 64}) {
        const Decoded image = decode(withFileHeader(infoHeader(1, 1, bits), Bytes(64, 0)));
        EXPECT_EQ(image.refusal, "Image file conversion error.") << bits;
    }
}

TEST_F(BitmapDecoder, AbsurdSizesAreRefusedBeforeAnythingIsAllocated)
{
    struct Case {
        std::int32_t width;
        std::int32_t height;
        int bits;
    };
    for (const Case& c : {Case{0x7FFFFFFF, 0x7FFFFFFF, 32}, Case{0x7FFFFFFF, 1, 24},
                          Case{1, 0x7FFFFFFF, 1}, Case{-1, 1, 24}, Case{-2147483647 - 1, 1, 8},
                          Case{1, -2147483647 - 1, 24}, Case{0, -2147483647 - 1, 24},
                          Case{0x40000000, 0x40000000, 32}, Case{1, -0x7FFFFFFF, 32}}) {
        const Decoded image =
            decode(withFileHeader(infoHeader(c.width, c.height, c.bits), Bytes(1024, 0)));
        EXPECT_EQ(image.refusal, "Image file conversion error.") << c.width << " x " << c.height;
    }
}

TEST_F(BitmapDecoder, APixelOffsetPastTheEndIsRefused)
{
    Bytes file = withFileHeader(infoHeader(1, 1, 24), {1, 2, 3, 0});
    file[10] = 0xFF;
    file[11] = 0xFF;
    file[12] = 0xFF;
    file[13] = 0xFF;
    EXPECT_EQ(decode(file).refusal, "Image file conversion error.");
    file[13] = 0;
    file[12] = 0;
    file[11] = 0;
    file[10] = static_cast<unsigned char>(file.size() - 3);  // the row does not fit
    EXPECT_EQ(decode(file).refusal, "Image file conversion error.");
}

TEST_F(BitmapDecoder, AColourTableLongerThanTheFileIsRefused)
{
    // Colours used claims 65535 entries.
    const Decoded image = decode(
        withFileHeader(concat({infoHeader(1, 1, 8, 0, 0xFFFF), quadTable({}, 300)}), {0, 0, 0, 0}));
    EXPECT_EQ(image.refusal, "Image file conversion error.");
}

TEST_F(BitmapDecoder, ATruncatedFileIsRefusedAtEveryLength)
{
    const std::vector<Bytes> pictures{
        withFileHeader(infoHeader(3, 2, 24), Bytes(24, 0x42)),
        withFileHeader(concat({infoHeader(10, 2, 1), quadTable({0xFF, 0xFF00}, 2)}),
                       Bytes(8, 0xA5)),
        concat({coreHeader(3, 2, 8), coreTable256(), Bytes(8, 3)}),
        concat({infoHeader(5, -3, 4), quadTable({}, 16), Bytes(12, 0x7E)}),
        withFileHeader(infoHeader(3, 2, 16), Bytes(16, 0x33)),
        concat({infoHeader(2, 2, 32), Bytes(16, 0x10)}),
    };
    for (const Bytes& picture : pictures) {
        ASSERT_TRUE(decode(picture).ok);
        EXPECT_EQ(decodeExact(picture), "");
        for (std::size_t length = 1; length < picture.size(); ++length) {
            const Bytes cut(picture.begin(), picture.begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_EQ(decodeExact(cut), "Image file conversion error.") << length;
            EXPECT_EQ(decode(cut).refusal, "Image file conversion error.") << length;
        }
    }
}

TEST_F(BitmapDecoder, TheInMemoryDecoderRefusesNoBytesAtAll)
{
    EXPECT_EQ(decodeExact({}), "Image file conversion error.");
}

int openFileCount()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

bool mapped(const std::string& name)
{
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find(name) != std::string::npos)
            return true;
    return false;
}

TEST_F(BitmapDecoder, NothingOfTheFileStaysOpenOrMapped)
{
    const int filesBefore = openFileCount();
    writeFile("Data/good.bmp", withFileHeader(infoHeader(2, 2, 24), pixels24));
    RgbImage* image = loadBitmapFile("Data/good.bmp");
    ASSERT_NE(image, nullptr);
    std::free(image->pixels);
    std::free(image);
    EXPECT_FALSE(mapped("good.bmp"));

    writeFile("Data/bad.bmp", withFileHeader(infoHeader(2, 2, 24, 1), pixels24));
    EXPECT_EQ(loadBitmapFile("Data/bad.bmp"), nullptr);
    EXPECT_FALSE(mapped("bad.bmp"));
    EXPECT_EQ(openFileCount(), filesBefore);
}

TEST(PaletteColorCount, FollowsTheDepthForCoreHeaders)
{
    BitmapInfoHeader header{};
    header.size = 12;
    header.colorsUsed = 5;  // core headers have no such field
    const std::pair<int, int> expected[] = {{1, 2},  {4, 16}, {8, 256}, {16, 0},
                                            {24, 0}, {32, 0}, {2, 0}};
    for (auto [bits, count] : expected) {
        header.bitCount = static_cast<std::uint16_t>(bits);
        EXPECT_EQ(paletteColorCount(header), count) << bits;
    }
}

TEST(PaletteColorCount, TakesColoursUsedWhenSetInA40ByteHeader)
{
    BitmapInfoHeader header{};
    header.size = 40;
    header.bitCount = 8;
    EXPECT_EQ(paletteColorCount(header), 256);
    header.colorsUsed = 5;
    EXPECT_EQ(paletteColorCount(header), 5);
    header.bitCount = 24;
    EXPECT_EQ(paletteColorCount(header), 5);
    header.colorsUsed = 0x12345;
    EXPECT_EQ(paletteColorCount(header), 0x2345);
    // Set, but nothing in its low 16 bits.
    header.bitCount = 8;
    header.colorsUsed = 0x10000;
    EXPECT_EQ(paletteColorCount(header), 0);
    header.colorsUsed = 0;
    header.bitCount = 4;
    EXPECT_EQ(paletteColorCount(header), 16);
    header.bitCount = 1;
    EXPECT_EQ(paletteColorCount(header), 2);
    header.bitCount = 16;
    EXPECT_EQ(paletteColorCount(header), 0);
}

}  // namespace
