// Win32's keys to the codes the game indexes its key table by, as on
// Linux: letters are named by the letter the layout puts on the key; every
// other key by where it sits, as a US keyboard names that place, so the
// digit row and the punctuation keys give the same codes on every layout.
#pragma once

// `virtualKey` is the code Win32 gives the key on the player's layout,
// `scanCode` where it sits (0xE0 before it for an extended key). 0 for a
// key the game has no code for.
int gameKeyCode(int virtualKey, unsigned scanCode);

// The scan code a key message's lParam carries, with its extended flag.
unsigned scanCodeFromMessage(long long lParam);
