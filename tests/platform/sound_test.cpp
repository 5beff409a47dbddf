// Sound playback by file name: every request recorded, one sound at a time,
// a file decoded once however often it is asked for, and silence (named
// once) for a file that is missing, damaged or no sound, or for no device;
// the music's soundfont as the player or the system names it.
#include "platform/sound_font.h"
#include "platform/test_hooks.h"
#include "platform/win32.h"
#include "tests/support/file_bytes.h"
#include "tests/support/game_fixture.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// A mono 16-bit tone of the given length.
void writeWave(const std::string& path, int milliseconds)
{
    const std::uint32_t rate = 22050;
    const std::uint32_t samples = rate * static_cast<std::uint32_t>(milliseconds) / 1000;
    Bytes bytes;
    bytes.insert(bytes.end(), {'R', 'I', 'F', 'F'});
    put32(bytes, 36 + samples * 2);
    bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(bytes, 16);
    put16(bytes, 1);  // PCM
    put16(bytes, 1);  // mono
    put32(bytes, rate);
    put32(bytes, rate * 2);
    put16(bytes, 2);
    put16(bytes, 16);
    bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
    put32(bytes, samples * 2);
    for (std::uint32_t i = 0; i < samples; ++i)
        put16(bytes, (i / 25) % 2 == 0 ? 6000u : static_cast<std::uint16_t>(-6000));
    writeFile(path, bytes);
}

// One long note on the piano; with `silent`, no note at all, which ends as
// soon as the player lets it.
void writeMidi(const std::string& path, bool silent = false)
{
    Bytes track = {0x00, 0x90, 60,   100,     // note on
                   0x83, 0x60, 0x80, 60,  0,  // 480 ticks later, off
                   0x00, 0xFF, 0x2F, 0x00};   // end of track
    if (silent)
        track = {0x00, 0xFF, 0x2F, 0x00};
    Bytes bytes = {'M', 'T', 'h', 'd'};
    putBig32(bytes, 6);
    putBig16(bytes, 0);
    putBig16(bytes, 1);
    putBig16(bytes, 96);
    bytes.insert(bytes.end(), {'M', 'T', 'r', 'k'});
    putBig32(bytes, static_cast<std::uint32_t>(track.size()));
    bytes.insert(bytes.end(), track.begin(), track.end());
    writeFile(path, bytes);
}

class Sound : public ::testing::Test {
  protected:
    void SetUp() override
    {
        testHooks::reset();
        folder = enterTempGameFolder(false);
        ASSERT_FALSE(folder.empty());
    }

    void TearDown() override
    {
        leaveTempGameFolder();
        testHooks::reset();
    }

    std::string wave(const char* name, int milliseconds)
    {
        const std::string path = folder + "/" + name;
        writeWave(path, milliseconds);
        return path;
    }

    std::string midi(const char* name, bool silent = false)
    {
        const std::string path = folder + "/" + name;
        writeMidi(path, silent);
        return path;
    }

    std::string folder;
};

}  // namespace

TEST_F(Sound, EveryNameAskedForIsRecordedInOrder)
{
    PlaySoundA("Data/title.wav", nullptr, SND_ASYNC);
    PlaySoundA("Data/Bleep.wav", nullptr, SND_ASYNC);
    sndPlaySoundA("Data/Waltz.mid", SND_ASYNC);
    PlaySoundA("Data/Bleep.wav", nullptr, SND_ASYNC);
    const std::vector<std::string> expected = {"Data/title.wav", "Data/Bleep.wav", "Data/Waltz.mid",
                                               "Data/Bleep.wav"};
    EXPECT_EQ(testHooks::soundsRequested(), expected);
    testHooks::reset();
    EXPECT_TRUE(testHooks::soundsRequested().empty());
}

