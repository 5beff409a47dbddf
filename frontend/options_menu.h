// The Options menu: race type, sound, and the way to Controls and Graphics.
#pragma once

void optionsMenu();
