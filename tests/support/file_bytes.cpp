// Numbers laid into the bytes of test files, least or most significant
// byte first.
#include "tests/support/file_bytes.h"

void put16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<unsigned char>(value));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void put32(Bytes& out, std::uint32_t value)
{
    put16(out, value & 0xFFFFu);
    put16(out, value >> 16);
}

void putBig16(Bytes& out, std::uint32_t value)
{
    out.push_back(static_cast<unsigned char>(value >> 8));
    out.push_back(static_cast<unsigned char>(value));
}

void putBig32(Bytes& out, std::uint32_t value)
{
    putBig16(out, value >> 16);
    putBig16(out, value & 0xFFFFu);
}