TEST_F(Sound, AWaveOfOurOwnPlaysOnTheDummyDriver)
{
    const std::string tone = wave("tone.wav", 2000);
    EXPECT_TRUE(PlaySoundA(tone.c_str(), nullptr, SND_ASYNC));
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(Sound, ANewSoundReplacesTheOnePlaying)
{
    const std::string longTone = wave("long.wav", 2000);
    const std::string shortTone = wave("short.wav", 500);
    ASSERT_TRUE(PlaySoundA(longTone.c_str(), nullptr, SND_ASYNC));
    ASSERT_EQ(Mix_Playing(-1), 1);
    const Mix_Chunk* first = Mix_GetChunk(0);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(PlaySoundA(shortTone.c_str(), nullptr, SND_ASYNC));
    EXPECT_EQ(Mix_Playing(-1), 1);  // one voice
    const Mix_Chunk* second = Mix_GetChunk(0);
    ASSERT_NE(second, nullptr);
    EXPECT_LT(second->alen * 3, first->alen);  // the short one now
}

TEST_F(Sound, ASoundRestartedEveryFrameIsDecodedOnce)
{
    const std::string tone = wave("boom.wav", 1000);
    ASSERT_TRUE(PlaySoundA(tone.c_str(), nullptr, SND_ASYNC));
    const Mix_Chunk* first = Mix_GetChunk(0);
    // The file goes away: the sound still plays, from what was decoded.
    std::remove(tone.c_str());
    for (int frame = 0; frame < 5; ++frame) {
        EXPECT_TRUE(PlaySoundA(tone.c_str(), nullptr, SND_ASYNC));
        EXPECT_EQ(Mix_GetChunk(0), first);
    }
    EXPECT_EQ(Mix_Playing(-1), 1);
}

// Silence for the player; one line naming the file for the bug report,
// however often the game asks for it.
TEST_F(Sound, AMissingOrDamagedFileIsSilentAndNamedOnce)
{
    writeFile(folder + "/garbage.mid", "not music either");
    struct Case {
        std::string path;
        std::string reason;  // how the line goes on after the path
        bool taken;          // the MIDI player takes anything, and plays silence
    };
    const Case cases[] = {
        {folder + "/missing.wav", ": No such file or directory\n", false},
        {folder + "/missing.mid", ": No such file or directory\n", false},
        {folder + "/garbage.mid", ": not a MIDI file", true},
    };
    const std::string tone = wave("tone.wav", 2000);
    for (const Case& sound : cases) {
        SCOPED_TRACE(sound.path);
        ASSERT_TRUE(PlaySoundA(tone.c_str(), nullptr, SND_ASYNC));
        ::testing::internal::CaptureStderr();
        ::testing::internal::CaptureStdout();
        const BOOL played = PlaySoundA(sound.path.c_str(), nullptr, SND_ASYNC);
        const BOOL playedAgain = PlaySoundA(sound.path.c_str(), nullptr, SND_ASYNC);
        const std::string said =
            ::testing::internal::GetCapturedStdout() + ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(played != FALSE, sound.taken);
        EXPECT_EQ(playedAgain != FALSE, sound.taken);
        const std::string start = "trigonix: " + sound.path + sound.reason;
        EXPECT_EQ(said.substr(0, start.size()), start);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        EXPECT_EQ(Mix_Playing(-1), 0);  // the new call still stopped the old sound
    }
    EXPECT_EQ(testHooks::soundsRequested().size(), 9u);
    EXPECT_EQ(testHooks::soundsRequested()[1], folder + "/missing.wav");
}

TEST_F(Sound, AFileThatIsNotASoundIsSilent)
{
    const std::string path = folder + "/garbage.wav";
    writeFile(path, "not a sound");
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(PlaySoundA(path.c_str(), nullptr, SND_ASYNC));
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(said.rfind("trigonix: " + path + ": ", 0), 0u) << said;
}

namespace {

// Counts every stop of the music, its own end included (that one comes
// from the mixer's thread).
std::atomic<int> musicStops{0};

void countMusicStop() { ++musicStops; }

}  // namespace

// The game asks for the music in every frame its key is held: asked for
// again while it plays, it plays on; after it has ended, or after anything
// else was asked for, it starts from the beginning. A wave still cuts it.
TEST_F(Sound, TheMusicAskedForAgainPlaysOnAndStartsAfreshAfterAnythingElse)
{
    const std::string waltz = midi("waltz.mid");
    const std::string other = midi("other.mid");
    const std::string shortSong = midi("short.mid", true);
    const std::string tone = wave("bleep.wav", 2000);
    musicStops = 0;
    Mix_HookMusicFinished(countMusicStop);

    enum class Then { starts, playsOn, waveOnly };
    struct Step {
        const std::string* file;
        Then then;
    };
    const Step steps[] = {
        {&tone, Then::waveOnly},    {&waltz, Then::starts},      {&waltz, Then::playsOn},
        {&waltz, Then::playsOn},    {&tone, Then::waveOnly},     {&waltz, Then::starts},
        {&other, Then::starts},     {&waltz, Then::starts},      {&waltz, Then::playsOn},
        {&shortSong, Then::starts}, {&shortSong, Then::playsOn},
    };
    int step = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(step++);
        const bool wasPlaying = Mix_PlayingMusic() != 0;
        const int stopsBefore = musicStops;
        const BOOL played = s.then == Then::waveOnly
                                ? PlaySoundA(s.file->c_str(), nullptr, SND_ASYNC)
                                : sndPlaySoundA(s.file->c_str(), SND_ASYNC);
        EXPECT_TRUE(played);
        switch (s.then) {
        case Then::starts:
            EXPECT_EQ(Mix_PlayingMusic(), 1);
            EXPECT_TRUE(!wasPlaying || musicStops == stopsBefore + 1) << "from the beginning";
            EXPECT_EQ(Mix_Playing(-1), 0) << "the wave was cut off";
            break;
        case Then::playsOn:
            EXPECT_EQ(Mix_PlayingMusic(), 1);
            EXPECT_EQ(musicStops, stopsBefore) << "not stopped and started again";
            break;
        case Then::waveOnly:
            EXPECT_EQ(Mix_PlayingMusic(), 0);
            EXPECT_EQ(Mix_Playing(-1), 1);
            break;
        }
    }

    // Let the short song end by itself: asked for again, it starts afresh.
    for (int wait = 0; wait < 2000 && Mix_PlayingMusic(); ++wait)
        SDL_Delay(10);
    ASSERT_EQ(Mix_PlayingMusic(), 0) << "the song did not end";
    const int stopsAtEnd = musicStops;
    EXPECT_TRUE(sndPlaySoundA(shortSong.c_str(), SND_ASYNC));
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    EXPECT_EQ(musicStops, stopsAtEnd);
    Mix_HookMusicFinished(nullptr);
}

