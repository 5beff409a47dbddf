// The fixed-position fields the two data files are made of. Each file is a
// table of fields, one row a field: where it stands, how wide it is, the
// value in memory it holds, and how a bad value is repaired. One reader
// and one writer go through both tables, so a field's layout is written
// down once and load and save cannot disagree about it.
#pragma once

#include <optional>
#include <span>

// On load, a value outside low to high becomes `value`.
struct FieldRepair {
    int low, high, value;
};

// Exactly one of the four value pointers is set; it says what the field
// holds and how its characters read and write.
struct DataField {
    int start = 0;                      // position of its first character
    int width = 1;                      // characters
    int* number = nullptr;              // decimal digits, zero-padded
    float* tenths = nullptr;            // the value times ten, rounded, in decimal digits
    bool* flag = nullptr;               // '1' or '0'; any character but '0' reads as set
    unsigned char* initials = nullptr;  // three characters, the nth stored as its code + 10 n
    int largest = 0;                    // number, tenths: the largest value saved as it is
    bool clamps = false;                // number: a larger value saves as largest, not as 0
    // A number's bounds, applied after every load.
    std::optional<FieldRepair> repair = std::nullopt;
    // The value a fresh table holds (a number, or each initial): also what
    // the field takes when the file does not hold it whole.
    std::optional<int> reset = std::nullopt;
};

using DataLayout = std::span<const DataField>;

// Reads the `count` characters of a file (below 0: there was none) into
// the fields, as the game has always read them: a character's digit value
// is its code minus '0', unchecked, and the end of the file, or a byte
// 0xFF, counts as one more character (the C library's end code taken as a
// character: -49 as a digit, 255 as a byte), after which reading stops.
// Fields after the end keep their values; tenths are scaled once the file
// has been read. Returns where the end stood, 0 without a file.
int readFields(DataLayout layout, const unsigned char* bytes, long count);

// Each field with a reset value that the file did not hold to its last
// character, `end` being where reading stopped, takes that value.
void resetFieldsCutShort(DataLayout layout, int end);

// Each field that has a repair and a value outside its bounds takes the
// repair's value.
void repairFields(DataLayout layout);

// Every field with a reset value takes it.
void resetFields(DataLayout layout);

// Every field written at its place in `out`, which the fields fill
// completely; no terminator.
void writeFields(DataLayout layout, char* out);
