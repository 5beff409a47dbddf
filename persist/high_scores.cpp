// The best result of each race type and the 26-character file that keeps
// them, together with the full-screen flag.
#include "persist/high_scores.h"

#include "persist/atomic_file.h"
#include "persist/settings.h"

#include <cstdio>

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

HighScoreEntry* highScoreFor(int raceType)
{
    if (raceType < 1 || raceType > 4)
        return nullptr;
    return &highScores.rows[raceType - 1];
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

// Initials are stored shifted by 10, 20 and 30 so the file does not show
// them as plain letters.
unsigned char encodeInitial(unsigned char c, int n) { return static_cast<unsigned char>(c + 10 * n); }
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
    if (position >= 13 && position < 25) {
        const int row = (position - 13) / 3;
        const int n = (position - 13) % 3 + 1;
        highScores.rows[row].initials.characters[n - 1] = decodeInitial(byte, n);
    }
    // Positions from 26 on, such as a line end, are ignored.
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
    std::FILE* file = std::fopen(highScoreFileName, "r");
    if (file == nullptr) {
        std::perror("Error opening file");
    } else {
        for (int position = 0;; ++position) {
            const int c = std::fgetc(file);
            if (c == EOF || c == endByte) {
                applyCharacter(position, endDigit, endByte);
                break;
            }
            applyCharacter(position, c - '0', c);
        }
        std::fclose(file);
    }
    applyBounds();
}

void formatHighScores(char out[26])
{
    putDigits(out + 0, 2, highScores.rows[shortRow].best);
    putDigits(out + 2, 3, highScores.rows[mediumRow].best);
    putDigits(out + 5, 3, highScores.rows[longRow].best);
    putDigits(out + 8, 5, highScores.rows[journeyRow].best);
    for (int row = 0; row < 4; ++row)
        for (int n = 1; n <= 3; ++n)
            out[13 + 3 * row + n - 1]
                = static_cast<char>(encodeInitial(highScores.rows[row].initials.characters[n - 1], n));
    out[25] = settings.fullscreen ? '1' : '0';
}

void saveHighScores()
{
    char text[26];
    formatHighScores(text);
    replaceFile(highScoreFileName, text, sizeof text);
}
