# Cross-building the Windows program on Debian with mingw-w64: the win32
# thread model, so the program needs no winpthread DLL, and Wine to run what
# was built (the Windows tests go through it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRIGONIX_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TRIGONIX_MINGW}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TRIGONIX_MINGW}-g++-win32)
set(CMAKE_RC_COMPILER ${TRIGONIX_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TRIGONIX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(TRIGONIX_WINE wine)
if(TRIGONIX_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TRIGONIX_WINE})
endif()
