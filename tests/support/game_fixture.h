// What the game's tests share: a fresh working folder with a Data folder,
// the real game window and context, input delivered through the window
// procedure exactly as messages deliver it, frames, and pixels read back.
#pragma once

#include "platform/test_hooks.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

// --- Files -----------------------------------------------------------------

// Enters a new empty temporary folder holding an empty Data folder; with
// `withPictures` the generated pictures, sounds and music are linked into
// it (never the two data files). Its path; "" (and a failed test) when none
// could be made.
std::string enterTempGameFolder(bool withPictures = true);
// Leaves it, deleting it.
void leaveTempGameFolder();

std::string readFile(const std::string& path);  // "" when missing
// Every name in a folder but the problem log the game keeps there, so a
// temporary file left behind shows.
std::set<std::string> namesBesidesLog(const std::string& folder);
bool fileExists(const std::string& path);
// Always a new file, never written through the old one or a link to a
// shared picture; a file that cannot be written fails the test.
void writeFile(const std::string& path, const std::string& bytes);
void writeFile(const std::string& path, const std::vector<unsigned char>& bytes);

// --- Input, as the window procedure receives it --------------------------

void pressKey(int code);
void releaseKey(int code);
void tapKey(int code);         // down then up, no frame between
void moveMouse(int x, int y);  // client pixels from the top-left
void pressLeftButton();
void releaseLeftButton();
void pressRightButton();
void releaseRightButton();

// The key down for one frame, up after it.
void holdKeyForAFrame(int code);
// Enter on menu row `row` with the repeat delay run out, down for one frame.
void chooseMenuRow(int row);
// The race keys on the arrows and the space bar.
void useArrowKeysAndSpaceBar();

// --- Frames and pixels ----------------------------------------------------

void runFrames(int count);

struct Rgb {
    int r, g, b;
};
// A pixel of the frame just drawn (the back buffer), in client pixels from
// the top-left, as a player would point at it.
Rgb pixelAt(int x, int y);
bool isColour(Rgb pixel, int r, int g, int b, int tolerance = 3);
// How many pixels of the rectangle have exactly that colour (within tolerance).
int countColour(int x, int y, int width, int height, int r, int g, int b, int tolerance = 3);

// The size of the test display: the one full-screen mode it offers.
struct DisplaySize {
    int width, height;
};
DisplaySize displaySize();

// --- The game window -------------------------------------------------------

// Every test of the running game: a temporary folder with pictures, the
// platform's boxes answered by the test (OK, or Yes to a question), no frame
// pacing, and the game window of the given client size.
struct GameTest : ::testing::Test {
    void SetUp() override;
    void TearDown() override;

    // Opens the window as start-up does (title "Trigonix", 16 colour bits).
    void openWindow(int width = 640, int height = 480, bool fullscreen = false);

    // Texts of the message boxes shown since the test began.
    std::vector<std::string> boxTexts() const;

    bool windowOpen = false;
};
