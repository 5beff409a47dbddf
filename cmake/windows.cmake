# The Windows program, cross-built with mingw-w64 (cmake/toolchain-mingw64.cmake;
# `make windows`): the same game folders on the platform's shared files and
# its Windows side in platform/windows/, which speaks to Win32, WGL, WinMM
# and XInput. The SDL side is not built here; its files are named in
# PLATFORM_SDL_SOURCES in CMakeLists.txt.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

file(GLOB PLATFORM_WINDOWS_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/windows/*.cpp)
add_library(trigonix_platform STATIC ${PLATFORM_SHARED_SOURCES} ${PLATFORM_WINDOWS_SOURCES})
target_include_directories(trigonix_platform PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(trigonix_platform PUBLIC opengl32 glu32 gdi32 user32 winmm)

add_library(trigonix_test_hooks OBJECT EXCLUDE_FROM_ALL ${TEST_HOOK_SOURCES})
target_link_libraries(trigonix_test_hooks PUBLIC trigonix_platform)
add_library(trigonix_no_test_hooks OBJECT ${NO_TEST_HOOK_SOURCES})
target_link_libraries(trigonix_no_test_hooks PUBLIC trigonix_platform)

# mingw-w64's GL/gl.h and GL/glu.h take <windows.h> in unless the calling
# conventions are named: named (empty, as x86-64 has one convention), the
# game folders never see it, and compile unchanged on both systems.
add_library(trigonix_game STATIC ${GAME_SOURCES})
target_include_directories(trigonix_game PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(trigonix_game PUBLIC WINGDIAPI= APIENTRY= CALLBACK=)
target_link_libraries(trigonix_game PUBLIC trigonix_platform)
set_source_files_properties(${CMAKE_SOURCE_DIR}/app/command_line.cpp PROPERTIES
    COMPILE_DEFINITIONS TRIGONIX_VERSION="${PROJECT_VERSION}")

# Only Windows' own DLLs: the compiler's runtime and winpthread go into the
# program (-static), and it is a windowed program, with no console of its own.
add_executable(trigonix WIN32 app/main.cpp)
target_link_libraries(trigonix PRIVATE trigonix_game trigonix_no_test_hooks)
target_link_options(trigonix PRIVATE -static)

add_subdirectory(tools)

# The zip a player unpacks anywhere: the program, its Data folder and a
# short README.
set(TRIGONIX_ZIP ${CMAKE_BINARY_DIR}/trigonix-${PROJECT_VERSION}-windows.zip)
set(TRIGONIX_ZIP_ROOT ${CMAKE_BINARY_DIR}/zip/Trigonix)
add_custom_command(
    OUTPUT ${TRIGONIX_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/zip
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TRIGONIX_ZIP_ROOT}/Data
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:trigonix> ${TRIGONIX_ZIP_ROOT}/
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/windows/README.txt ${TRIGONIX_ZIP_ROOT}/
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/LICENSE ${TRIGONIX_ZIP_ROOT}/LICENSE.txt
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/fill_data_folder.py
            ${CMAKE_BINARY_DIR}/Data ${TRIGONIX_ZIP_ROOT}/Data
    COMMAND ${CMAKE_COMMAND} -E rm -f ${TRIGONIX_ZIP}
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/zip
            ${CMAKE_COMMAND} -E tar cf ${TRIGONIX_ZIP} --format=zip Trigonix
    DEPENDS trigonix data ${CMAKE_SOURCE_DIR}/packaging/windows/README.txt ${CMAKE_SOURCE_DIR}/LICENSE
    COMMENT "Packing ${TRIGONIX_ZIP}")
add_custom_target(windows_zip ALL DEPENDS ${TRIGONIX_ZIP})

if(TRIGONIX_TESTS)
    enable_testing()
    add_subdirectory(tests/windows)
endif()
