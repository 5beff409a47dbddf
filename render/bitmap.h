// Windows BMP pictures decoded to packed 24-bit RGB.
#pragma once

#include <cstdint>

struct RgbImage {
    std::int32_t width;
    std::int32_t height;
    unsigned char* pixels;  // width x height x 3 bytes: red, green, blue; bottom row first
};

// A picture's info header as the file gives it: the 12-byte core header
// (size 12; only width, height, planes and bit count, the rest zero) or the
// 40-byte header (size 40).
struct BitmapInfoHeader {
    std::uint32_t size;
    std::int32_t width;
    std::int32_t height;  // negative: rows stored top to bottom
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t imageSize;
    std::int32_t xPixelsPerMeter;
    std::int32_t yPixelsPerMeter;
    std::uint32_t colorsUsed;
    std::uint32_t colorsImportant;
};

// Null for a null path or a file that cannot be opened, silently; otherwise
// decodeBitmapFile's result. The caller frees pixels, then the record.
RgbImage* loadBitmapFile(const char* path);

// Null after a message box ("Error") saying why the file was refused.
RgbImage* decodeBitmapFile(const char* path);

// Entries in the colour table after the info header: a 40-byte header's
// colours-used count (low 16 bits) when it is not zero, otherwise 2, 16 or
// 256 for 1, 4 or 8 bits a pixel and none for any other depth.
std::uint16_t paletteColorCount(const BitmapInfoHeader& header);
