// The race's sounds.
#include "race/race_sounds.h"

#include "platform/win32.h"

namespace {

bool silent = false;

}  // namespace

void playRaceSound(const char* file)
{
    if (!silent)
        PlaySoundA(file, nullptr, SND_ASYNC);
}

void silenceRaceSounds(bool silenced) { silent = silenced; }
