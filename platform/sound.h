// Fire-and-forget sounds by file name: one voice, a new sound replaces the
// one playing. A file that is missing or cannot be played, or a machine with
// no audio device, gives silence; the game goes on, and the problem log
// (platform/problem_log.h) says which file and why.
#pragma once

#include "platform/win32.h"

BOOL PlaySoundA(LPCSTR fileName, HMODULE module, DWORD flags);
BOOL sndPlaySoundA(LPCSTR fileName, UINT flags);
