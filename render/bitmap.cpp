// The BMP decoder: the file is mapped whole and read in place, and every
// size it claims is checked against its real length before a byte is read,
// so a damaged or hostile picture is refused rather than read past its end.
// A header claiming more rows than the file holds, however absurd its
// sizes, is refused as a conversion error before anything is allocated;
// "Out of memory." is left for an allocation that really fails.
#include "render/bitmap.h"
#include "render/bitmap_bytes.h"

#include "platform/problem_log.h"
#include "platform/win32.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const outOfMemory = "Out of memory.";
const char* const unknownFormat = "Unknown DIB file format.";
const char* const conversionError = "Image file conversion error.";

constexpr std::uint32_t coreHeaderSize = 12;
constexpr std::uint32_t infoHeaderSize = 40;
constexpr std::uint64_t fileHeaderSize = 14;

void report(const char* text) { MessageBoxA(GetFocus(), text, "Error", MB_OK); }

// ---- The file, mapped read-only ---------------------------------------------

struct MappedFile {
    const unsigned char* bytes = nullptr;
    std::uint64_t size = 0;
};

const char* lastFailure() { return std::strerror(static_cast<int>(GetLastError())); }

// Opened without waiting: a pipe in a picture's place must not hang the
// start, and is refused below like any other file that is not a picture.
HANDLE openPicture(const char* path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// An empty file cannot be mapped, and neither can a device or a pipe.
// On failure `why` says which it was, for the problem log.
bool mapFile(HANDLE handle, MappedFile& file, std::string& why)
{
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        why = GetLastError() != NO_ERROR ? lastFailure() : "not a regular file";
        return false;
    }
    DWORD sizeHigh = 0;
    const DWORD sizeLow = GetFileSize(handle, &sizeHigh);
    if (sizeLow == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
        why = lastFailure();
        return false;
    }
    const std::uint64_t size = static_cast<std::uint64_t>(sizeHigh) << 32 | sizeLow;
    if (size == 0) {
        why = "the file is empty";
        return false;
    }
    const HANDLE mapping = CreateFileMappingA(handle, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr) {
        why = lastFailure();
        return false;
    }
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr)
        why = lastFailure();
    CloseHandle(mapping);  // the view keeps the file
    if (view == nullptr)
        return false;
    file.bytes = static_cast<const unsigned char*>(view);
    file.size = size;
    return true;
}

void unmapFile(MappedFile& file)
{
    if (file.bytes != nullptr)
        UnmapViewOfFile(file.bytes);
    file = MappedFile{};
}

// ---- Reading inside the file ------------------------------------------------

struct Bytes {
    const unsigned char* data;
    std::uint64_t size;
};

// Whether `count` bytes from `offset` lie inside the file; 64-bit
// arithmetic that cannot wrap for any 32-bit offset and count.
bool holds(const Bytes& file, std::uint64_t offset, std::uint64_t count)
{
    return offset <= file.size && count <= file.size - offset;
}

