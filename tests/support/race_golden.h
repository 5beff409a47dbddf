// Recorded races kept as text (tests/race/golden/): for every frame of a
// scripted race, the keys held and everything the race changed, the random
// generator's state, the sounds asked for and a hash of the picture. A run
// is compared with its record line by line; TRIGONIX_RECORD_RACES=1 writes
// the records afresh instead.
//
// A line is the frame's values by column, separated by spaces; "." stands
// for the value of the line before. Floats are their bits in hex. The
// field's forty values are written on every tenth frame and the last;
// every frame has their hash.
#pragma once

#include "tests/support/race_script.h"

#include <cstddef>
#include <string>
#include <vector>

namespace raceGolden {

// The keys held during a frame, one letter each: U D L R (arrows), B (the
// space bar: bomb), E (End), Z (0), N (Enter), l r (mouse buttons); "-" for
// none.
constexpr const char* keyLetters = "UDLRBEZNlr";
bool holds(const std::string& keys, char letter);
// Presses and lets go through the window procedure, so that from `before`
// exactly `now` is held.
void holdKeys(const std::string& before, const std::string& now);

// One frame, by column (see columnNames).
using Line = std::vector<std::string>;
const std::vector<std::string>& columnNames();
constexpr std::size_t columnsWithoutField = 23;
constexpr int fullFieldEvery = 10;

// What stands after frame `frame`; sounds are those asked for since
// `soundsBefore`. Without a picture the pixel column is "-"; with the
// field, the forty values follow.
Line lineNow(int frame, const std::string& keys, std::size_t soundsBefore, bool withPicture,
             bool withField);

std::string value(const Line& line, const char* column);

struct Record {
    raceScript::Setup setup;  // how the race was started
    std::string pictures;     // what drew them: renderer, version and font
    std::vector<Line> lines;
};

std::string pathOf(const std::string& name);
bool read(const std::string& path, Record& record);
bool write(const std::string& path, const Record& record);

// The first column in which `live` differs from `golden`, named with both
// values; "" when they agree. Pixels are compared only `withPicture`.
std::string firstDifference(const Line& live, const Line& golden, bool withPicture);

// The renderer, its version and the font file the text is drawn from: the
// picture hashes hold only where these are the same.
std::string pictureMaker();

// Whether the records are to be written afresh (TRIGONIX_RECORD_RACES=1).
bool recording();

}  // namespace raceGolden
