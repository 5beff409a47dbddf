// The random draws of the last race frame, for the pause to draw it again.
#include "race/frame_record.h"

#include "game/random.h"
#include "platform/win32.h"

#include <cstddef>
#include <vector>

namespace {

struct FrameRecord {
    std::vector<int> draws;
    bool replaying = false;
    std::size_t next = 0;
};

FrameRecord record;

}  // namespace

int raceRandom()
{
    if (record.replaying)
        return record.next < record.draws.size() ? record.draws[record.next++] : 0;
    int value = gameRandom();
    record.draws.push_back(value);
    return value;
}

void playRaceSound(const char* fileName)
{
    if (!record.replaying)
        PlaySoundA(fileName, nullptr, SND_ASYNC);
}

void startFrameRecord() { record.draws.clear(); }

void beginFrameReplay()
{
    record.replaying = true;
    record.next = 0;
}

void endFrameReplay() { record.replaying = false; }
