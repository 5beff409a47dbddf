// The best result of each race type with its initials, and the 26-character
// file that keeps them with the full-screen flag, "Data/data .tgx".
#pragma once

struct Initials {
    unsigned char characters[3] = {};

    char get(int n) const;       // character n, 1 to 3
    void set(int n, char c);
};

struct HighScoreEntry {
    int best = 0;                // SHORT, MEDIUM, LONG: lowest time; JOURNEY: longest
    Initials initials;
};

struct HighScoreTable {
    HighScoreEntry rows[4];      // SHORT, MEDIUM, LONG, JOURNEY
};

extern HighScoreTable highScores;

extern const char* const highScoreFileName;

// The row of a race type (1 to 4); null for any other value.
HighScoreEntry* highScoreFor(int raceType);

// Missing file: "Error opening file" on stderr; the bounds still apply.
void loadHighScores();
// Saves as the settings do: never destroys the old file.
void saveHighScores();

// The file's 26 characters for the table and full-screen flag in memory.
void formatHighScores(char out[26]);
