// The game's tests' common ground: a fresh working folder and its files,
// the real game window, input sent as window messages, frames drawn as the
// loop draws them and pixels read back.
#include "tests/support/game_fixture.h"

#include "app/frame.h"
#include "app/game_window.h"
#include "app/win_main.h"
#include "app/window_proc.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/settings.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

static fs::path folderBeforeTest;
static fs::path tempFolder;

std::string enterTempGameFolder(bool withPictures)
{
    folderBeforeTest = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "trigonix-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "cannot make a temporary folder";
        return "";
    }
    tempFolder = pattern;
    fs::create_directory(tempFolder / "Data");
    if (withPictures) {
        for (const auto& entry : fs::directory_iterator(TRIGONIX_DATA_DIR)) {
            std::string name = entry.path().filename().string();
            if (name == "settings .tgx" || name == "data .tgx" || name[0] == '.')
                continue;
            fs::create_symlink(entry.path(), tempFolder / "Data" / name);
        }
    }
    fs::current_path(tempFolder);
    return tempFolder.string();
}

void leaveTempGameFolder()
{
    if (tempFolder.empty())
        return;
    fs::current_path(folderBeforeTest);
    std::error_code ignored;
    fs::remove_all(tempFolder, ignored);
    tempFolder.clear();
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::set<std::string> namesBesidesLog(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename() != "trigonix.log")
            names.insert(entry.path().filename().string());
    }
    return names;
}

bool fileExists(const std::string& path) { return fs::exists(path); }

void writeFile(const std::string& path, const std::string& bytes)
{
    // Rewriting a file in place makes the disk flush; a new one does not.
    std::error_code ignored;
    if (!fs::is_directory(fs::symlink_status(path, ignored)))
        fs::remove(path, ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    EXPECT_FALSE(out.fail()) << "cannot write " << path;
}

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    writeFile(path, std::string(bytes.begin(), bytes.end()));
}

static void send(UINT message, WPARAM wParam, LPARAM lParam)
{
    windowProc(gameWindow.window, message, wParam, lParam);
}

static LPARAM mouseAt()
{
    return MAKELPARAM(static_cast<WORD>(input.mouseX), static_cast<WORD>(input.mouseY));
}

void pressKey(int code) { send(WM_KEYDOWN, static_cast<WPARAM>(code), 0); }
void releaseKey(int code) { send(WM_KEYUP, static_cast<WPARAM>(code), 0); }
void tapKey(int code)
{
    pressKey(code);
    releaseKey(code);
}
void moveMouse(int x, int y)
{
    send(WM_MOUSEMOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}
void pressLeftButton() { send(WM_LBUTTONDOWN, 0, mouseAt()); }
void releaseLeftButton() { send(WM_LBUTTONUP, 0, mouseAt()); }
void pressRightButton() { send(WM_RBUTTONDOWN, 0, mouseAt()); }
void releaseRightButton() { send(WM_RBUTTONUP, 0, mouseAt()); }

void holdKeyForAFrame(int code)
{
    pressKey(code);
    runFrames(1);
    releaseKey(code);
}

void chooseMenuRow(int row)
{
    menu.currentItem = row;
    menu.repeatDelay = 0;
    holdKeyForAFrame(VK_RETURN);
}

void useArrowKeysAndSpaceBar()
{
    settings.accelerateKey = VK_UP;
    settings.decelerateKey = VK_DOWN;
    settings.leftKey = VK_LEFT;
    settings.rightKey = VK_RIGHT;
    settings.bombKey = VK_SPACE;
}

void runFrames(int count)
{
    for (int i = 0; i < count; ++i)
        drawScene();
}

Rgb pixelAt(int x, int y)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    unsigned char rgba[4] = {};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, viewport[3] - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return Rgb{rgba[0], rgba[1], rgba[2]};
}

bool isColour(Rgb pixel, int r, int g, int b, int tolerance)
{
    return std::abs(pixel.r - r) <= tolerance && std::abs(pixel.g - g) <= tolerance &&
           std::abs(pixel.b - b) <= tolerance;
}

int countColour(int x, int y, int width, int height, int r, int g, int b, int tolerance)
{
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, viewport[3] - y - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.data());
    int count = 0;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        if (isColour(Rgb{rgba[i], rgba[i + 1], rgba[i + 2]}, r, g, b, tolerance))
            ++count;
    }
    return count;
}

DisplaySize displaySize()
{
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_DisplayMode mode{};
    EXPECT_EQ(SDL_GetDesktopDisplayMode(0, &mode), 0) << SDL_GetError();
    return DisplaySize{mode.w, mode.h};
}

void GameTest::SetUp()
{
    testHooks::reset();
    testHooks::setFramePacing(false);
    testHooks::answerMessageBoxes(
        [](const MessageBoxRecord& box) { return (box.style & MB_YESNO) ? IDYES : IDOK; });
    enterTempGameFolder(true);
}

void GameTest::TearDown()
{
    if (windowOpen && gameWindow.renderingContext != nullptr)
        closeGameWindow();
    leaveTempGameFolder();
    testHooks::reset();
}

void GameTest::openWindow(int width, int height, bool fullscreen)
{
    ASSERT_TRUE(createGameWindow("Trigonix", width, height, 16, fullscreen));
    windowOpen = true;
}

std::vector<std::string> GameTest::boxTexts() const
{
    std::vector<std::string> texts;
    for (const auto& box : testHooks::messageBoxes())
        texts.push_back(box.text);
    return texts;
}
