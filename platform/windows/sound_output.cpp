// The sound output on WinMM: waves through PlaySoundA, which has one voice
// of its own, and the MIDI music through MCI's sequencer.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

// After windows.h, whose types it uses.
#include <mmsystem.h>

#include "platform/sound_output.h"

#include "platform/game_files.h"
#include "platform/problem_log.h"

#include <cerrno>
#include <cstring>

namespace {

constexpr const char* musicAlias = "trigonix_music";

struct SoundRecord {
    bool tried = false;
    bool ready = false;
    std::string musicOpen;  // the file the sequencer holds, "" for none
    bool musicStarted = false;
};

SoundRecord sound;

bool fileThere(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool mci(const std::string& command, std::string* reply = nullptr)
{
    char answer[64] = {};
    const MCIERROR error = mciSendStringA(command.c_str(), answer, sizeof answer, nullptr);
    if (reply != nullptr)
        *reply = answer;
    return error == 0;
}

std::string mciFailure(const std::string& command)
{
    char text[256] = {};
    const MCIERROR error = mciSendStringA(command.c_str(), nullptr, 0, nullptr);
    if (error == 0 || !mciGetErrorStringA(error, text, sizeof text))
        return "the music cannot be played";
    return text;
}

}  // namespace

bool soundOutputReady()
{
    if (sound.tried)
        return sound.ready;
    sound.tried = true;
    if (waveOutGetNumDevs() == 0) {
        reportProblem("audio output", "no sound device: the game is silent");
        return false;
    }
    sound.ready = true;
    return true;
}

void stopSounds()
{
    PlaySoundA(nullptr, nullptr, 0);
    if (sound.musicStarted) {
        mci(std::string("stop ") + musicAlias);
        sound.musicStarted = false;
    }
}

bool playWave(const std::string& name)
{
    const std::string path = gameFilePath(name.c_str());
    if (!fileThere(path)) {
        reportProblem(name.c_str(), std::strerror(ENOENT));
        return false;
    }
    if (!PlaySoundA(path.c_str(), nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT)) {
        reportProblem(name.c_str(), "not a wave file this system can play");
        return false;
    }
    return true;
}

bool playMusic(const std::string& name)
{
    const std::string path = gameFilePath(name.c_str());
    if (!fileThere(path)) {
        reportProblem(name.c_str(), std::strerror(ENOENT));
        return false;
    }
    if (sound.musicOpen != path) {
        if (!sound.musicOpen.empty())
            mci(std::string("close ") + musicAlias);
        sound.musicOpen.clear();
        const std::string open =
            "open \"" + path + "\" type sequencer alias " + std::string(musicAlias);
        if (!mci(open)) {
            reportProblem(name.c_str(), mciFailure(open).c_str());
            return false;
        }
        sound.musicOpen = path;
    }
    const std::string play = std::string("play ") + musicAlias + " from 0";
    if (!mci(play)) {
        reportProblem(name.c_str(), mciFailure(play).c_str());
        return false;
    }
    sound.musicStarted = true;
    return true;
}

bool musicPlaying()
{
    std::string mode;
    return sound.musicStarted && mci(std::string("status ") + musicAlias + " mode", &mode) &&
           mode == "playing";
}
