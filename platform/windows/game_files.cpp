// Where the game's files are on Windows. Played from a folder whose Data
// folder holds the game's pictures, every name is used as it is, as on
// Linux. Otherwise the pictures, sounds and music are in the Data folder
// beside the program, and so are the player's two files and the log when
// that folder may be written (a copy unpacked where the player likes: it
// goes where the folder goes); when it may not (installed under Program
// Files), they are each player's own in %APPDATA%\Trigonix, begun from the
// ones beside the program.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "platform/game_files.h"

#include "platform/problem_log.h"
#include "platform/windows/system.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* settingsName = "settings .tgx";
constexpr const char* scoresName = "data .tgx";
constexpr const char* logName = "trigonix.log";

bool isPlainFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Whether a new file can be made in `folder`: one is, and goes again.
bool folderTakesFiles(const std::string& folder)
{
    const std::string probe =
        folder + "\\.trigonix-" + std::to_string(GetCurrentProcessId()) + ".probe";
    const HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

std::string installedFolder()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return ".";
    return folderOf(path);
}

void chooseGameFolders(const std::string& installed)
{
    gameFolders = GameFolders{};
    if (workingFolderHoldsTheGame())
        return;
    gameFolders.installed = true;
    gameFolders.sharedData = installed + "\\Data";
    gameFolders.defaults = gameFolders.sharedData;
    std::string playerFolder = gameFolders.sharedData;
    if (!folderTakesFiles(playerFolder)) {
        const char* appData = std::getenv("APPDATA");
        // With nowhere of the player's own the two files stay under their
        // own names, in the working folder.
        playerFolder = appData != nullptr && appData[0] != '\0'
                           ? std::string(appData) + "\\Trigonix"
                           : std::string("Data");
    }
    gameFolders.settingsFile = playerFolder + "\\" + settingsName;
    gameFolders.scoresFile = playerFolder + "\\" + scoresName;
    gameFolders.logFile = playerFolder + "\\" + logName;
}

void preparePlayerFiles()
{
    if (!gameFolders.installed || folderOf(gameFolders.settingsFile) == gameFolders.sharedData)
        return;
    const std::string folder = folderOf(gameFolders.settingsFile);
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        reportProblem(folder.c_str(), std::strerror(sys::errnoFromError(GetLastError())));
        return;
    }
    // A new player gets the defaults; a file that is there is never replaced.
    for (const char* name : {settingsName, scoresName}) {
        const std::string target = folder + "\\" + name;
        const std::string source = gameFolders.defaults + "\\" + name;
        if (isPlainFile(source) && !CopyFileA(source.c_str(), target.c_str(), TRUE) &&
            GetLastError() != ERROR_FILE_EXISTS)
            reportProblem(target.c_str(), std::strerror(sys::errnoFromError(GetLastError())));
    }
}

int makeGameFileFolder(const char* name)
{
    const std::string folder = folderOf(gameFilePath(name));
    if (CreateDirectoryA(folder.c_str(), nullptr))
        return 0;
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS)
        return sys::errnoFromError(error);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 0 : ENOTDIR;
}
