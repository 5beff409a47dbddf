// The cursor display counter: the cursor shows while it is 0 or more.
#pragma once

#include "platform/win32.h"

int ShowCursor(BOOL show);
