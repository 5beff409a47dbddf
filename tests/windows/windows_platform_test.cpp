// The Windows side of the platform under Wine: the system's messages in the
// game's queue with the same rules as on Linux (quick taps, keys by letter
// and by place, no key stuck under Alt, a close that only asks, the
// session's end), the data files saved by the same rules, the player's
// files beside a portable copy, and the game's face drawn by GDI.
#include "platform/file_read.h"
#include "platform/file_replace.h"
#include "platform/font_faces.h"
#include "platform/game_files.h"
#include "platform/test_hooks.h"
#include "platform/win32.h"
#include "platform/windows/session.h"
#include "tests/windows/system_calls.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Received = std::vector<std::pair<UINT, WPARAM>>;
Received received;

LRESULT CALLBACK recordingProcedure(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
        message == WM_SYSKEYUP || message == WM_CLOSE)
        received.emplace_back(message, wParam);
    return 0;
}

// Everything the game's loop would take now, through its window procedure.
Received drain()
{
    received.clear();
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
    return received;
}

// A frame drawn: what a frame had to see first may now go.
void endFrame() { SwapBuffers(nullptr); }

struct WindowsWindow : ::testing::Test {
    void SetUp() override
    {
        testHooks::setFramePacing(false);
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = recordingProcedure;
        windowClass.lpszClassName = "OpenGL";
        ASSERT_NE(RegisterClassA(&windowClass), 0);
        window = CreateWindowExA(WS_EX_APPWINDOW, "OpenGL", "Trigonix", WS_OVERLAPPEDWINDOW, 0, 0,
                                 320, 240, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        drain();
    }
    void TearDown() override
    {
        if (window != nullptr)
            DestroyWindow(window);
        UnregisterClassA("OpenGL", nullptr);
    }
    void post(UINT message, WPARAM wParam, LPARAM lParam)
    {
        postSystemMessage(window, message, wParam, lParam);
    }
    HWND window = nullptr;
};

}  // namespace

TEST_F(WindowsWindow, AQuickTapIsSeenDownByAFrameBeforeItGoesUp)
{
    post(WM_KEYDOWN, VK_RETURN, keyParameter(0x1C, true));
    post(WM_KEYUP, VK_RETURN, keyParameter(0x1C, false));
    EXPECT_EQ(drain(), (Received{{WM_KEYDOWN, VK_RETURN}}));
    EXPECT_EQ(drain(), Received{}) << "the release waits for a frame";
    endFrame();
    EXPECT_EQ(drain(), (Received{{WM_KEYUP, VK_RETURN}}));
}

TEST_F(WindowsWindow, LettersAreNamedByTheLayoutAndEveryOtherKeyByItsPlace)
{
    struct Case {
        WPARAM layoutCode;
        unsigned scanCode;
        WPARAM gameCode;
    } cases[] = {
        {'A', 0x10, 'A'},  // AZERTY's A, where US has Q
        {'Q', 0x1E, 'Q'},
        {VK_OEM_PERIOD, 0x33, VK_OEM_COMMA},  // a layout's period on the US comma
        {VK_OEM_7, 0x29, VK_OEM_3},           // left of 1
        {'1', 0x02, '1'},
        {VK_HOME, 0x47, VK_NUMPAD0 + 7},  // the keypad's 7 with Num Lock off
        {VK_HOME, 0xE047, VK_HOME},
        {VK_RETURN, 0xE01C, VK_RETURN},  // the keypad's Enter
        {VK_DIVIDE, 0xE035, VK_DIVIDE},
    };
    for (const Case& key : cases) {
        post(WM_KEYDOWN, key.layoutCode, keyParameter(key.scanCode, true));
        EXPECT_EQ(drain(), (Received{{WM_KEYDOWN, key.gameCode}})) << "scan code " << key.scanCode;
        post(WM_KEYUP, key.layoutCode, keyParameter(key.scanCode, false));
        endFrame();
        drain();
        endFrame();  // a frame sees the release before the next key goes down
    }
}

TEST_F(WindowsWindow, AKeyLetGoWhileAltIsHeldStillGoesUpAndAltAloneIsNoKey)
{
    post(WM_KEYDOWN, VK_LEFT, keyParameter(0xE04B, true));
    post(WM_SYSKEYDOWN, VK_MENU, keyParameter(0x38, true, true));
    post(WM_SYSKEYUP, VK_LEFT, keyParameter(0xE04B, false, true));
    EXPECT_EQ(drain(), (Received{{WM_KEYDOWN, VK_LEFT}, {WM_SYSKEYDOWN, VK_MENU}}));
    endFrame();
    EXPECT_EQ(drain(), (Received{{WM_KEYUP, VK_LEFT}}));
}

TEST_F(WindowsWindow, ACloseOnlyAsksAndTheWindowStays)
{
    post(WM_CLOSE, 0, 0);
    EXPECT_EQ(drain(), (Received{{WM_CLOSE, 0}}));
    EXPECT_TRUE(isSystemWindow(window));
}

