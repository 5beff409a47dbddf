// The names the game gives its files, on both systems: chosen folders are
// filled in by each system's game_files.cpp, and every file the game opens
// by its "Data/..." name goes through gameFilePath.
#include "platform/game_files.h"

#include <cstring>
#include <filesystem>

GameFolders gameFolders;

namespace {

constexpr const char* dataPrefix = "Data/";
// The best runs' replays are the player's too: they go where the scores go.
constexpr const char* replaysFolder = "replays/";

// Any one of them makes ./Data the game's own folder: a copy missing a
// picture is still that copy, and a folder that merely happens to be
// called Data holds none of them.
const char* const gamePictures[] = {"3dship4lr.bmp", "3dship42lr.bmp", "moon.bmp", "sky.bmp",
                                    "alienlr.bmp"};

// The folder a path lies in; Windows' paths may use either slash.
std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

}  // namespace

bool workingFolderHoldsTheGame()
{
    std::error_code ignored;
    for (const char* picture : gamePictures) {
        if (std::filesystem::is_regular_file(std::string(dataPrefix) + picture, ignored))
            return true;
    }
    return false;
}

std::string gameFilePath(const char* name)
{
    const std::size_t prefixLength = std::strlen(dataPrefix);
    if (!gameFolders.installed || std::strncmp(name, dataPrefix, prefixLength) != 0)
        return name;
    const char* inData = name + prefixLength;
    if (std::strcmp(inData, "settings .tgx") == 0)
        return gameFolders.settingsFile;
    if (std::strcmp(inData, "data .tgx") == 0)
        return gameFolders.scoresFile;
    if (std::strcmp(inData, "trigonix.log") == 0)
        return gameFolders.logFile;
    if (std::strncmp(inData, replaysFolder, std::strlen(replaysFolder)) == 0)
        return folderOf(gameFolders.scoresFile) + "/" + inData;
    return gameFolders.sharedData + "/" + inData;
}
