// The message queue both systems share: the window messages the game reads
// with PeekMessageA, and the rules that keep its input whole whatever the
// system delivers. A key or button let go before any frame saw it down is
// held back until one has; a key's release is seen by a frame before the
// next key goes down; a key the game holds goes up even when Alt is held by
// then or its window is gone; a quit signal arrives as WM_CLOSE.
// Platform-private: game code never includes this header.
#pragma once

#include "platform/win32.h"

#include <array>

// Into the queue, as the system's side hears of it. A null window is the
// thread's own (WM_QUIT).
void queueMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A key of the game's code going down or up in `window` (null: the system
// gave it to none of ours). Alt held, Alt itself and F10 make system keys,
// which the game does not take, except the release of a key whose press
// went out as WM_KEYDOWN.
void queueKey(HWND window, int code, bool down, bool altHeld);
// Where the pointer last was: a message carries it.
void noteMouse(POINT where);
// A window of the game gaining the focus: keys the game holds down that
// `held` says are up (let go while the game was not listening, or while its
// window was being rebuilt) go up in it.
void releaseKeysLetGo(HWND window, const std::array<bool, 256>& held);
// A window going: its messages go, but releases stay, for the next window.
void forgetMessagesFor(HWND window);
// The game's loop has drawn a frame, which saw every key and button down
// that it was given: their releases, held back until now, may go out.
void frameEnded();
// What a modal loop does: every waiting message but WM_QUIT goes to its
// window procedure; WM_QUIT stays queued for the main loop.
void dispatchWaitingMessages();
// Whether a message could be taken now.
bool anyMessage();
// A quit signal that has come goes to the game window as WM_CLOSE, once.
void deliverQuitSignal();
// Whether the quit signal has been handed to a window yet.
bool quitSignalDelivered();

// What each system's side gives the queue.
// Brings what the system has waiting into the queue, without waiting.
void pumpSystemEvents();
// Whether `window` is one of the game's, alive.
bool isGameWindow(HWND window);
// The window keys go to: the one with the focus or, with none (the player
// switched away, or a window was just rebuilt), the game's newest; null
// while the game has no window.
HWND keyboardWindow();
// The game window a quit signal closes; null while there is none.
HWND windowToClose();
// The window procedure of a window, called at once.
LRESULT sendWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The time a message is stamped with, in milliseconds.
DWORD messageTime();
// Whether the session has asked the game to end (platform/quit_signals.h).
bool quitSignalArrived();
