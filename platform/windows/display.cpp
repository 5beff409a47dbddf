// Display-mode changes for full screen, on the system's own.
#include "platform/display.h"

#include "platform/probes.h"
#include "platform/windows/system.h"

LONG ChangeDisplaySettingsA(DEVMODEA* mode, DWORD flags)
{
    if (probes::callFails(PlatformCall::ChangeDisplaySettings, "ChangeDisplaySettingsA"))
        return DISP_CHANGE_FAILED;
    if (mode == nullptr)
        return static_cast<LONG>(sys::changeDisplay(true, 0, 0, 0, 0, flags));
    return static_cast<LONG>(sys::changeDisplay(false, mode->dmFields, mode->dmPelsWidth,
                                                mode->dmPelsHeight, mode->dmBitsPerPel, flags));
}
