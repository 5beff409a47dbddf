// What the platform's own tests share: the window class "OpenGL" with a
// procedure that records every message it is given, hidden windows of that
// class, the game's message loop run over whatever is waiting, and the pixel
// format the game asks for.
#pragma once

#include "platform/win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

struct ReceivedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct RecordingProcedure {
    std::vector<ReceivedMessage> received;  // in the order given
    // Hands each message on to DefWindowProcA once recorded, as the game's
    // own procedure does; otherwise the procedure answers 0.
    bool passOn = false;
    // Called with each message once recorded: a test acting while, say, a
    // message box is up.
    std::function<void(const ReceivedMessage&)> reaction;
};
extern RecordingProcedure recording;

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The class "OpenGL" of this module with the recording procedure.
WNDCLASSA recordingClass(UINT style = CS_OWNDC);
// Registers it with a fresh record: the atom, 0 when refused.
WORD registerRecordingClass(UINT style = CS_OWNDC);
// Unregisters it and forgets the record.
void unregisterRecordingClass();

constexpr DWORD windowedStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

// A window of the class at the top-left, styled as the game's windowed one
// and kept hidden: the window manager's own events stay out of the way.
HWND openRecordingWindow(const char* title = "Trigonix", DWORD style = windowedStyle,
                         int width = 320, int height = 240);

// One pass of the game's loop: every message it may have now goes to its
// window procedure. What came out, in order.
std::vector<MSG> dispatchWaiting();
// The frame the loop draws once the queue is empty.
void endFrame();
// Runs the game's loop, pass and frame, until nothing is left waiting:
// what came out, in order.
std::vector<MSG> drainMessages();
// Throws away everything waiting, unseen.
void discardMessages();

// The pixel format the game asks for: double-buffered RGBA with 16 colour
// and 16 depth bits.
PIXELFORMATDESCRIPTOR gameDescriptor();

// A platform test with one hidden window of the class, opened with the
// queue drained and the record empty; gone again, with its class and the
// queue, at the end.
struct RecordingWindowTest : ::testing::Test {
    void SetUp() override;
    void TearDown() override;

    HWND window = nullptr;
};
