// Files opened for reading and mapped whole, read-only: how the BMP decoder
// reads a picture in place.
#pragma once

#include "platform/win32.h"

// Opens an existing file for reading (GENERIC_READ, OPEN_EXISTING; nothing
// else is served). Never waits: a pipe with no writer opens at once, to be
// told apart by GetFileType. A folder is refused, as Win32 refuses it.
// INVALID_HANDLE_VALUE on failure.
HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode, LPVOID security, DWORD creation,
                   DWORD flags, HANDLE templateFile);

// FILE_TYPE_DISK for a plain file, FILE_TYPE_CHAR for a device, FILE_TYPE_PIPE
// for a pipe or socket, otherwise FILE_TYPE_UNKNOWN (GetLastError tells a
// failure from a kind of file the platform does not name).
DWORD GetFileType(HANDLE file);

// The low 32 bits of the size, the high ones into `sizeHigh`.
// INVALID_FILE_SIZE with GetLastError not NO_ERROR on failure.
DWORD GetFileSize(HANDLE file, DWORD* sizeHigh);

// A read-only mapping of the whole of a plain, non-empty file (PAGE_READONLY,
// sizes 0); null on failure. It keeps the file after the file's handle is
// closed.
HANDLE CreateFileMappingA(HANDLE file, LPVOID security, DWORD protect, DWORD maximumSizeHigh,
                          DWORD maximumSizeLow, LPCSTR name);

// The whole mapping in memory (FILE_MAP_READ, offset and size 0); null on
// failure. The view keeps the file after the mapping's handle is closed.
LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes);
BOOL UnmapViewOfFile(LPCVOID view);

BOOL CloseHandle(HANDLE object);

// Why the last failed file call failed, as an errno value: strerror names it.
DWORD GetLastError();
