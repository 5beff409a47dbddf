// The sound rules both systems share: one voice, a new sound replaces the
// one playing, and the music asked for again while it plays plays on, since
// the game asks for it every frame its key is held.
#include "platform/sound.h"

#include "platform/probes.h"
#include "platform/sound_output.h"

#include <string>

namespace {

// The file the last call asked for: the music asked for again only plays
// on if nothing else was asked for in between.
std::string lastAskedFor;

bool isMidiFile(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string ending = name.substr(name.size() - 4);
    for (char& c : ending)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ending == ".mid";
}

BOOL playOnTheVoice(LPCSTR fileName)
{
    if (fileName == nullptr) {
        lastAskedFor.clear();
        stopSounds();
        return TRUE;
    }
    probes::recordSound(fileName);
    const std::string name = fileName;
    const bool askedForAgain = name == lastAskedFor;
    lastAskedFor = name;
    if (!soundOutputReady())
        return FALSE;
    if (askedForAgain && isMidiFile(name) && musicPlaying())
        return TRUE;
    stopSounds();
    return (isMidiFile(name) ? playMusic(name) : playWave(name)) ? TRUE : FALSE;
}

}  // namespace

BOOL PlaySoundA(LPCSTR fileName, HMODULE, DWORD) { return playOnTheVoice(fileName); }

BOOL sndPlaySoundA(LPCSTR fileName, UINT) { return playOnTheVoice(fileName); }
