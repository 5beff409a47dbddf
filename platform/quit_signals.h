// The session asking the game to end: SIGTERM (logout, shutdown), SIGINT
// (Ctrl+C) and SIGHUP (its terminal closed) close the game window the way
// the window manager's close does, so the game saves its files and tears
// down as after any close.
#pragma once

// Called once, first thing. From then on these signals only set a flag,
// which the message queue turns into WM_CLOSE for the game window. A signal
// that was ignored when the game started (nohup) stays ignored.
void catchQuitSignals();
