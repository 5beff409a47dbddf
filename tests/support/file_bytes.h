// The bytes of the small files tests hand the game: numbers stored least
// significant byte first, as Windows pictures and sounds keep them, or most
// significant first, as MIDI music does.
#pragma once

#include <cstdint>
#include <vector>

using Bytes = std::vector<unsigned char>;

void put16(Bytes& out, std::uint32_t value);
void put32(Bytes& out, std::uint32_t value);
void putBig16(Bytes& out, std::uint32_t value);
void putBig32(Bytes& out, std::uint32_t value);
