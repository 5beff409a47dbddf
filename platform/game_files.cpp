// The game's files on Linux: the working folder's Data, or the install
// and the player's XDG folders, chosen once at start-up.
#include "platform/game_files.h"

#include "platform/problem_log.h"

#include <SDL.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#ifndef TRIGONIX_SHARE_FROM_PROGRAM
#define TRIGONIX_SHARE_FROM_PROGRAM "../share/trigonix"
#endif
#ifndef TRIGONIX_INSTALLED_SHARE
#define TRIGONIX_INSTALLED_SHARE "/usr/local/share/trigonix"
#endif

namespace {

constexpr const char* dataPrefix = "Data/";
constexpr const char* settingsName = "settings .tgx";
constexpr const char* scoresName = "data .tgx";
constexpr const char* logName = "trigonix.log";

// The player files are a few dozen bytes; anything much larger is not one.
constexpr std::size_t largestPlayerFile = 64 * 1024;

bool isThere(const std::string& path)
{
    struct stat status {};
    return lstat(path.c_str(), &status) == 0;
}

std::string homeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0')
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return std::string();
}

// The XDG rule: the variable when it holds an absolute path, otherwise
// the fallback under the home folder. "" when there is neither.
std::string baseFolder(const char* variable, const std::string& home, const char* underHome)
{
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/')
        return value;
    return home.empty() ? std::string() : home + underHome;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Every missing folder on the way, private to the player as the XDG rules
// ask.
bool makeFolders(const std::string& folder)
{
    std::size_t at = 0;
    while (at != std::string::npos) {
        at = folder.find('/', at + 1);
        const std::string part = folder.substr(0, at);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            reportProblem(part.c_str(), std::strerror(errno));
            return false;
        }
    }
    return true;
}

// A plain file's bytes and permission bits; a link counts by its target.
bool readPlayerFile(const std::string& path, std::string& bytes, mode_t& mode)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    bool fine = fstat(fd, &status) == 0;
    if (fine && !S_ISREG(status.st_mode)) {
        fine = false;
        errno = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    }
    bytes.clear();
    char buffer[4096];
    while (fine) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            fine = got == 0;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > largestPlayerFile) {
            fine = false;
            errno = EFBIG;
        }
    }
    const int error = errno;
    close(fd);
    errno = error;
    mode = status.st_mode & 07777;
    return fine;
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

enum class Placed { yes, alreadyThere, failed };

// Puts the bytes at `target` only if nothing is there: written and flushed
// beside it first, then linked in, since a link, unlike a rename, never
// replaces a file. errno says why on failure.
Placed placeNewFile(const std::string& target, const std::string& bytes, mode_t mode)
{
    const std::string temporary = target + "." + std::to_string(getpid()) + ".new";
    const int fd =
        open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, mode);
    if (fd < 0)
        return Placed::failed;
    bool written = fchmod(fd, mode) == 0 && writeAll(fd, bytes) && fsync(fd) == 0;
    int error = errno;
    if (close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    Placed placed = Placed::failed;
    if (written && link(temporary.c_str(), target.c_str()) == 0) {
        placed = Placed::yes;
    } else if (written && errno == EEXIST) {
        placed = Placed::alreadyThere;
    } else if (written && !isThere(target)) {
        // A file system without hard links: the rename is all there is.
        placed = rename(temporary.c_str(), target.c_str()) == 0 ? Placed::yes : Placed::failed;
        error = errno;
    } else if (written) {
        error = errno;
    }
    unlink(temporary.c_str());
    if (placed == Placed::yes) {
        if (const int folder = open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            folder >= 0) {
            fsync(folder);
            close(folder);
        }
    }
    errno = error;
    return placed;
}

// The old script's file goes to its new place, unless the player already
// has one there: then both stay. The old one is removed only once its copy
// is safely in place; if it cannot be moved, this run uses it where it is.
void moveOldFile(const std::string& old, std::string& target)
{
    if (isThere(target) || !isThere(old))
        return;
    std::string bytes;
    mode_t mode = 0;
    if (!readPlayerFile(old, bytes, mode)) {
        reportProblem(old.c_str(), std::strerror(errno));
        return;
    }
    switch (placeNewFile(target, bytes, mode)) {
    case Placed::yes: unlink(old.c_str()); break;
    case Placed::alreadyThere: break;
    case Placed::failed:
        reportProblem(target.c_str(), std::strerror(errno));
        target = old;
        break;
    }
}

