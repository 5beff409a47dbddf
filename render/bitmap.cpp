// Placeholder until the BMP decoder is built.
#include "render/bitmap.h"

RgbImage* loadBitmapFile(const char*) { return nullptr; }
RgbImage* decodeBitmapFile(const char*) { return nullptr; }
