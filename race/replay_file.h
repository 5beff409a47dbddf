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
// game (replay format 2, this one reads 1)").
std::string decodeReplay(const std::string& bytes, Replay& replay);

// "Data/replays/SHORT.tgr" for SHORT, and so on; "" for any other value.
std::string replayFileName(int raceType);

// Keeps a best run as its race type's replay: the replays folder made when
// missing, the old replay replaced only once the new one is safely on
// disk. A failure is one line on stderr and in the problem log.
bool saveReplay(const Replay& replay);

// The replay in the file at `path` (as the game names its files): "" when
// it is read, else why there is none or it is refused.
std::string readReplayFile(const char* path, Replay& replay);

// The best run of `raceType` to watch. False when there is none, saying
// nothing, or when its file is refused, saying why in one line on stderr
// and in the problem log.
bool loadBestRun(int raceType, Replay& replay);

// Which race types have a replay file: looked for once at start-up, then
// known from the saves, so no frame needs the disk to tell.
void findReplays();
bool anyReplayKnown();
