// Display-mode changes for full screen. A mode the display does not offer
// exactly is refused with DISP_CHANGE_BADMODE; a null mode restores the
// desktop's own.
#pragma once

#include "platform/win32.h"

LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags);
