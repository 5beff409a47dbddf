// The replay file: every value of a replay read back as written, at the
// places README.md gives; files that are no replay this game can run
// (empty, foreign, newer, cut, damaged, impossible, not a plain file, too
// large) refused with their reason and never read as one.
#include "race/race_types.h"
#include "race/replay_file.h"
#include "tests/support/game_fixture.h"

#include <cmath>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

std::uint32_t wordAt(const std::string& bytes, std::size_t at, int size = 4)
{
    std::uint32_t value = 0;
    for (int n = 0; n < size; ++n)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + n])) << (8 * n);
    return value;
}

std::uint32_t bitsOf(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

ReplayFrame frameOf(bool left, bool end, int rate, bool reseeded = false)
{
    ReplayFrame frame;
    frame.controls.left = left;
    frame.controls.endKey = end;
    frame.speedKey = end;
    frame.framesPerSecond = rate;
    frame.reseeded = reseeded;
    frame.randomState = reseeded ? 0xDEADBEEF : 0;
    return frame;
}

struct RecordedRun {
    ReplayFrame frame;
    std::uint32_t count;
};

const std::vector<RecordedRun> runs = {
    {frameOf(false, false, 60), 200},    {frameOf(true, false, 60), 3},
    {frameOf(true, false, 59, true), 1}, {frameOf(false, true, 59), 70000},
    {frameOf(false, false, 61), 1},
};

Replay aReplay()
{
    Replay replay;
    ReplayStart& start = replay.start;
    start.raceType = RaceType::LONG;
    start.showSky = true;
    start.rotateShip = false;
    start.soundOn = true;
    for (int n = 0; n < 5; ++n)
        start.keys[n] = 37 + n;
    start.gameSpeed = 1.25f;
    start.randomState = 0x12345678;
    start.bestToBeat = 400;
    start.race.barTarget = 6.0f;
    start.race.barLevel = 1.0f;
    start.race.lightning = true;
    start.race.raceFrames = 77;
    for (int row = 0; row < fieldRows; ++row) {
        const float n = static_cast<float>(row);
        start.field[row] = Obstacle{n - 20.0f, 0.5f * n};
    }
    start.firstMenuClock = 12.5f;
    start.firstRepeatDelay = 9;
    start.firstGameSpeed = 1.5f;
    replay.best = 257;
    long long rate = -1;
    for (const RecordedRun& run : runs) {
        appendRun(replay.runs, run.frame, run.count, rate);
        replay.frames += run.count;
    }
    return replay;
}

bool sameFrame(const ReplayFrame& a, const ReplayFrame& b)
{
    return std::memcmp(&a.controls, &b.controls, sizeof a.controls) == 0 && a.enter == b.enter &&
           a.escape == b.escape && a.speedKey == b.speedKey &&
           a.framesPerSecond == b.framesPerSecond && a.reseeded == b.reseeded &&
           (!a.reseeded || a.randomState == b.randomState);
}

}  // namespace

TEST(ReplayFile, AReplayReadsBackAsWrittenWithItsFieldsWhereTheLayoutPutsThem)
{
    const Replay written = aReplay();
    const std::string bytes = encodeReplay(written);

    EXPECT_EQ(bytes.substr(0, 8), "TGREPLAY");
    EXPECT_EQ(wordAt(bytes, 8, 2), 1u);
    EXPECT_EQ(wordAt(bytes, 10, 1), 3u);
    EXPECT_EQ(wordAt(bytes, 11, 1), 5u);  // sky picture and sound
    EXPECT_EQ(wordAt(bytes, 12), 37u);
    EXPECT_EQ(wordAt(bytes, 28), 41u);
    EXPECT_EQ(wordAt(bytes, 32), bitsOf(1.25f));
    EXPECT_EQ(wordAt(bytes, 36), bitsOf(12.5f));
    EXPECT_EQ(wordAt(bytes, 40), 9u);
    EXPECT_EQ(wordAt(bytes, 44), bitsOf(1.5f));
    EXPECT_EQ(wordAt(bytes, 48), 0x12345678u);
    EXPECT_EQ(wordAt(bytes, 52), 400u);
    EXPECT_EQ(wordAt(bytes, 56), 257u);
    EXPECT_EQ(wordAt(bytes, 60 + 12), bitsOf(1.0f));  // bar level
    EXPECT_EQ(wordAt(bytes, 60 + 24), 77u);           // race frames
    EXPECT_EQ(wordAt(bytes, 60 + 33, 1), 1u);         // lightning
    EXPECT_EQ(wordAt(bytes, 96), bitsOf(-20.0f));     // first obstacle, along
    EXPECT_EQ(wordAt(bytes, 96 + 8 * 19 + 4), bitsOf(9.5f));
    EXPECT_EQ(wordAt(bytes, 256), written.frames);
    EXPECT_EQ(wordAt(bytes, 260), written.runs.size());
    EXPECT_EQ(bytes.substr(264, written.runs.size()), written.runs);
    EXPECT_EQ(bytes.size(), 264 + written.runs.size() + 4);

    Replay read;
    ASSERT_EQ(decodeReplay(bytes, read), "");
    EXPECT_EQ(encodeReplay(read), bytes);
    EXPECT_EQ(read.best, 257);
    EXPECT_EQ(read.start.firstRepeatDelay, 9);
    EXPECT_TRUE(read.start.race.lightning);

    // The frames come back one by one; a run's generator state stands
    // before its first frame only.
    ReplayReader reader = readRuns(read.runs);
    ReplayFrame frame;
    for (const RecordedRun& run : runs) {
        for (std::uint32_t n = 0; n < run.count; ++n) {
            ASSERT_TRUE(nextFrame(reader, frame));
            ReplayFrame want = run.frame;
            want.reseeded = want.reseeded && n == 0;
            ASSERT_TRUE(sameFrame(frame, want)) << "frame " << n << " of a run of " << run.count;
        }
    }
    EXPECT_FALSE(nextFrame(reader, frame));
    EXPECT_FALSE(reader.broken);
}

