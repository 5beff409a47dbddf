// The sound output on SDL_mixer: WAV as chunks on one channel, MIDI as music
// through FluidSynth. Without an audio device the game is simply silent.
#include "platform/sound_output.h"

#include "platform/game_files.h"
#include "platform/platform_state.h"
#include "platform/problem_log.h"
#include "platform/sound_font.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

constexpr int voiceChannel = 0;
constexpr const char* noSoundFont =
    "no General MIDI soundfont found (SDL_SOUNDFONTS may name one): the music is silent";

struct SoundRecord {
    bool audioTried = false;
    bool audioReady = false;
    // False when no soundfont was found: the music is silent.
    bool soundFontFound = false;
    // Decoded once: the game restarts some sounds every frame.
    std::map<std::string, Mix_Chunk*> chunks;
    std::map<std::string, Mix_Music*> music;
};

SoundRecord sound;

void useASoundFont()
{
    const std::string font = chooseSoundFont(std::getenv("SDL_SOUNDFONTS"), soundFontPlaces());
    sound.soundFontFound = !font.empty();
    if (sound.soundFontFound)
        Mix_SetSoundFonts(font.c_str());
}

}  // namespace

bool soundOutputReady()
{
    if (sound.audioTried)
        return sound.audioReady;
    sound.audioTried = true;
    keepSignalsAlone();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reportProblem("audio output", SDL_GetError());
        return false;
    }
    Mix_Init(MIX_INIT_MID);
    useASoundFont();
    if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        reportProblem("audio output", Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    sound.audioReady = true;
    return true;
}

namespace {

// Why a sound file gave nothing to play: the system's word when the file
// cannot be read at all, the decoder's when it is damaged.
void reportUnplayable(const std::string& name)
{
    const std::string decoderSays = Mix_GetError();
    if (std::FILE* file = std::fopen(gameFilePath(name.c_str()).c_str(), "rb")) {
        std::fclose(file);
        reportProblem(name.c_str(), decoderSays.c_str());
    } else {
        reportProblem(name.c_str(), std::strerror(errno));
    }
}

// The MIDI player takes any file and finds out only while it plays, in
// silence: a file that does not start as MIDI does is called damaged here.
bool looksLikeMidi(const std::string& name)
{
    char start[12] = {};
    std::FILE* file = std::fopen(gameFilePath(name.c_str()).c_str(), "rb");
    if (file == nullptr)
        return false;
    const std::size_t got = std::fread(start, 1, sizeof start, file);
    std::fclose(file);
    const bool standard = got >= 4 && std::memcmp(start, "MThd", 4) == 0;
    const bool riff =
        got >= 12 && std::memcmp(start, "RIFF", 4) == 0 && std::memcmp(start + 8, "RMID", 4) == 0;
    return standard || riff;
}

Mix_Chunk* chunkFor(const std::string& name)
{
    if (auto found = sound.chunks.find(name); found != sound.chunks.end())
        return found->second;
    // A missing file is asked for again next time: it may have arrived.
    Mix_Chunk* chunk = Mix_LoadWAV(gameFilePath(name.c_str()).c_str());
    if (chunk != nullptr)
        sound.chunks.emplace(name, chunk);
    else
        reportUnplayable(name);
    return chunk;
}

Mix_Music* musicFor(const std::string& name)
{
    if (auto found = sound.music.find(name); found != sound.music.end())
        return found->second;
    // Said once, at the first music; whatever else keeps the mixer from
    // playing it then is the same problem.
    if (!sound.soundFontFound)
        reportProblem(name.c_str(), noSoundFont);
    Mix_Music* music = Mix_LoadMUS(gameFilePath(name.c_str()).c_str());
    if (music != nullptr) {
        sound.music.emplace(name, music);
        if (!looksLikeMidi(name))
            reportProblem(name.c_str(), "not a MIDI file: nothing will be heard");
    } else if (sound.soundFontFound) {
        reportUnplayable(name);
    }
    return music;
}

}  // namespace

void stopSounds()
{
    if (!sound.audioReady)
        return;
    Mix_HaltChannel(voiceChannel);
    Mix_HaltMusic();
}

bool playWave(const std::string& name)
{
    Mix_Chunk* chunk = chunkFor(name);
    return chunk != nullptr && Mix_PlayChannel(voiceChannel, chunk, 0) == voiceChannel;
}

bool playMusic(const std::string& name)
{
    Mix_Music* music = musicFor(name);
    return music != nullptr && Mix_PlayMusic(music, 0) == 0;
}

bool musicPlaying() { return Mix_PlayingMusic() != 0; }
