// The best result of each race type with its initials, and the 26-character
// file that keeps them with the full-screen flag, "Data/data .tgx".
#pragma once

struct Initials {
    unsigned char characters[3] = {};

    char get(int n) const;  // character n, 1 to 3
    void set(int n, char c);
};

struct HighScoreEntry {
    int best = 0;  // SHORT, MEDIUM, LONG: lowest time; JOURNEY: longest
    Initials initials;
};

struct HighScoreTable {
    HighScoreEntry rows[4];  // SHORT, MEDIUM, LONG, JOURNEY
};

extern HighScoreTable highScores;

extern const char* const highScoreFileName;

// Missing or unreadable file: "Error opening file" on stderr. Every field
// the file does not hold whole takes the value of the table's reset; then
// the bounds apply.
void loadHighScores();
// Saves as the settings do: never destroys the old file. An initial that
// would be stored as the byte 0xFF, which reads as the end, is stored as "_".
void saveHighScores();

// The table as a fresh game has it: bests anyone beats, no initials. The
// full-screen flag stays.
void resetHighScoreTable();

// The file's 26 characters for the table and full-screen flag in memory.
void formatHighScores(char out[26]);
