// Recorded races played again in the window: every frame must leave the
// race, the field, the frame function's values, the random generator, the
// sounds and the picture exactly as recorded. The records are in
// tests/race/golden/; TRIGONIX_RECORD_RACES=1 writes them afresh from the
// players below (then check what changed before committing them).
#include "game/input.h"
#include "game/screens.h"
#include "persist/settings.h"
#include "race/obstacles.h"
#include "race/race.h"
#include "tests/support/race_fixture.h"
#include "tests/support/race_golden.h"
#include "tests/support/race_players.h"
#include "tests/support/race_script.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using raceGolden::Line;
using raceGolden::value;
using racePlayers::chase;
using racePlayers::cruise;
using racePlayers::dodge;

namespace {

bool between(int frame, int first, int last) { return frame >= first && frame <= last; }

bool raceOver() { return race.barLevel < 0.0f || race.barLevel > race.barTarget; }

// Frames since the race was first seen over; 0 while it runs.
struct Ending {
    int since = 0;
    bool after(int frames)
    {
        if (raceOver())
            ++since;
        return screens.nameEntryShown || since > frames;
    }
};

// --- The races -------------------------------------------------------------

struct GoldenRace {
    const char* name;
    raceScript::Setup setup;
    // The keys for frame `frame` (1 = the first after the start); empty
    // once the race has been recorded far enough.
    std::function<bool(int frame, std::string& keys)> player;
    // What the record must show for the race to be worth its place.
    std::function<void(const std::vector<Line>& lines)> covers;
};

float floatOf(const std::string& bitsText)
{
    const std::uint32_t word =
        static_cast<std::uint32_t>(std::strtoul(bitsText.c_str(), nullptr, 16));
    float number = 0.0f;
    std::memcpy(&number, &word, sizeof number);
    return number;
}

float number(const Line& line, const char* column) { return floatOf(value(line, column)); }
int whole(const Line& line, const char* column) { return std::atoi(value(line, column).c_str()); }
bool held(const Line& line, char letter) { return raceGolden::holds(value(line, "keys"), letter); }

int count(const std::vector<Line>& lines, const std::function<bool(std::size_t)>& test)
{
    int n = 0;
    for (std::size_t i = 1; i < lines.size(); ++i)
        n += test(i) ? 1 : 0;
    return n;
}

// A held pause key and a race that stood still.
int pausedFrames(const std::vector<Line>& lines, char key)
{
    return count(lines, [&](std::size_t i) {
        return held(lines[i], key) && value(lines[i], "frames") == value(lines[i - 1], "frames") &&
               value(lines[i], "field") == value(lines[i - 1], "field");
    });
}

// A LONG race: the storm with lightning and thunder, all four bombs, the
// speed tuned up from a slow machine's count, the ship banking (SHIP
// mode) over the sky picture, End and then 0 held in the middle, won.
const GoldenRace longStorm{
    "long_storm",
    {RaceType::LONG, 7, true, true, true, 20, 1.6f, -1},
    [](int frame, std::string& keys) {
        static Ending ending;
        if (frame == 1)
            ending = Ending{};
        if (ending.after(20))
            return false;
        keys.clear();
        if (between(frame, 330, 359))
            keys = between(frame, 340, 345) ? "EB" : "E";
        else if (between(frame, 420, 434))
            keys = "Z";
        else {
            keys = dodge(fieldRows) + cruise(1.4f);
            for (int bomb : {260, 480, 560, 640}) {
                if (between(frame, bomb, bomb + 1))
                    keys += "B";
            }
        }
        return true;
    },
    [](const std::vector<Line>& lines) {
        EXPECT_GT(count(lines, [&](std::size_t i) { return value(lines[i], "lightning") == "1"; }),
                  5);
        EXPECT_GT(count(lines,
                        [&](std::size_t i) {
                            return value(lines[i], "lightning") == "1" &&
                                   value(lines[i], "sounds").find("Boom2") != std::string::npos &&
                                   value(lines[i], "bar") == value(lines[i - 1], "bar");
                        }),
                  0)
            << "thunder";
        EXPECT_EQ(number(lines.back(), "bombs"), 0.0f);
        EXPECT_GE(pausedFrames(lines, 'E'), 29);
        EXPECT_GE(pausedFrames(lines, 'Z'), 14);
        EXPECT_GT(number(lines.back(), "gameSpeed"), 2.5f) << "tuned towards 20 frames a second";
        EXPECT_GT(number(lines.back(), "bar"), number(lines.back(), "target")) << "won";
    },
};

// A MEDIUM race restarted with Enter after both bombs, then driven fast
// into the shapes until the bar is below 0, and the lose screen left up;
// the world turns (WORLD mode), no sky picture, mouse buttons steer.
const GoldenRace mediumRestartLoss{
    "medium_restart_loss",
    {RaceType::MEDIUM, 10, false, false, true, 60, 1.0f, -1},
    [](int frame, std::string& keys) {
        static Ending ending;
        if (frame == 1)
            ending = Ending{};
        if (ending.after(40))
            return false;
        keys.clear();
        if (between(frame, 203, 330))
            keys += "U";
        if (between(frame, 215, 260) || between(frame, 650, 652) || between(frame, 720, 722))
            keys += "B";
        if (between(frame, 240, 262) || between(frame, 320, 335) || between(frame, 600, 615))
            keys += "L";
        if (between(frame, 300, 315))
            keys += "R";
        if (between(frame, 285, 298) || between(frame, 700, 710))
            keys += "l";
        if (between(frame, 320, 335) || between(frame, 630, 640))
            keys += "r";
        if (frame == 340)
            keys += "N";
        if (frame >= 545)
            keys += "U";
        return true;
    },
    [](const std::vector<Line>& lines) {
        EXPECT_EQ(count(lines,
                        [&](std::size_t i) {
                            return held(lines[i], 'N') && whole(lines[i], "frames") == 1 &&
                                   whole(lines[i - 1], "frames") > 300;
                        }),
                  1)
            << "restarted mid-race";
        EXPECT_GE(count(lines,
                        [&](std::size_t i) {
                            return number(lines[i], "bombs") < number(lines[i - 1], "bombs");
                        }),
                  4);
        EXPECT_LT(number(lines.back(), "bar"), 0.0f) << "lost";
        EXPECT_EQ(value(lines.back(), "nameEntry"), "0");
    },
};

// A JOURNEY started from the title's SINGLE PLAYER, in SHIP mode, that
// crashes past the stored best of 30: the new best with empty initials,
// and name entry next.
const GoldenRace journeyBest{
    "journey_best",
    {RaceType::JOURNEY, 10, true, true, true, 60, 1.0f, -1, true},
    [](int frame, std::string& keys) {
        static Ending ending;
        if (frame == 1)
            ending = Ending{};
        if (ending.after(20))
            return false;
        // Out of the way until the best is beaten, then into a shape.
        keys = frame == 1 ? "N" : frame < 600 ? dodge(fieldObstacles) : chase(fieldObstacles);
        if (between(frame, 300, 329))
            keys += "r";
        if (between(frame, 500, 539))
            keys += "l";
        return true;
    },
    [](const std::vector<Line>& lines) {
        EXPECT_EQ(value(lines.front(), "frontEnd"), "0") << "started from the title";
        EXPECT_EQ(value(lines.front(), "frames"), "1");
        EXPECT_EQ(value(lines.back(), "nameEntry"), "1");
        EXPECT_EQ(value(lines.back(), "initials"), "___");
        EXPECT_GT(whole(lines.back(), "best"), 30);
        EXPECT_LT(number(lines.back(), "bar"), 0.0f);
    },
};

// A SHORT race from a fast machine's speed factor tuned down, the hint
// near the finish, won slower than the stored best of 5; no sky picture,
// no sound, SHIP mode.
const GoldenRace shortWin{
    "short_win",
    {RaceType::SHORT, 3, false, true, false, 40, 2.0f, 5},
    [](int frame, std::string& keys) {
        static Ending ending;
        if (frame == 1)
            ending = Ending{};
        if (ending.after(30))
            return false;
        keys = dodge(fieldObstacles) + cruise(2.0f);
        return true;
    },
    [](const std::vector<Line>& lines) {
        EXPECT_GT(number(lines.back(), "bar"), number(lines.back(), "target")) << "won";
        EXPECT_EQ(whole(lines.back(), "best"), 5);
        EXPECT_LT(number(lines.back(), "gameSpeed"), 1.9f) << "tuned towards 40 frames a second";
        EXPECT_GT(count(lines,
                        [&](std::size_t i) {
                            const float bar = number(lines[i], "bar");
                            return bar > 1.8f && bar < 2.0f;
                        }),
                  0)
            << "the hint";
    },
};

const GoldenRace* const races[] = {&longStorm, &mediumRestartLoss, &journeyBest, &shortWin};

}  // namespace

