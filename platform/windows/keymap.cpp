// Win32 keys to the game's codes: letters by the layout, the rest by place.
#include "platform/windows/keymap.h"

#include "platform/win32.h"

namespace {

// Set-1 scan codes of a US keyboard's main block, from 0x00.
// clang-format off
constexpr int mainBlock[] = {
    0, VK_ESCAPE, '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', VK_OEM_MINUS, VK_OEM_PLUS,
    VK_BACK, VK_TAB,
    'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', VK_OEM_4, VK_OEM_6, VK_RETURN, VK_CONTROL,
    'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', VK_OEM_1, VK_OEM_7, VK_OEM_3, VK_SHIFT, VK_OEM_5,
    'Z', 'X', 'C', 'V', 'B', 'N', 'M', VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2, VK_SHIFT, VK_MULTIPLY,
    VK_MENU, VK_SPACE, VK_CAPITAL,
    VK_F1, VK_F1 + 1, VK_F1 + 2, VK_F1 + 3, VK_F1 + 4, VK_F1 + 5, VK_F1 + 6, VK_F1 + 7, VK_F1 + 8,
    VK_F10, VK_NUMLOCK, VK_SCROLL,
    VK_NUMPAD0 + 7, VK_NUMPAD0 + 8, VK_NUMPAD0 + 9, VK_SUBTRACT,
    VK_NUMPAD0 + 4, VK_NUMPAD0 + 5, VK_NUMPAD0 + 6, VK_ADD,
    VK_NUMPAD0 + 1, VK_NUMPAD0 + 2, VK_NUMPAD0 + 3, VK_NUMPAD0, VK_DECIMAL,
    0, 0, VK_OEM_102, VK_F1 + 10, VK_F12,
};
// clang-format on

static_assert(sizeof mainBlock / sizeof mainBlock[0] == 0x59, "every place up to F12");

int extendedKeyAt(unsigned scanCode)
{
    switch (scanCode & 0xFF) {
    case 0x1C: return VK_RETURN;  // the keypad's Enter, as Windows sends it
    case 0x1D: return VK_CONTROL;
    case 0x35: return VK_DIVIDE;
    case 0x37: return VK_SNAPSHOT;
    case 0x38: return VK_MENU;
    case 0x45: return VK_NUMLOCK;
    case 0x47: return VK_HOME;
    case 0x48: return VK_UP;
    case 0x49: return VK_PRIOR;
    case 0x4B: return VK_LEFT;
    case 0x4D: return VK_RIGHT;
    case 0x4F: return VK_END;
    case 0x50: return VK_DOWN;
    case 0x51: return VK_NEXT;
    case 0x52: return VK_INSERT;
    case 0x53: return VK_DELETE;
    case 0x5B: return VK_LWIN;
    case 0x5C: return VK_RWIN;
    case 0x5D: return VK_APPS;
    default: return 0;
    }
}

int keyAt(unsigned scanCode)
{
    if ((scanCode & 0xFF00) == 0xE000)
        return extendedKeyAt(scanCode);
    if (scanCode >= 0x64 && scanCode <= 0x6E)
        return VK_F13 + static_cast<int>(scanCode - 0x64);
    if (scanCode == 0x7E)
        return VK_SEPARATOR;
    if (scanCode < sizeof mainBlock / sizeof mainBlock[0])
        return mainBlock[scanCode];
    return 0;
}

}  // namespace

int gameKeyCode(int virtualKey, unsigned scanCode)
{
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return virtualKey;
    // Pause shares its scan code with Num Lock; a key with no known place
    // keeps the layout's code.
    if (virtualKey == VK_PAUSE)
        return VK_PAUSE;
    const int placed = keyAt(scanCode);
    if (placed != 0)
        return placed;
    return virtualKey > 0 && virtualKey < 256 ? virtualKey : 0;
}

unsigned scanCodeFromMessage(long long lParam)
{
    const unsigned scan = static_cast<unsigned>((lParam >> 16) & 0xFF);
    return (lParam & (1LL << 24)) != 0 ? 0xE000u | scan : scan;
}