TEST_F(WindowsWindow, TheSessionEndingClosesTheGameWindowOnce)
{
    noteSessionEnding();
    EXPECT_EQ(drain(), (Received{{WM_CLOSE, 0}}));
    EXPECT_EQ(drain(), Received{});
}

namespace {

struct WindowsFiles : ::testing::Test {
    void SetUp() override
    {
        before = fs::current_path();
        folder = fs::temp_directory_path() /
                 ("trigonix-test-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder / "Data");
        fs::current_path(folder);
        // A picture makes it the game's own folder: names are used as they are.
        put(folder / "Data" / "moon.bmp", "BM");
        chooseGameFolders((folder / "program").string());
        EXPECT_FALSE(gameFolders.installed);
    }
    void TearDown() override
    {
        fs::current_path(before);
        std::error_code ignored;
        fs::permissions(folder / "Data" / "settings .tgx", fs::perms::owner_write,
                        fs::perm_options::add, ignored);
        fs::remove_all(folder, ignored);
    }
    static std::string contents(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void put(const fs::path& path, const std::string& bytes)
    {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    fs::path before;
    fs::path folder;
};

}  // namespace

TEST_F(WindowsFiles, TheDataFilesAreSavedAndReadByTheRulesOfLinux)
{
    const char* name = "Data/settings .tgx";
    const fs::path file = folder / "Data" / "settings .tgx";
    struct Case {
        const char* what;
        void (*prepare)(const fs::path&);
        int saved;
        int read;
    } cases[] = {
        {"missing", [](const fs::path&) {}, 0, 0},
        {"a plain file", [](const fs::path& f) { put(f, "old"); }, 0, 0},
        {"read-only",
         [](const fs::path& f) {
             put(f, "old");
             ASSERT_TRUE(markReadOnly(f.string()));
         },
         EACCES, 0},
        {"a folder", [](const fs::path& f) { fs::create_directory(f); }, EISDIR, EISDIR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::error_code ignored;
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, ignored);
        fs::remove_all(file);
        c.prepare(file);
        const std::string before = fs::is_regular_file(file) ? contents(file) : "";
        EXPECT_EQ(replaceFileBytes(name, "1012103804003703903201", 22), c.saved);
        if (c.saved == 0) {
            EXPECT_EQ(contents(file), "1012103804003703903201");
        } else if (fs::is_regular_file(file)) {
            EXPECT_EQ(contents(file), before) << "a refused save leaves the file";
        }
        unsigned char bytes[64];
        std::size_t count = 0;
        EXPECT_EQ(readFileBytes(name, bytes, sizeof bytes, count), c.read);
        for (const auto& entry : fs::directory_iterator(folder / "Data"))
            EXPECT_NE(entry.path().extension(), ".tmp") << "left behind: " << entry.path();
    }
}

TEST_F(WindowsFiles, APortableCopyKeepsThePlayersFilesInTheDataFolderBesideTheProgram)
{
    fs::create_directories(folder / "program" / "Data");
    fs::current_path(folder / "program");  // a working folder with no pictures in its Data
    chooseGameFolders((folder / "program").string());
    ASSERT_TRUE(gameFolders.installed);
    EXPECT_EQ(fs::path(gameFilePath("Data/settings .tgx")),
              folder / "program" / "Data" / "settings .tgx");
    EXPECT_EQ(fs::path(gameFilePath("Data/data .tgx")), folder / "program" / "Data" / "data .tgx");
    EXPECT_EQ(fs::path(gameFilePath("Data/moon.bmp")), folder / "program" / "Data" / "moon.bmp");
}

TEST(WindowsFont, TheGamesFaceGivesGlyphBitmapsAndAdvances)
{
    FontFace* face = openFontFace("Comic Sans MS:bold", 18);
    ASSERT_NE(face, nullptr);
    EXPECT_GT(fontAscent(face), 8);
    EXPECT_GE(fontLineHeight(face), fontAscent(face));
    GlyphBitmap glyph;
    ASSERT_TRUE(hasGlyph(face, U'W'));
    ASSERT_TRUE(glyphBitmap(face, U'W', glyph));
    EXPECT_GT(glyph.rows, 8);
    EXPECT_GT(glyph.width, 8);
    EXPECT_GT(glyph.advance, 8 * 64);
    int covered = 0;
    for (int i = 0; i < glyph.rows * glyph.pitch; ++i)
        covered += glyph.coverage[i] >= 128;
    EXPECT_GT(covered, 20);
    ASSERT_TRUE(glyphBitmap(face, U' ', glyph));
    EXPECT_EQ(glyph.rows, 0);
    EXPECT_GT(glyph.advance, 0);
    EXPECT_EQ(glyphAdvance(face, U'W'), glyphBitmap(face, U'W', glyph) ? glyph.advance : -1);
    closeFontFace(face);
}
