// The best result of each race type and the 26-character file that keeps
// them, together with the full-screen flag.
#include "persist/high_scores.h"

#include "persist/atomic_file.h"
#include "persist/read_file_head.h"
#include "persist/settings.h"

HighScoreTable highScores;

const char* const highScoreFileName = "Data/data .tgx";

char Initials::get(int n) const
{
    if (n < 1 || n > 3)
        return '\0';
    return static_cast<char>(characters[n - 1]);
}

void Initials::set(int n, char c)
{
    if (n < 1 || n > 3)
        return;
    characters[n - 1] = static_cast<unsigned char>(c);
}

namespace {

constexpr int shortRow = 0;
constexpr int mediumRow = 1;
constexpr int longRow = 2;
constexpr int journeyRow = 3;

// The end of the file reads as one more character, the C library's end
// code taken as a character: -1 - '0' as a digit, 255 as an initial's byte.
constexpr int endDigit = -49;
constexpr int endByte = 0xFF;

constexpr int highScoreLength = 26;

// Where each row's best stands in the file and how many digits it has;
// the initials follow from position 13, three characters a row.
struct BestField {
    int start, width;
};
constexpr BestField bestFields[4] = {{0, 2}, {2, 3}, {5, 3}, {8, 5}};
constexpr int firstInitial = 13;

// Initials are stored shifted by 10, 20 and 30 so the file does not show
// them as plain letters.
// A character that would be stored as the byte 0xFF is stored as an empty
// slot instead: the next load would take that byte for the end of the file
// and lose every field after it. The font cannot show such a character.
unsigned char encodeInitial(unsigned char c, int n)
{
    const unsigned char byte = static_cast<unsigned char>(c + 10 * n);
    return byte == endByte ? static_cast<unsigned char>('_' + 10 * n) : byte;
}
unsigned char decodeInitial(int byte, int n) { return static_cast<unsigned char>(byte - 10 * n); }

// Writes `value` as `width` zero-padded decimal digits; a negative value
// writes zeros and one too large for the field writes nines, so every
// field keeps its place in the file.
void putDigits(char* out, int width, int value)
{
    int limit = 1;
    for (int i = 0; i < width; ++i)
        limit *= 10;
    if (value < 0)
        value = 0;
    if (value >= limit)
        value = limit - 1;
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

void applyCharacter(int position, int digit, int byte)
{
    int& shortBest = highScores.rows[shortRow].best;
    int& mediumBest = highScores.rows[mediumRow].best;
    int& longBest = highScores.rows[longRow].best;
    int& journeyBest = highScores.rows[journeyRow].best;
    switch (position) {
    case 0: shortBest = digit * 10; return;
    case 1: shortBest += digit; return;
    case 2: mediumBest = digit * 100; return;
    case 3: mediumBest += digit * 10; return;
    case 4: mediumBest += digit; return;
    case 5: longBest = digit * 100; return;
    case 6: longBest += digit * 10; return;
    case 7: longBest += digit; return;
    case 8: journeyBest = digit * 10000; return;
    case 9: journeyBest += digit * 1000; return;
    case 10: journeyBest += digit * 100; return;
    case 11: journeyBest += digit * 10; return;
    case 12: journeyBest += digit; return;
    case 25: settings.fullscreen = digit != 0; return;
    default: break;
    }
    if (position >= firstInitial && position < firstInitial + 12) {
        const int row = (position - firstInitial) / 3;
        const int n = (position - firstInitial) % 3 + 1;
        highScores.rows[row].initials.characters[n - 1] = decodeInitial(byte, n);
    }
    // Positions from 26 on, such as a line end, are ignored.
}

// What the reset on the high-score screen leaves: a best anyone beats.
int resetBest(int row) { return row == shortRow ? 99 : row == journeyRow ? 1 : 999; }

// A field the file does not hold to its last character (the file is
// missing, cut short or ends at a byte 0xFF) is not half read but reset,
// so no invented record of 0 or 41 stands where no race can beat it.
void resetFieldsFrom(int end)
{
    for (int row = 0; row < 4; ++row) {
        HighScoreEntry& entry = highScores.rows[row];
        if (bestFields[row].start + bestFields[row].width > end)
            entry.best = resetBest(row);
        if (firstInitial + 3 * row + 3 > end)
            for (int n = 1; n <= 3; ++n)
                entry.initials.set(n, '_');
    }
}

// The rest of the game relies on these bounds, whatever the file held.
void applyBounds()
{
    int& shortBest = highScores.rows[shortRow].best;
    int& mediumBest = highScores.rows[mediumRow].best;
    int& longBest = highScores.rows[longRow].best;
    if (longBest > 999 || longBest < 0)
        longBest = 999;
    if (mediumBest > 999 || mediumBest < 0)
        mediumBest = 999;
    if (shortBest > 99 || shortBest < 0)
        shortBest = 99;
}

}  // namespace

void loadHighScores()
{
    unsigned char bytes[highScoreLength + 1];
    const long count = readFileHead(highScoreFileName, bytes, sizeof bytes);
    int position = 0;
    for (; position < count; ++position) {
        if (bytes[position] == endByte)
            break;
        applyCharacter(position, bytes[position] - '0', bytes[position]);
    }
    if (count >= 0)
        applyCharacter(position, endDigit, endByte);
    resetFieldsFrom(position);
    applyBounds();
}

void formatHighScores(char out[26])
{
    for (int row = 0; row < 4; ++row)
        putDigits(out + bestFields[row].start, bestFields[row].width, highScores.rows[row].best);
    for (int row = 0; row < 4; ++row)
        for (int n = 1; n <= 3; ++n)
            out[firstInitial + 3 * row + n - 1]
                = static_cast<char>(encodeInitial(highScores.rows[row].initials.characters[n - 1], n));
    out[25] = settings.fullscreen ? '1' : '0';
}

void saveHighScores()
{
    char text[highScoreLength];
    formatHighScores(text);
    replaceFile(highScoreFileName, text, sizeof text);
}
