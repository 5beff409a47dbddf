// Arbitrary bytes as a picture file. Each input is decoded twice: from a
// file, the way the game loads its pictures (an in-memory file, so that no
// disk slows the runs down), and from a heap block of
// exactly its size, where the address sanitizer sees a read even one byte
// past the end (in the mapped file such a read lands in the last page's
// slack). Both must agree, and a picture must be whole.
#include "platform/test_hooks.h"
#include "render/bitmap.h"
#include "render/bitmap_bytes.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

int pictureFile = -1;
std::string picturePath;

void answerBoxesSilently()
{
    testHooks::answerMessageBoxes([](const MessageBoxRecord&) { return IDOK; });
}

void writePicture(const std::uint8_t* data, std::size_t size)
{
    if (ftruncate(pictureFile, 0) != 0)
        std::abort();
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n =
            pwrite(pictureFile, data + written, size - written, static_cast<off_t>(written));
        if (n <= 0)
            std::abort();
        written += static_cast<std::size_t>(n);
    }
}

void freeImage(RgbImage* image)
{
    if (image == nullptr)
        return;
    std::free(image->pixels);
    std::free(image);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    pictureFile = memfd_create("trigonix-fuzz-bitmap", MFD_CLOEXEC);
    if (pictureFile < 0)
        std::abort();
    picturePath = "/proc/self/fd/" + std::to_string(pictureFile);
    answerBoxesSilently();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    writePicture(data, size);
    RgbImage* fromFile = decodeBitmapFile(picturePath.c_str());
    const auto& boxes = testHooks::messageBoxes();
    const std::string boxText = boxes.empty() ? std::string() : boxes.back().text;
    // One box for a refusal, none for a picture.
    if (boxes.size() != (fromFile == nullptr ? 1u : 0u))
        std::abort();

    auto* copy = static_cast<unsigned char*>(std::malloc(size != 0 ? size : 1));
    if (size != 0)
        std::memcpy(copy, data, size);
    RgbImage* fromMemory = nullptr;
    const char* refusal = decodeBitmapBytes(copy, size, &fromMemory);
    std::free(copy);

    if (fromFile != nullptr) {
        if (fromMemory == nullptr || refusal != nullptr || fromFile->width < 0 ||
            fromFile->height < 0 || fromFile->pixels == nullptr ||
            fromFile->width != fromMemory->width || fromFile->height != fromMemory->height)
            std::abort();
        const std::size_t bytes = static_cast<std::size_t>(fromFile->width) * fromFile->height * 3;
        // Every output byte is written: reading them all lets the
        // sanitizers see any that are not, and both decodings must match.
        if (bytes != 0 && std::memcmp(fromFile->pixels, fromMemory->pixels, bytes) != 0)
            std::abort();
    } else if (size != 0) {
        if (fromMemory != nullptr || refusal == nullptr || boxText != refusal)
            std::abort();
    } else if (boxText != "Failed to open DIB file " + picturePath + ".\n") {
        std::abort();
    }
    freeImage(fromFile);
    freeImage(fromMemory);

    // Forget this input's box so the records do not grow run after run.
    testHooks::reset();
    answerBoxesSilently();
    return 0;
}