namespace {

bool silentWithoutADevice()
{
    testHooks::reset();
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    bool sound = !PlaySoundA("Data/title.wav", nullptr, SND_ASYNC);
    sound = sound && !sndPlaySoundA("Data/Waltz.mid", SND_ASYNC);
    const std::vector<std::string> expected = {"Data/title.wav", "Data/Waltz.mid"};
    sound = sound && testHooks::soundsRequested() == expected;
    return sound && SDL_WasInit(SDL_INIT_AUDIO) == 0;
}

}  // namespace

TEST(SoundWithoutDevice, NoAudioDeviceMeansSilenceAndTheNamesAreStillRecorded)
{
    // In a fresh process: the device is tried once, on the first sound.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // Said once, on the error stream, for the bug report.
    EXPECT_EXIT(std::exit(silentWithoutADevice() ? 0 : 1), ::testing::ExitedWithCode(0),
                "^trigonix: audio output: [^\n]+\n$");
}

// The player's SDL_SOUNDFONTS is what the mixer gets, whatever files the
// usual places hold; without it, the first of them that is a file.
TEST_F(Sound, TheSoundFontIsThePlayersOwnOrTheFirstThatExists)
{
    namespace fs = std::filesystem;
    writeFile(folder + "/b.sf2", "soundfont b");
    writeFile(folder + "/c.sf2", "soundfont c");
    fs::create_directory(folder + "/folder.sf2");
    fs::create_symlink(folder + "/c.sf2", folder + "/link.sf2");
    fs::create_symlink(folder + "/gone.sf2", folder + "/dangling.sf2");
    const std::string a = folder + "/a.sf2";  // never made
    const std::string b = folder + "/b.sf2";
    const std::string c = folder + "/c.sf2";
    const std::string link = folder + "/link.sf2";
    const std::string dir = folder + "/folder.sf2";
    const std::string dangling = folder + "/dangling.sf2";
    struct Case {
        const char* environment;
        std::vector<std::string> places;
        std::string chosen;
    };
    const Case cases[] = {
        {"/mine/piano.sf2", {b, c}, "/mine/piano.sf2"},
        {"/mine/a.sf2;/mine/b.sf2", {b}, "/mine/a.sf2;/mine/b.sf2"},
        {nullptr, {a, b, c}, b},
        {"", {a, c, b}, c},
        {nullptr, {"", dir, dangling, link, b}, link},
        {nullptr, {a, dir, dangling}, ""},
        {nullptr, {}, ""},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.environment == nullptr ? "unset" : row.environment);
        EXPECT_EQ(chooseSoundFont(row.environment, row.places), row.chosen);
    }

    // Debian's mixer prefers a default of its own to the variable: the game
    // hands the player's choice on itself.
    setenv("SDL_SOUNDFONTS", c.c_str(), 1);
    ASSERT_TRUE(PlaySoundA(wave("tone.wav", 100).c_str(), nullptr, SND_ASYNC));
    unsetenv("SDL_SOUNDFONTS");
    ASSERT_NE(Mix_GetSoundFonts(), nullptr);
    EXPECT_EQ(std::string(Mix_GetSoundFonts()), c);
}
