// Reading and writing the fields of a fixed-layout data file.
#include "persist/data_fields.h"

#include <cmath>

namespace {

// The end of the file read as one more character: the C library's end
// code taken as a character, -1 - '0' as a digit and 255 as a byte.
constexpr int endDigit = -49;
constexpr int endByte = 0xFF;

long powerOfTen(int exponent)
{
    long power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return power;
}

// The one digit writer: `value` as `width` zero-padded decimal digits.
void putDigits(char* out, int width, long value)
{
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

// A number keeps its place in the file whatever its value: below 0 it is
// saved as 0, above the largest as the largest or as 0.
long savedNumber(const DataField& field)
{
    const int value = *field.number;
    if (value < 0)
        return 0;
    if (value > field.largest)
        return field.clamps ? field.largest : 0;
    return value;
}

// Rounded to tenths; not a number saves as 0, and a value too large for
// the field as the largest it holds.
long savedTenths(const DataField& field)
{
    const double tenths = static_cast<double>(*field.tenths) * 10.0;
    if (!(tenths >= 0.0))
        return 0;
    if (tenths >= field.largest + 0.5)
        return field.largest;
    return std::lround(tenths);
}

// A character that would be stored as the byte 0xFF is stored as an empty
// slot instead: the next load would take that byte for the end of the file
// and lose every field after it. The font cannot show such a character.
char savedInitial(unsigned char c, int n)
{
    const unsigned char byte = static_cast<unsigned char>(c + 10 * n);
    return static_cast<char>(byte == endByte ? static_cast<unsigned char>('_' + 10 * n) : byte);
}

// One character at `position`: digits build a number from its first
// character on, each at its place value.
void readCharacter(DataLayout layout, int position, int digit, int byte)
{
    for (const DataField& field : layout) {
        const int offset = position - field.start;
        if (offset < 0 || offset >= field.width)
            continue;
        const long place = powerOfTen(field.width - 1 - offset);
        if (field.number != nullptr) {
            const int part = static_cast<int>(digit * place);
            *field.number = offset == 0 ? part : *field.number + part;
        } else if (field.tenths != nullptr) {
            const float part = static_cast<float>(digit * place);
            *field.tenths = offset == 0 ? part : *field.tenths + part;
        } else if (field.flag != nullptr) {
            *field.flag = digit != 0;
        } else if (field.initials != nullptr) {
            field.initials[offset] = static_cast<unsigned char>(byte - 10 * (offset + 1));
        }
        return;
    }
    // Positions after the last field, such as a line end, are ignored.
}

void resetField(const DataField& field)
{
    if (field.number != nullptr)
        *field.number = *field.reset;
    if (field.initials != nullptr)
        for (int n = 0; n < field.width; ++n)
            field.initials[n] = static_cast<unsigned char>(*field.reset);
}

}  // namespace

int readFields(DataLayout layout, const unsigned char* bytes, long count)
{
    if (count < 0)
        return 0;
    int position = 0;
    for (; position < count && bytes[position] != endByte; ++position)
        readCharacter(layout, position, bytes[position] - '0', bytes[position]);
    readCharacter(layout, position, endDigit, endByte);
    for (const DataField& field : layout)
        if (field.tenths != nullptr)
            *field.tenths *= 0.1f;
    return position;
}

void resetFieldsCutShort(DataLayout layout, int end)
{
    for (const DataField& field : layout)
        if (field.reset && field.start + field.width > end)
            resetField(field);
}

void repairFields(DataLayout layout)
{
    for (const DataField& field : layout) {
        if (!field.repair || field.number == nullptr)
            continue;
        int& value = *field.number;
        if (value < field.repair->low || value > field.repair->high)
            value = field.repair->value;
    }
}

void resetFields(DataLayout layout)
{
    for (const DataField& field : layout)
        if (field.reset)
            resetField(field);
}

void writeFields(DataLayout layout, char* out)
{
    for (const DataField& field : layout) {
        char* at = out + field.start;
        if (field.number != nullptr) {
            putDigits(at, field.width, savedNumber(field));
        } else if (field.tenths != nullptr) {
            putDigits(at, field.width, savedTenths(field));
        } else if (field.flag != nullptr) {
            *at = *field.flag ? '1' : '0';
        } else if (field.initials != nullptr) {
            for (int n = 0; n < field.width; ++n)
                at[n] = savedInitial(field.initials[n], n + 1);
        }
    }
}
