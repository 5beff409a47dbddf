// Windows BMP pictures decoded to packed 24-bit RGB.
#pragma once

#include <cstdint>

struct RgbImage {
    std::int32_t width;
    std::int32_t height;
    unsigned char* pixels;   // width x height x 3 bytes: red, green, blue; bottom row first
};

// Null for a null path or a file that cannot be opened, silently; otherwise
// decodeBitmapFile's result. The caller frees pixels, then the record.
RgbImage* loadBitmapFile(const char* path);

// Null after a message box ("Error") saying why the file was refused.
RgbImage* decodeBitmapFile(const char* path);