void copyDefault(const std::string& name, const std::string& target)
{
    if (isThere(target))
        return;
    std::string bytes;
    mode_t mode = 0;
    // Without its defaults the game starts from its own, as it does when
    // a file is missing.
    if (!readPlayerFile(gameFolders.defaults + "/" + name, bytes, mode))
        return;
    // A new file's usual bits: what the player's umask leaves of 0666.
    const mode_t mask = umask(0);
    umask(mask);
    if (placeNewFile(target, bytes, 0666 & ~mask) == Placed::failed)
        reportProblem(target.c_str(), std::strerror(errno));
}

// What the old script left besides the two files: links into the install
// and the last log. Anything else is the player's and keeps the folder.
void clearOldFolder()
{
    namespace fs = std::filesystem;
    std::error_code error;
    std::vector<fs::path> madeByTheScript;
    for (const auto& entry : fs::directory_iterator(gameFolders.oldFolder, error)) {
        const fs::path& path = entry.path();
        if (entry.is_symlink(error)) {
            // By the folder itself, not its name: the script named it by
            // the prefix, which may be a link to where the game now finds
            // it. A link whose file an upgrade took away counts too.
            const fs::path target = fs::path(gameFolders.oldFolder) / fs::read_symlink(path, error);
            if (!error && fs::equivalent(target.parent_path(), gameFolders.sharedData, error))
                madeByTheScript.push_back(path);
        } else if (path.filename() == logName && entry.is_regular_file(error)) {
            madeByTheScript.push_back(path);
        }
    }
    for (const fs::path& path : madeByTheScript)
        fs::remove(path, error);
    rmdir(gameFolders.oldFolder.c_str());
}

}  // namespace

std::string installedFolder()
{
    namespace fs = std::filesystem;
    char* programFolder = SDL_GetBasePath();
    if (programFolder == nullptr)
        return TRIGONIX_INSTALLED_SHARE;
    const fs::path folder = fs::path(programFolder) / TRIGONIX_SHARE_FROM_PROGRAM;
    SDL_free(programFolder);
    return folder.lexically_normal().string();
}

void chooseGameFolders(const std::string& installed)
{
    gameFolders = GameFolders{};
    if (workingFolderHoldsTheGame())
        return;
    gameFolders.installed = true;
    gameFolders.sharedData = installed + "/Data";
    gameFolders.defaults = installed + "/defaults";
    const std::string home = homeFolder();
    const std::string dataHome = baseFolder("XDG_DATA_HOME", home, "/.local/share");
    const std::string configHome = baseFolder("XDG_CONFIG_HOME", home, "/.config");
    // With no home at all the two files stay under their own names, in the
    // working folder, as in a copy played from there.
    auto inFolder = [](const std::string& base, const char* name) {
        return base.empty() ? std::string(dataPrefix) + name : base + "/trigonix/" + name;
    };
    gameFolders.settingsFile = inFolder(configHome, settingsName);
    gameFolders.scoresFile = inFolder(dataHome, scoresName);
    gameFolders.logFile = inFolder(dataHome, logName);
    if (!dataHome.empty())
        gameFolders.oldFolder = dataHome + "/trigonix/Data";
}

void preparePlayerFiles()
{
    if (!gameFolders.installed)
        return;
    struct PlayerFile {
        const char* name;
        std::string* path;
    };
    const PlayerFile files[] = {{settingsName, &gameFolders.settingsFile},
                                {scoresName, &gameFolders.scoresFile}};
    for (const PlayerFile& file : files) {
        if (file.path->rfind(dataPrefix, 0) == 0)
            continue;
        const std::string old =
            gameFolders.oldFolder.empty() ? std::string() : gameFolders.oldFolder + "/" + file.name;
        if (!makeFolders(folderOf(*file.path))) {
            if (!old.empty() && isThere(old))
                *file.path = old;
            continue;
        }
        if (!old.empty())
            moveOldFile(old, *file.path);
        copyDefault(file.name, *file.path);
    }
    if (!gameFolders.oldFolder.empty() && isThere(gameFolders.oldFolder))
        clearOldFolder();
}

int makeGameFileFolder(const char* name)
{
    const std::string folder = folderOf(gameFilePath(name));
    if (mkdir(folder.c_str(), 0777) == 0)
        return 0;
    const int error = errno;
    struct stat status {};
    if (error == EEXIST && stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        return 0;
    return error == EEXIST ? ENOTDIR : error;
}
