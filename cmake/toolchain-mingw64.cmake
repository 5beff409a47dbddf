# Cross-building the Windows program on Debian with mingw-w64. The posix
# thread model, whose C++ library has std::mutex (Google Test wants it); its
# winpthread is linked into the program, which so needs no DLL of it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRIGONIX_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${TRIGONIX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRIGONIX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TRIGONIX_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TRIGONIX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Wine runs what was built: the tests (tests/windows/) go through it.
find_program(TRIGONIX_WINE wine)