struct GoldenRaces : RaceTest, ::testing::WithParamInterface<const GoldenRace*> {};

TEST_P(GoldenRaces, EveryFrameIsAsRecorded)
{
    const GoldenRace& golden = *GetParam();
    const bool recording = raceGolden::recording();
    const std::string path = raceGolden::pathOf(golden.name);

    raceGolden::Record record;
    if (!recording) {
        ASSERT_TRUE(raceGolden::read(path, record)) << "cannot read " << path;
        ASSERT_TRUE(raceScript::sameSetup(record.setup, golden.setup))
            << "the record was made from another start";
    }
    const std::string maker = raceGolden::pictureMaker();
    const bool withPicture = recording || record.pictures == maker;
    if (!withPicture)
        std::printf("the pictures were recorded by %s, not by %s: their hashes are not compared\n",
                    record.pictures.c_str(), maker.c_str());

    raceScript::startFixedRace(golden.setup);
    std::vector<Line> lines;
    std::string keys;
    for (int frame = 1;; ++frame) {
        std::string now;
        if (recording) {
            if (!golden.player(frame, now) || frame > 3000)
                break;
        } else {
            if (frame > static_cast<int>(record.lines.size()))
                break;
            now = value(record.lines[frame - 1], "keys");
            if (now == "-")
                now.clear();
        }
        raceGolden::holdKeys(keys, now);
        keys = now;
        const std::size_t soundsBefore = testHooks::soundsRequested().size();
        runFrames(1);
        lines.push_back(raceGolden::lineNow(frame, now, soundsBefore, true, true));
        if (!recording) {
            const Line& want = record.lines[frame - 1];
            const std::string difference =
                raceGolden::firstDifference(lines.back(), want, withPicture);
            if (!difference.empty()) {
                ADD_FAILURE() << golden.name << " frame " << frame << ": " << difference << "\n  "
                              << raceScript::describe(race);
                break;
            }
        }
    }
    raceGolden::holdKeys(keys, "");

    if (recording) {
        record.setup = golden.setup;
        record.pictures = maker;
        record.lines = lines;
        for (std::size_t i = 0; i + 1 < record.lines.size(); ++i) {
            if ((i + 1) % raceGolden::fullFieldEvery != 0)
                record.lines[i].resize(raceGolden::columnsWithoutField);
        }
        ASSERT_TRUE(raceGolden::write(path, record)) << "cannot write " << path;
        std::printf("recorded %zu frames into %s\n", lines.size(), path.c_str());
    } else {
        EXPECT_EQ(lines.size(), record.lines.size());
    }
    golden.covers(recording ? lines : record.lines);
}

INSTANTIATE_TEST_SUITE_P(Races, GoldenRaces, ::testing::ValuesIn(races),
                         [](const ::testing::TestParamInfo<const GoldenRace*>& info) {
                             return std::string(info.param->name);
                         });