TEST(ReplayFile, BytesThatAreNoReplayThisGameCanRunAreRefusedWithTheirReason)
{
    const std::string good = encodeReplay(aReplay());
    auto with = [&](std::size_t at, char byte) {
        std::string bytes = good;
        bytes[at] = byte;
        return bytes;
    };
    auto encoded = [](void (*change)(Replay&)) {
        Replay replay = aReplay();
        change(replay);
        return encodeReplay(replay);
    };
    const char* const impossible = "damaged (a value no race can have)";
    const struct {
        const char* what;
        std::string bytes;
        std::string reason;
    } cases[] = {
        {"empty", "", "not a Trigonix replay"},
        {"a picture", std::string("BM\x36\x10\x0e\x00", 6), "not a Trigonix replay"},
        {"the magic alone", "TGREPLAY", "truncated"},
        {"format 2", with(8, 2),
         "made by a newer version of the game (replay format 2, this one reads 1)"},
        {"format 0", with(8, 0), "damaged (format 0)"},
        {"cut in the header", good.substr(0, 200), "truncated"},
        {"cut in the frames", good.substr(0, good.size() - 6), "truncated"},
        {"cut in the checksum", good.substr(0, good.size() - 1), "truncated"},
        {"a byte more", good + "x", "damaged (bytes after its end)"},
        {"a start value changed", with(50, 'x'), "damaged (its checksum does not match)"},
        {"a frame changed", with(266, 'x'), "damaged (its checksum does not match)"},
        {"no race type", encoded([](Replay& r) { r.start.raceType = 9; }), impossible},
        {"a frame missing", encoded([](Replay& r) { r.frames += 1; }), impossible},
        {"no frames", encoded([](Replay& r) {
             r.frames = 0;
             r.runs.clear();
         }),
         impossible},
        {"a run of none", encoded([](Replay& r) { r.runs += std::string("\x01\x00", 2); }),
         impossible},
        {"a run with no rate", encoded([](Replay& r) {
             r.runs = std::string("\x01\x05", 2);
             r.frames = 5;
         }),
         impossible},
        {"no speed", encoded([](Replay& r) { r.start.firstGameSpeed = 0.0f; }), impossible},
        {"too fast", encoded([](Replay& r) { r.start.gameSpeed = 1000.0f; }), impossible},
        {"a rate no paced game counts", encoded([](Replay& r) {
             long long rate = 60;
             appendRun(r.runs, frameOf(false, false, 5000), 1, rate);
             r.frames += 1;
         }),
         impossible},
        {"days of frames", encoded([](Replay& r) {
             long long rate = 60;
             appendRun(r.runs, frameOf(false, false, 60), mostFrames, rate);
             r.frames += mostFrames;
         }),
         impossible},
        {"a run longer than the header says", encoded([](Replay& r) {
             long long rate = 60;
             appendRun(r.runs, frameOf(false, false, 60), 4000000000u, rate);
         }),
         impossible},
        {"not a number", encoded([](Replay& r) { r.start.field[3].across = std::nanf(""); }),
         impossible},
    };
    for (const auto& refused : cases) {
        Replay replay;
        replay.best = -7;
        EXPECT_EQ(decodeReplay(refused.bytes, replay), refused.reason) << refused.what;
        EXPECT_EQ(replay.best, -7) << refused.what << ": nothing read";
    }
}

struct ReplayFileOnDisk : GameTest {};

TEST_F(ReplayFileOnDisk, AFileThatIsNoReplayIsRefusedWithoutWaitingOnIt)
{
    writeFile("good.tgr", encodeReplay(aReplay()));
    ASSERT_EQ(mkdir("folder.tgr", 0755), 0);
    ASSERT_EQ(mkfifo("pipe.tgr", 0644), 0);
    // Larger than any replay can be, however long its race.
    writeFile("huge.tgr", encodeReplay(aReplay()) + std::string(longestRuns + 1024, '\0'));
    const struct {
        const char* path;
        std::string reason;
    } cases[] = {
        {"good.tgr", ""},
        {"missing.tgr", "No such file or directory"},
        {"folder.tgr", "Is a directory"},
        {"pipe.tgr", "not a plain file"},
        {"huge.tgr", "too large to be a replay"},
    };
    for (const auto& file : cases) {
        Replay replay;
        EXPECT_EQ(readReplayFile(file.path, replay), file.reason) << file.path;
    }
}
