// The best result of each race type and the 26-character file that keeps
// them, together with the full-screen flag.
#include "persist/high_scores.h"

#include "persist/atomic_file.h"
#include "persist/data_fields.h"
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

constexpr int highScoreLength = 26;

// The file, field by field: the four bests, the four rows' initials, the
// full-screen flag. A best too large for its field saves as the largest it
// holds, and each loads within the bounds the rest of the game relies on
// (JOURNEY's has none). The reset is a best anyone beats and no initials;
// a field the file does not hold to its last character (the file is
// missing, cut short or ends at a byte 0xFF) is not half read but reset,
// so no invented record of 0 or 41 stands where no race can beat it.
// clang-format off
const DataField highScoreFields[] = {
    {.start = 0, .width = 2, .number = &highScores.rows[0].best, .largest = 99, .clamps = true,
     .repair = FieldRepair{0, 99, 99}, .reset = 99},
    {.start = 2, .width = 3, .number = &highScores.rows[1].best, .largest = 999, .clamps = true,
     .repair = FieldRepair{0, 999, 999}, .reset = 999},
    {.start = 5, .width = 3, .number = &highScores.rows[2].best, .largest = 999, .clamps = true,
     .repair = FieldRepair{0, 999, 999}, .reset = 999},
    {.start = 8, .width = 5, .number = &highScores.rows[3].best, .largest = 99999, .clamps = true,
     .reset = 1},
    {.start = 13, .width = 3, .initials = highScores.rows[0].initials.characters, .reset = '_'},
    {.start = 16, .width = 3, .initials = highScores.rows[1].initials.characters, .reset = '_'},
    {.start = 19, .width = 3, .initials = highScores.rows[2].initials.characters, .reset = '_'},
    {.start = 22, .width = 3, .initials = highScores.rows[3].initials.characters, .reset = '_'},
    {.start = 25, .width = 1, .flag = &settings.fullscreen},
};
// clang-format on

}  // namespace

void loadHighScores()
{
    unsigned char bytes[highScoreLength + 1];
    const long count = readFileHead(highScoreFileName, bytes, sizeof bytes);
    const int end = readFields(highScoreFields, bytes, count);
    resetFieldsCutShort(highScoreFields, end);
    repairFields(highScoreFields);
}

void resetHighScoreTable() { resetFields(highScoreFields); }

void formatHighScores(char out[26]) { writeFields(highScoreFields, out); }

void saveHighScores()
{
    char text[highScoreLength];
    formatHighScores(text);
    replaceFile(highScoreFileName, text, sizeof text);
}