std::uint16_t read16(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t read32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// ---- Headers ----------------------------------------------------------------

struct Layout {
    std::uint64_t infoOffset = 0;
    bool pixelOffsetKnown = false;  // only a file header names it
    std::uint64_t pixelOffset = 0;
};

// Null on success, otherwise the text that refuses the file.
const char* readFileHeader(const Bytes& file, Layout& layout)
{
    if (file.size < 2 || file.data[0] != 'B' || file.data[1] != 'M')
        return nullptr;  // the info header starts the file
    if (!holds(file, 0, fileHeaderSize))
        return conversionError;
    layout.infoOffset = fileHeaderSize;
    layout.pixelOffsetKnown = true;
    layout.pixelOffset = read32(file.data + 10);
    return nullptr;
}

const char* readInfoHeader(const Bytes& file, std::uint64_t offset, BitmapInfoHeader& header)
{
    if (!holds(file, offset, 4))
        return conversionError;
    const unsigned char* p = file.data + offset;
    header = BitmapInfoHeader{};
    header.size = read32(p);
    if (header.size != coreHeaderSize && header.size != infoHeaderSize)
        return unknownFormat;
    if (!holds(file, offset, header.size))
        return conversionError;
    if (header.size == coreHeaderSize) {
        header.width = read16(p + 4);
        header.height = read16(p + 6);
        header.planes = read16(p + 8);
        header.bitCount = read16(p + 10);
        return nullptr;
    }
    header.width = static_cast<std::int32_t>(read32(p + 4));
    header.height = static_cast<std::int32_t>(read32(p + 8));
    header.planes = read16(p + 12);
    header.bitCount = read16(p + 14);
    header.compression = read32(p + 16);
    header.imageSize = read32(p + 20);
    header.xPixelsPerMeter = static_cast<std::int32_t>(read32(p + 24));
    header.yPixelsPerMeter = static_cast<std::int32_t>(read32(p + 28));
    header.colorsUsed = read32(p + 32);
    header.colorsImportant = read32(p + 36);
    return nullptr;
}

// ---- Colour table -----------------------------------------------------------

// Only indexes a pixel can hold (8 bits at most) are kept; a pixel whose
// index lies beyond the file's table comes out black.
struct Palette {
    unsigned char rgb[256][3] = {};
};

// Core headers store blue, green, red; 40-byte headers add a fourth,
// unused byte.
void readPalette(const Bytes& file, std::uint64_t offset, std::uint32_t entrySize,
                 std::uint32_t count, Palette& palette)
{
    const std::uint32_t kept = count < 256 ? count : 256;
    for (std::uint32_t i = 0; i < kept; ++i) {
        const unsigned char* entry = file.data + offset + static_cast<std::uint64_t>(i) * entrySize;
        palette.rgb[i][0] = entry[2];
        palette.rgb[i][1] = entry[1];
        palette.rgb[i][2] = entry[0];
    }
}

// ---- Row converters: one source row to packed red, green, blue --------------

using RowConverter = void (*)(const unsigned char* source, unsigned char* out, std::uint32_t width,
                              const Palette& palette);

void putIndex(unsigned char*& out, const Palette& palette, unsigned index)
{
    std::memcpy(out, palette.rgb[index], 3);
    out += 3;
}

// The leftmost pixel is in the highest bits of its byte.
void convertRow1(const unsigned char* source, unsigned char* out, std::uint32_t width,
                 const Palette& palette)
{
    for (std::uint32_t x = 0; x < width; ++x)
        putIndex(out, palette, (source[x / 8] >> (7 - x % 8)) & 1u);
}

void convertRow4(const unsigned char* source, unsigned char* out, std::uint32_t width,
                 const Palette& palette)
{
    for (std::uint32_t x = 0; x < width; ++x)
        putIndex(out, palette, x % 2 == 0 ? source[x / 2] >> 4 : source[x / 2] & 0x0Fu);
}

void convertRow8(const unsigned char* source, unsigned char* out, std::uint32_t width,
                 const Palette& palette)
{
    for (std::uint32_t x = 0; x < width; ++x)
        putIndex(out, palette, source[x]);
}

// Five bits a channel, widened so that full intensity stays 255.
unsigned char widen5(unsigned value) { return static_cast<unsigned char>(value << 3 | value >> 2); }

void convertRow16(const unsigned char* source, unsigned char* out, std::uint32_t width,
                  const Palette&)
{
    for (std::uint32_t x = 0; x < width; ++x, source += 2, out += 3) {
        const unsigned pixel = read16(source);
        out[0] = widen5(pixel >> 10 & 0x1Fu);
        out[1] = widen5(pixel >> 5 & 0x1Fu);
        out[2] = widen5(pixel & 0x1Fu);
    }
}

void convertRow24(const unsigned char* source, unsigned char* out, std::uint32_t width,
                  const Palette&)
{
    for (std::uint32_t x = 0; x < width; ++x, source += 3, out += 3) {
        out[0] = source[2];
        out[1] = source[1];
        out[2] = source[0];
    }
}

void convertRow32(const unsigned char* source, unsigned char* out, std::uint32_t width,
                  const Palette&)
{
    for (std::uint32_t x = 0; x < width; ++x, source += 4, out += 3) {
        out[0] = source[2];
        out[1] = source[1];
        out[2] = source[0];
    }
}

RowConverter converterFor(std::uint16_t bitCount)
{
    switch (bitCount) {
    case 1: return convertRow1;
    case 4: return convertRow4;
    case 8: return convertRow8;
    case 16: return convertRow16;
    case 24: return convertRow24;
    case 32: return convertRow32;
    default: return nullptr;
    }
}

// ---- The whole picture ------------------------------------------------------

const char* decodeBytes(const Bytes& file, RgbImage*& image)
{
    Layout layout;
    if (const char* refusal = readFileHeader(file, layout))
        return refusal;

    BitmapInfoHeader header;
    if (const char* refusal = readInfoHeader(file, layout.infoOffset, header))
        return refusal;

    const std::uint32_t paletteCount = paletteColorCount(header);
    const std::uint32_t entrySize = header.size == coreHeaderSize ? 3 : 4;
    const std::uint64_t paletteOffset = layout.infoOffset + header.size;
    const std::uint64_t paletteBytes = static_cast<std::uint64_t>(paletteCount) * entrySize;
    if (!holds(file, paletteOffset, paletteBytes))
        return conversionError;
    if (!layout.pixelOffsetKnown)
        layout.pixelOffset = paletteOffset + paletteBytes;

    // Run-length and bit-field encodings are not decoded; neither is a
    // width that cannot be, nor a top-down height with no bottom-up match.
    const RowConverter convertRow = converterFor(header.bitCount);
    if (header.compression != 0 || convertRow == nullptr || header.width < 0 ||
        header.height == INT32_MIN)
        return conversionError;

    const std::uint32_t width = static_cast<std::uint32_t>(header.width);
    const bool topDown = header.height < 0;
    const std::uint32_t rows = static_cast<std::uint32_t>(topDown ? -header.height : header.height);

    // Rows are padded to whole 32-bit words; every row must be in the file.
    const std::uint64_t stride =
        (static_cast<std::uint64_t>(width) * header.bitCount + 31) / 32 * 4;
    if (!holds(file, layout.pixelOffset, 0))
        return conversionError;
    if (rows != 0 && stride > (file.size - layout.pixelOffset) / rows)
        return conversionError;

    Palette palette;
    readPalette(file, paletteOffset, entrySize, paletteCount, palette);

    // The file holds every row, so this is at most 24 times its length.
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * 3;
    const std::uint64_t pixelBytes = rowBytes * rows;
    if (pixelBytes != static_cast<std::size_t>(pixelBytes))
        return outOfMemory;
    // A picture with no pixels still gets a buffer, so a record never
    // carries a null pixel pointer.
    auto* pixels = static_cast<unsigned char*>(std::malloc(pixelBytes != 0 ? pixelBytes : 1));
    if (pixels == nullptr)
        return outOfMemory;

    // Output rows go bottom row first, whichever way the file stores them.
    // Rows of no pixels are not visited: a file of a few bytes can claim
    // two thousand million of them.
    const unsigned char* source = file.data + layout.pixelOffset;
    for (std::uint32_t row = 0; width != 0 && row < rows; ++row) {
        const std::uint32_t outRow = topDown ? rows - 1 - row : row;
        convertRow(source + stride * row, pixels + rowBytes * outRow, width, palette);
    }

    auto* record = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
    if (record == nullptr) {
        std::free(pixels);
        return outOfMemory;
    }
    record->width = header.width;
    record->height = static_cast<std::int32_t>(rows);
    record->pixels = pixels;
    image = record;
    return nullptr;
}

}  // namespace

