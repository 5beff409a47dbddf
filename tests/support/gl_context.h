// A bare OpenGL context in a hidden window, for tests of drawing code that
// do not need the game window around it.
#pragma once

struct TestGlContext {
    void* window = nullptr;
    void* context = nullptr;
    int width = 0;
    int height = 0;
};

// Opens a double-buffered RGBA context with a 16-bit depth buffer and makes
// it current; fails the test when no display is available.
TestGlContext openTestGlContext(int width, int height);
void closeTestGlContext(TestGlContext& context);
