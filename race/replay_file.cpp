// The replay file: its layout, read and written field by field in little-
// endian order, so a file means the same on every machine.
#include "race/replay_file.h"

#include "platform/file_read.h"
#include "platform/file_replace.h"
#include "platform/game_files.h"
#include "platform/problem_log.h"
#include "race/race_types.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Where the frames' runs begin; the checksum follows them.
constexpr std::size_t headerBytes = 264;
constexpr std::size_t checksumBytes = 4;
// A file any larger holds more than a replay can.
constexpr std::size_t largestFile = headerBytes + longestRuns + 64 + checksumBytes;

// Which race types have a replay file, SHORT first.
bool known[4] = {};

constexpr std::uint32_t skyPictureFlag = 1;
constexpr std::uint32_t shipBanksFlag = 2;
constexpr std::uint32_t soundOnFlag = 4;
constexpr std::uint32_t allFlags = 7;

// CRC-32 as zlib and PNG compute it.
std::uint32_t checksumOf(const char* bytes, std::size_t length)
{
    static std::uint32_t table[256];
    static bool tableMade = false;
    if (!tableMade) {
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int bit = 0; bit < 8; ++bit)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        tableMade = true;
    }
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i)
        crc = table[(crc ^ static_cast<unsigned char>(bytes[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

struct Writer {
    std::string bytes;
    void word(std::uint32_t value, int size = 4)
    {
        for (int n = 0; n < size; ++n)
            bytes.push_back(static_cast<char>((value >> (8 * n)) & 0xFF));
    }
    void integer(int value) { word(static_cast<std::uint32_t>(value)); }
    void number(float value)
    {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        word(bits);
    }
};

struct Reader {
    const std::string& bytes;
    std::size_t at = 0;
    std::uint32_t word(int size = 4)
    {
        std::uint32_t value = 0;
        for (int n = 0; n < size; ++n)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at++])) << (8 * n);
        return value;
    }
    int integer() { return static_cast<int>(word()); }
    float number()
    {
        const std::uint32_t bits = word();
        float value = 0.0f;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
};

// The race record as the start found it.
void writeRace(Writer& out, const RaceState& race)
{
    out.number(race.raceClock);
    out.number(race.shipSpeed);
    out.number(race.steerVelocity);
    out.number(race.barLevel);
    out.number(race.barTarget);
    out.number(race.bombs);
    out.integer(race.raceFrames);
    out.number(race.skyLevel);
    out.word(race.skyRising ? 1 : 0, 1);
    out.word(race.lightning ? 1 : 0, 1);
    out.word(0, 2);
}

bool readRace(Reader& in, RaceState& race)
{
    race.raceClock = in.number();
    race.shipSpeed = in.number();
    race.steerVelocity = in.number();
    race.barLevel = in.number();
    race.barTarget = in.number();
    race.bombs = in.number();
    race.raceFrames = in.integer();
    race.skyLevel = in.number();
    const std::uint32_t skyRising = in.word(1);
    const std::uint32_t lightning = in.word(1);
    const std::uint32_t padding = in.word(2);
    race.skyRising = skyRising == 1;
    race.lightning = lightning == 1;
    return skyRising <= 1 && lightning <= 1 && padding == 0;
}

bool allFinite(const ReplayStart& start)
{
    const RaceState& r = start.race;
    const float numbers[] = {
        start.gameSpeed, start.firstMenuClock, start.firstGameSpeed, r.raceClock, r.shipSpeed,
        r.steerVelocity, r.barLevel,           r.barTarget,          r.bombs,     r.skyLevel};
    for (float number : numbers) {
        if (!std::isfinite(number))
            return false;
    }
    for (const Obstacle& obstacle : start.field) {
        if (!std::isfinite(obstacle.along) || !std::isfinite(obstacle.across))
            return false;
    }
    return true;
}

// Every run readable, and as many frames as the header says: counted no
// further than one past them, whatever count a run claims.
bool runsHold(const Replay& replay)
{
    ReplayReader reader = readRuns(replay.runs);
    ReplayFrame frame;
    std::uint64_t frames = 0;
    while (frames <= replay.frames && nextFrame(reader, frame))
        ++frames;
    return !reader.broken && frames == replay.frames;
}

}  // namespace

std::string encodeReplay(const Replay& replay)
{
    const ReplayStart& start = replay.start;
    Writer out;
    out.bytes.assign(replayMagic, sizeof replayMagic);
    out.word(replayFormatVersion, 2);
    out.word(static_cast<std::uint32_t>(start.raceType), 1);
    out.word((start.showSky ? skyPictureFlag : 0) | (start.rotateShip ? shipBanksFlag : 0) |
                 (start.soundOn ? soundOnFlag : 0),
             1);
    for (int key : start.keys)
        out.integer(key);
    out.number(start.gameSpeed);
    out.number(start.firstMenuClock);
    out.integer(start.firstRepeatDelay);
    out.number(start.firstGameSpeed);
    out.word(start.randomState);
    out.integer(start.bestToBeat);
    out.integer(replay.best);
    writeRace(out, start.race);
    for (const Obstacle& obstacle : start.field) {
        out.number(obstacle.along);
        out.number(obstacle.across);
    }
    out.word(replay.frames);
    out.word(static_cast<std::uint32_t>(replay.runs.size()));
    out.bytes += replay.runs;
    out.word(checksumOf(out.bytes.data(), out.bytes.size()));
    return out.bytes;
}

std::string decodeReplay(const std::string& bytes, Replay& replay)
{
    if (bytes.size() < sizeof replayMagic ||
        std::memcmp(bytes.data(), replayMagic, sizeof replayMagic) != 0)
        return "not a Trigonix replay";
    Reader in{bytes, sizeof replayMagic};
    if (bytes.size() < in.at + 2)
        return "truncated";
    const std::uint32_t version = in.word(2);
    if (version > replayFormatVersion)
        return "made by a newer version of the game (replay format " + std::to_string(version) +
               ", this one reads " + std::to_string(replayFormatVersion) + ")";
    if (version == 0)
        return "damaged (format 0)";
    if (bytes.size() < headerBytes + checksumBytes)
        return "truncated";
    in.at = headerBytes - 4;
    const std::uint32_t runsLength = in.word();
    if (bytes.size() - headerBytes - checksumBytes < runsLength)
        return "truncated";
    if (bytes.size() - headerBytes - checksumBytes > runsLength)
        return "damaged (bytes after its end)";
    const std::size_t checked = headerBytes + runsLength;
    in.at = checked;
    if (in.word() != checksumOf(bytes.data(), checked))
        return "damaged (its checksum does not match)";

    Replay read;
    ReplayStart& start = read.start;
    in.at = sizeof replayMagic + 2;
    start.raceType = static_cast<int>(in.word(1));
    const std::uint32_t flags = in.word(1);
    start.showSky = (flags & skyPictureFlag) != 0;
    start.rotateShip = (flags & shipBanksFlag) != 0;
    start.soundOn = (flags & soundOnFlag) != 0;
    for (int& key : start.keys)
        key = in.integer();
    start.gameSpeed = in.number();
    start.firstMenuClock = in.number();
    start.firstRepeatDelay = in.integer();
    start.firstGameSpeed = in.number();
    start.randomState = in.word();
    start.bestToBeat = in.integer();
    read.best = in.integer();
    const bool raceRead = readRace(in, start.race);
    for (Obstacle& obstacle : start.field) {
        obstacle.along = in.number();
        obstacle.across = in.number();
    }
    read.frames = in.word();
    read.runs = bytes.substr(headerBytes, runsLength);

    if (raceTypeFacts(start.raceType) == nullptr || flags > allFlags || !raceRead ||
        !allFinite(start) || !(start.gameSpeed > 0.0f) || !(start.firstGameSpeed > 0.0f) ||
        start.gameSpeed > highestSpeed || start.firstGameSpeed > highestSpeed ||
        start.firstRepeatDelay < 0 || read.frames > mostFrames || read.frames == 0 ||
        !runsHold(read))
        return "damaged (a value no race can have)";
    replay = std::move(read);
    return "";
}

namespace {

std::string reasonOf(int error)
{
    // A pipe or a device in the replay's place.
    if (error == EINVAL)
        return "not a plain file";
    return std::strerror(error);
}

}  // namespace

std::string replayFileName(int raceType)
{
    const RaceTypeFacts* type = raceTypeFacts(raceType);
    return type != nullptr ? std::string("Data/replays/") + type->name + ".tgr" : std::string();
}

bool saveReplay(const Replay& replay)
{
    const std::string name = replayFileName(replay.start.raceType);
    if (name.empty())
        return false;
    const std::string bytes = encodeReplay(replay);
    int error = makeGameFileFolder(name.c_str());
    if (error == 0)
        error = replaceFileBytes(name.c_str(), bytes.data(), bytes.size());
    if (error != 0) {
        const std::string why = "the best run's replay was not saved: " + reasonOf(error);
        reportProblem(name.c_str(), why.c_str());
        return false;
    }
    known[replay.start.raceType - RaceType::SHORT] = true;
    return true;
}

std::string readReplayFile(const char* path, Replay& replay)
{
    // Most replays are a few kilobytes: room for the largest is made only
    // for a file that fills the first reading. One byte more than the
    // largest replay shows a file too large.
    std::vector<unsigned char> buffer(64 * 1024);
    std::size_t count = 0;
    for (;;) {
        if (const int error = readFileBytes(path, buffer.data(), buffer.size(), count); error != 0)
            return reasonOf(error);
        if (count < buffer.size() || buffer.size() > largestFile)
            break;
        buffer.resize(largestFile + 1);
    }
    if (count > largestFile)
        return "too large to be a replay";
    const auto* bytes = reinterpret_cast<const char*>(buffer.data());
    return decodeReplay(std::string(bytes, count), replay);
}

bool loadBestRun(int raceType, Replay& replay)
{
    const std::string name = replayFileName(raceType);
    if (name.empty())
        return false;
    std::size_t count = 0;
    unsigned char none = 0;
    if (readFileBytes(name.c_str(), &none, 0, count) == ENOENT)
        return false;
    Replay read;
    std::string why = readReplayFile(name.c_str(), read);
    if (why.empty() && read.start.raceType != raceType)
        why = std::string("holds a ") + raceTypeFacts(read.start.raceType)->name + " race";
    if (!why.empty()) {
        reportProblem(name.c_str(), ("replay refused: " + why).c_str());
        return false;
    }
    replay = std::move(read);
    return true;
}

void findReplays()
{
    for (int raceType = RaceType::SHORT; raceType <= RaceType::JOURNEY; ++raceType) {
        std::size_t count = 0;
        unsigned char none = 0;
        known[raceType - RaceType::SHORT] =
            readFileBytes(replayFileName(raceType).c_str(), &none, 0, count) == 0;
    }
}

bool anyReplayKnown()
{
    for (bool replay : known) {
        if (replay)
            return true;
    }
    return false;
}