const char* decodeBitmapBytes(const unsigned char* bytes, std::uint64_t size, RgbImage** image)
{
    *image = nullptr;
    return decodeBytes(Bytes{bytes, size}, *image);
}

std::uint16_t paletteColorCount(const BitmapInfoHeader& header)
{
    if (header.size != coreHeaderSize && header.colorsUsed != 0)
        return static_cast<std::uint16_t>(header.colorsUsed & 0xFFFFu);
    switch (header.bitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

namespace {

// Each box says what is wrong; the problem log also says with which file.
RgbImage* refuse(const char* path, const std::string& why, const char* text)
{
    reportProblem(path, why.c_str());
    report(text);
    return nullptr;
}

RgbImage* refuseUnmapped(const char* path, const std::string& why)
{
    const std::string text = std::string("Failed to open DIB file ") + path + ".\n";
    return refuse(path, "Failed to open DIB file: " + why, text.c_str());
}

// Closes the handle once the picture is read.
RgbImage* decodeOpenPicture(const char* path, HANDLE handle)
{
    MappedFile file;
    std::string why;
    const bool mapped = mapFile(handle, file, why);
    CloseHandle(handle);
    if (!mapped)
        return refuseUnmapped(path, why);
    RgbImage* image = nullptr;
    const char* refusal = decodeBitmapBytes(file.bytes, file.size, &image);
    unmapFile(file);
    if (refusal != nullptr)
        return refuse(path, refusal, refusal);
    return image;
}

}  // namespace

RgbImage* loadBitmapFile(const char* path)
{
    if (path == nullptr)
        return nullptr;
    // No box for a picture that cannot be opened, a folder included; only
    // the problem log says.
    const HANDLE handle = openPicture(path);
    if (handle == INVALID_HANDLE_VALUE) {
        reportProblem(path, lastFailure());
        return nullptr;
    }
    return decodeOpenPicture(path, handle);
}

RgbImage* decodeBitmapFile(const char* path)
{
    const HANDLE handle = openPicture(path);
    if (handle == INVALID_HANDLE_VALUE)
        return refuseUnmapped(path, lastFailure());
    return decodeOpenPicture(path, handle);
}
