// Window class, window, device context, pixel format, OpenGL rendering
// context and buffer swap, as the Win32 and WGL calls of the same names.
#pragma once

#include "platform/win32.h"

HINSTANCE GetModuleHandleA(LPCSTR moduleName);
HICON LoadIconA(HINSTANCE instance, LPCSTR iconName);
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR cursorName);

WORD RegisterClassA(const WNDCLASSA* windowClass);
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);

// Our windows are decorated by the window manager outside the client area,
// so the rectangle a window is created with is its client area.
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL hasMenu, DWORD exStyle);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID creationData);
BOOL DestroyWindow(HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL SetForegroundWindow(HWND window);
HWND SetFocus(HWND window);
HWND GetFocus();
BOOL GetClientRect(HWND window, RECT* rect);

HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC deviceContext);
int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR* descriptor);
BOOL SetPixelFormat(HDC deviceContext, int format, const PIXELFORMATDESCRIPTOR* descriptor);

HGLRC wglCreateContext(HDC deviceContext);
BOOL wglMakeCurrent(HDC deviceContext, HGLRC renderingContext);
// The handle ends here, but the OpenGL context behind it is kept for the
// next wglCreateContext, with its state as new: the textures and display
// lists made in it are the caller's to delete while it is still current.
BOOL wglDeleteContext(HGLRC renderingContext);
HGLRC wglGetCurrentContext();

// Shows the frame and paces the loop to at most 60 frames a second: vsync
// where the driver offers it, and a precise wait for the rest otherwise.
// It ends the frame for the message queue too: releases held back until a
// frame had seen their keys down go out after it.
BOOL SwapBuffers(HDC deviceContext);

// Null when a display can be opened; otherwise one line saying why not,
// for the program to print before it gives up.
const char* platformDisplayError();
