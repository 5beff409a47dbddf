// Where the files the game names "Data/..." really are. Played from a
// folder whose Data folder holds the game's pictures (`make run`'s run/, an
// unpacked copy), every name is used as it is. Otherwise the game is an
// installed one: the pictures, sounds and music come from the installed
// data folder, and each player keeps their own files (the settings, the
// scores and the best runs' replays) in the folders the XDG base directory
// rules give them.
#pragma once

#include <string>

struct GameFolders {
    // False until chosen, and in a copy played from its own folder: every
    // name is used as the game gives it.
    bool installed = false;
    std::string sharedData;    // the installed pictures, sounds and music
    std::string defaults;      // the two files as a new player gets them
    std::string settingsFile;  // $XDG_CONFIG_HOME/trigonix/settings .tgx
    std::string scoresFile;    // $XDG_DATA_HOME/trigonix/data .tgx
    std::string logFile;       // $XDG_DATA_HOME/trigonix/trigonix.log
    // Where the old start-up script kept both files, moved from there.
    std::string oldFolder;  // $XDG_DATA_HOME/trigonix/Data
};

extern GameFolders gameFolders;

// The folder the install put the game's shared files in (its Data and
// defaults folders), found from the program's own folder as the install
// lays them out, so a tree installed under another prefix still works.
std::string installedFolder();

// Chooses, from the working folder and the environment, between the two
// ways above. `installed` is the folder installedFolder() gives.
void chooseGameFolders(const std::string& installed);

// For an installed game: makes the player's folders, moves the files the
// old start-up script kept into them, and gives a new player the defaults.
// Never replaces a file that is there; a file that cannot be moved is used
// where it is for this run. Problems go to the problem log.
void preparePlayerFiles();

// The path to open for a file as the game names it ("Data/moon.bmp").
// The replays ("Data/replays/...") are kept beside the scores file.
std::string gameFilePath(const char* name);

// The folder that holds the file the game names `name`, as gameFilePath
// places it, made when it is missing (the last folder only: its parent is
// the game's own or the player's). 0, or the reason as an errno value.
int makeGameFileFolder(const char* name);

// Whether the working folder's Data folder holds any of the game's
// pictures: then it is the game's own, and every name is used as it is.
bool workingFolderHoldsTheGame();
