// A bare OpenGL context in a hidden SDL window, for drawing tests that need
// no game window.
#include "tests/support/gl_context.h"

#include <SDL.h>
#include <gtest/gtest.h>

TestGlContext openTestGlContext(int width, int height)
{
    TestGlContext result;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        ADD_FAILURE() << "no display for the GL context: " << SDL_GetError();
        return result;
    }
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_Window* window =
        SDL_CreateWindow("test", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (window == nullptr) {
        ADD_FAILURE() << "no window for the GL context: " << SDL_GetError();
        return result;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        ADD_FAILURE() << "no GL context: " << SDL_GetError();
        SDL_DestroyWindow(window);
        return result;
    }
    SDL_GL_MakeCurrent(window, context);
    result.window = window;
    result.context = context;
    result.width = width;
    result.height = height;
    return result;
}

void closeTestGlContext(TestGlContext& context)
{
    if (context.context != nullptr) {
        SDL_GL_MakeCurrent(static_cast<SDL_Window*>(context.window), nullptr);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context.context));
    }
    if (context.window != nullptr)
        SDL_DestroyWindow(static_cast<SDL_Window*>(context.window));
    context = TestGlContext{};
}
