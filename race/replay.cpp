// The run-length coding of a replay's frames: one run for a stretch of
// frames that took in the same, each number as an unsigned LEB128.
#include "race/replay.h"

namespace {

// The bits of a run's head.
constexpr std::uint32_t accelerateBit = 1u << 0;
constexpr std::uint32_t decelerateBit = 1u << 1;
constexpr std::uint32_t leftBit = 1u << 2;
constexpr std::uint32_t rightBit = 1u << 3;
constexpr std::uint32_t bombBit = 1u << 4;
constexpr std::uint32_t leftButtonBit = 1u << 5;
constexpr std::uint32_t rightButtonBit = 1u << 6;
constexpr std::uint32_t endKeyBit = 1u << 7;
constexpr std::uint32_t zeroKeyBit = 1u << 8;
constexpr std::uint32_t enterBit = 1u << 9;
constexpr std::uint32_t escapeBit = 1u << 10;
constexpr std::uint32_t speedKeyBit = 1u << 11;
constexpr std::uint32_t rateFollows = 1u << 12;
constexpr std::uint32_t randomFollows = 1u << 13;
constexpr std::uint32_t headBits = (1u << 14) - 1;

struct BitOf {
    bool RaceControls::*control;
    std::uint32_t bit;
};

const BitOf controlBits[] = {
    {&RaceControls::accelerate, accelerateBit},
    {&RaceControls::decelerate, decelerateBit},
    {&RaceControls::left, leftBit},
    {&RaceControls::right, rightBit},
    {&RaceControls::bomb, bombBit},
    {&RaceControls::leftButton, leftButtonBit},
    {&RaceControls::rightButton, rightButtonBit},
    {&RaceControls::endKey, endKeyBit},
    {&RaceControls::zeroKey, zeroKeyBit},
};

void putNumber(std::string& out, std::uint32_t value)
{
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

bool takeNumber(ReplayReader& reader, std::uint32_t& value)
{
    const std::string& runs = *reader.runs;
    value = 0;
    for (int shift = 0; shift < 35; shift += 7) {
        if (reader.at >= runs.size())
            return false;
        const auto byte = static_cast<unsigned char>(runs[reader.at++]);
        // A fifth byte carries only the top four bits of 32.
        if (shift == 28 && byte > 0x0F)
            return false;
        value |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            return true;
    }
    return false;
}

bool takeWord(ReplayReader& reader, std::uint32_t& value)
{
    const std::string& runs = *reader.runs;
    if (runs.size() - reader.at < 4)
        return false;
    value = 0;
    for (int n = 0; n < 4; ++n) {
        const auto byte = static_cast<unsigned char>(runs[reader.at++]);
        value |= static_cast<std::uint32_t>(byte) << (8 * n);
    }
    return true;
}

bool takeRun(ReplayReader& reader)
{
    std::uint32_t head = 0;
    std::uint32_t count = 0;
    if (!takeNumber(reader, head) || head > headBits || !takeNumber(reader, count) || count == 0)
        return false;
    ReplayFrame& run = reader.run;
    for (const BitOf& entry : controlBits)
        run.controls.*entry.control = (head & entry.bit) != 0;
    run.enter = (head & enterBit) != 0;
    run.escape = (head & escapeBit) != 0;
    run.speedKey = (head & speedKeyBit) != 0;
    if (head & rateFollows) {
        std::uint32_t rate = 0;
        if (!takeNumber(reader, rate) || rate > highestRate)
            return false;
        run.framesPerSecond = static_cast<int>(rate);
        reader.rateStated = true;
    } else if (!reader.rateStated) {
        return false;
    }
    run.reseeded = (head & randomFollows) != 0;
    if (run.reseeded && !takeWord(reader, run.randomState))
        return false;
    reader.left = count;
    return true;
}

}  // namespace

void appendRun(std::string& runs, const ReplayFrame& frame, std::uint32_t count,
               long long& statedRate)
{
    std::uint32_t head = 0;
    for (const BitOf& entry : controlBits)
        head |= frame.controls.*entry.control ? entry.bit : 0;
    head |= frame.enter ? enterBit : 0;
    head |= frame.escape ? escapeBit : 0;
    head |= frame.speedKey ? speedKeyBit : 0;
    const bool newRate = statedRate != frame.framesPerSecond;
    head |= newRate ? rateFollows : 0;
    head |= frame.reseeded ? randomFollows : 0;
    putNumber(runs, head);
    putNumber(runs, count);
    if (newRate) {
        putNumber(runs, static_cast<std::uint32_t>(frame.framesPerSecond));
        statedRate = frame.framesPerSecond;
    }
    if (frame.reseeded) {
        for (int n = 0; n < 4; ++n)
            runs.push_back(static_cast<char>((frame.randomState >> (8 * n)) & 0xFF));
    }
}

ReplayReader readRuns(const std::string& runs)
{
    ReplayReader reader;
    reader.runs = &runs;
    return reader;
}

bool nextFrame(ReplayReader& reader, ReplayFrame& frame)
{
    if (reader.broken)
        return false;
    if (reader.left == 0) {
        if (reader.at == reader.runs->size())
            return false;
        // The generator's state stands before the run's first frame only.
        if (!takeRun(reader)) {
            reader.broken = true;
            return false;
        }
        frame = reader.run;
    } else {
        frame = reader.run;
        frame.reseeded = false;
    }
    --reader.left;
    return true;
}
