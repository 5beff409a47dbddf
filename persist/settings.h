// The player's settings and their 22-character file, "Data/settings .tgx".
#pragma once

struct GameSettings {
    float gameSpeed = 1.0f;  // per-frame movement factor; 1.0 at 60 frames a second
    bool showSky = false;
    int resolutionIndex = 0;  // 1: 320 x 240, 2: 640 x 480, 3: 1024 x 768
    int raceType = 0;         // a RaceType: SHORT 1, MEDIUM 2, LONG 3, JOURNEY 4
    int accelerateKey = 0;    // virtual-key codes; 0 matches no key
    int decelerateKey = 0;
    int leftKey = 0;
    int rightKey = 0;
    int bombKey = 0;
    bool rotateShip = false;  // true: the ship banks; false: the world does
    bool soundOn = false;
    bool fullscreen = true;  // kept in the high-score file
    int windowWidth = 0;     // derived from resolutionIndex
    int windowHeight = 0;
};

extern GameSettings settings;

extern const char* const settingsFileName;

// Missing or unreadable file: "Error opening file" on stderr and the values
// stay. Then, file or not, a race key that matches no key takes its arrow
// key or the space bar, and a resolution outside 1 to 3 becomes 2.
void loadSettings();
// Writes a new file beside the old one and renames it over; a failed
// write reports "Error opening file" and leaves the old file as it was.
void saveSettings();

// The window size of resolutionIndex; any other index leaves it unchanged.
void deriveWindowSize();

// A race type above 4 becomes SHORT and one below 1 JOURNEY; true when it
// was repaired.
bool wrapRaceType();

// The file's 22 characters for the settings in memory (no terminator).
void formatSettings(char out[22]);
