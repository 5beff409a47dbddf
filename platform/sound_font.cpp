// Finding a soundfont for the music. The player's SDL_SOUNDFONTS always
// wins, and is handed on by the game itself: Debian's mixer has a default
// of its own that it prefers to the variable. The list below only stands
// in when it is unset.
#include "platform/sound_font.h"

#include <sys/stat.h>

#ifndef TRIGONIX_SOUNDFONT
#define TRIGONIX_SOUNDFONT ""
#endif

namespace {

// Debian's chosen General MIDI soundfont first (an alternative any
// soundfont package can take), then the files the common packages install
// on Debian, Fedora and Arch.
const char* const standardPlaces[] = {
    "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/soundfonts/default.sf2",    "/usr/share/soundfonts/FluidR3_GM.sf2",
};

// A link counts by what it leads to: Debian's default is one.
bool holdsAFile(const std::string& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}  // namespace

std::string chooseSoundFont(const char* environment, const std::vector<std::string>& places)
{
    // The player's value may be a list, and may name what is not there yet:
    // the mixer makes of it what it can.
    if (environment != nullptr && environment[0] != '\0')
        return environment;
    for (const std::string& place : places) {
        if (!place.empty() && holdsAFile(place))
            return place;
    }
    return std::string();
}

const std::vector<std::string>& soundFontPlaces()
{
    static const std::vector<std::string> places = [] {
        std::vector<std::string> list;
        if (TRIGONIX_SOUNDFONT[0] != '\0')
            list.push_back(TRIGONIX_SOUNDFONT);
        list.insert(list.end(), std::begin(standardPlaces), std::end(standardPlaces));
        return list;
    }();
    return places;
}
