// The best runs' replay files: "Data/replays/<race type>.tgr", one for each
// race type, named as the table names the type ("Data/replays/SHORT.tgr").
// A small binary layout with a magic, a version and a checksum; README.md
// (Replays) lays it out byte by byte.
#pragma once

#include "race/replay.h"

#include <cstdint>
#include <string>

constexpr char replayMagic[8] = {'T', 'G', 'R', 'E', 'P', 'L', 'A', 'Y'};
constexpr std::uint16_t replayFormatVersion = 1;

// The file's bytes for a replay.
std::string encodeReplay(const Replay& replay);

// A replay from a file's bytes: "" when they are one, else why they are
// refused, in a few words ("truncated", "made by a newer version of the
// game (format 2)").
std::string decodeReplay(const std::string& bytes, Replay& replay);
