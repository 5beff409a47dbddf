// The General MIDI soundfont the music is played with: the player's own,
// named by SDL_SOUNDFONTS, or else the first that exists of the places the
// distributions' soundfont packages put one.
#pragma once

#include <string>
#include <vector>

// What to hand the mixer: `environment` (SDL_SOUNDFONTS's value, null when
// unset) as it is when it names anything, otherwise the first of `places`
// that holds a file; "" when none does.
std::string chooseSoundFont(const char* environment, const std::vector<std::string>& places);

// Where this build looks: the packager's TRIGONIX_SOUNDFONT, when given,
// before the distributions' standard places.
const std::vector<std::string>& soundFontPlaces();
