// The Win32 calls the Windows side of the platform makes, behind plain
// types. The files that serve the game's Win32 words include the game's own
// platform/win32.h, whose types would clash with <windows.h>; they reach the
// system through these, which the system_*.cpp files serve with
// <windows.h>.
#pragma once

#include <cstdint>

namespace sys {

using Handle = void*;

// The running module, and the folder the program itself lies in.
Handle moduleHandle();

// The window class every game window of one name shares; its procedure is
// the one in system_window.cpp, which hands each message to windowMessage.
bool registerClass(const char* name, unsigned style);
bool unregisterClass(const char* name);
Handle createWindow(unsigned long exStyle, const char* className, const char* title,
                    unsigned long style, int x, int y, int width, int height);
bool destroyWindow(Handle window);
bool showWindow(Handle window, int command);
bool setForegroundWindow(Handle window);
Handle setFocus(Handle window);
Handle getFocus();
bool clientSize(Handle window, int& width, int& height);
bool adjustWindowRect(long& left, long& top, long& right, long& bottom, unsigned long style,
                      bool hasMenu, unsigned long exStyle);

Handle getDC(Handle window);
bool releaseDC(Handle window, Handle deviceContext);
// `descriptor` is the game's 40-byte PIXELFORMATDESCRIPTOR, laid out as Win32's.
int choosePixelFormat(Handle deviceContext, const void* descriptor);
bool setPixelFormat(Handle deviceContext, int format, const void* descriptor);
Handle createContext(Handle deviceContext);
bool makeCurrent(Handle deviceContext, Handle context);
bool deleteContext(Handle context);
Handle currentContext();
bool swapBuffers(Handle deviceContext);
// Vsync for the current context, where the driver offers it.
void setSwapInterval(int interval);

// Every message the system has waiting goes to its window's procedure.
void pumpMessages();
// Sleeps until a message arrives or `milliseconds` pass.
void waitForMessage(unsigned milliseconds);
unsigned long tickCount();
// The keyboard as it is now: whether the key of Win32 code `virtualKey` is
// down, and where it sits (its scan code, 0xE0 before it when extended).
bool keyIsDown(int virtualKey);
unsigned scanCodeOf(int virtualKey);

// Full screen: a mode of width x height at `bits` colour bits, or the
// desktop's own again with no mode. Win32's result.
long changeDisplay(bool restore, unsigned long fields, unsigned long width, unsigned long height,
                   unsigned long bits, unsigned long flags);
int showCursor(bool show);
int messageBox(Handle owner, const char* text, const char* caption, unsigned style);

// A steady clock, and a wait until a moment of it.
std::int64_t monotonicNanoseconds();
void sleepUntil(std::int64_t deadline);

// Files opened for reading and mapped read-only, as the pictures are read.
// Each failure leaves its reason for lastError.
Handle openForReading(const char* path);
unsigned long fileType(Handle file);  // FILE_TYPE_*; 0 with lastError on failure
bool fileSize(Handle file, std::uint64_t& size);
Handle mapReadOnly(Handle file);
const void* mapView(Handle mapping);
bool unmapView(const void* view);
bool closeHandle(Handle object);
// Why the last failed call failed, as an errno value.
int lastError();
// A Win32 error code as the errno value strerror names best.
int errnoFromError(unsigned long error);

}  // namespace sys

// Defined by the game side (windows/messages.cpp): each message of a game
// window. True when it was answered, with the answer in `result`; false
// leaves it to the system's default procedure.
bool windowMessage(void* window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                   std::intptr_t& result);
