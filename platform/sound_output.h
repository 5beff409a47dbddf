// What the sound rules (sound.cpp) ask of the system's sound output: each
// system plays a wave file and the MIDI music its own way.
// Platform-private: game code never includes this header.
#pragma once

#include <string>

// Opens the output on first need, once; false when there is none.
bool soundOutputReady();
// Silences the voice and the music.
void stopSounds();
// Starts the file the game names ("Data/Bleep.wav") playing; false when it
// cannot (the problem log says why).
bool playWave(const std::string& name);
bool playMusic(const std::string& name);
bool musicPlaying();
