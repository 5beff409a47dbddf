// The BMP decoder's core, for a picture already in memory: it reads at most
// `size` bytes from `bytes`. The fuzzer and the tests hand it exact-size
// heap copies, where the sanitizer sees any read past the end, which it
// cannot see in the slack of a mapped file's last page.
#pragma once

#include "render/bitmap.h"

#include <cstdint>

// Null with *image set to the decoded picture, or the text that refuses the
// picture with *image null and nothing left allocated.
const char* decodeBitmapBytes(const unsigned char* bytes, std::uint64_t size, RgbImage** image);
