// One OpenGL context kept for the next window. Mesa's software renderer
// does not give back all a context took (about half a megabyte once the
// context has done a selection pass, as the menus' picking does), so
// destroying a context with every window and making a new one grew the game
// by that much at each full-screen toggle. The context handed out again
// starts as a new one would: the state it was created with, no open list,
// identity matrices; the objects in it are deleted by whoever made them.
#include "platform/platform_state.h"

#include <GL/gl.h>

namespace {

SDL_GLContext spare = nullptr;

void popMatricesToIdentity(GLenum mode, GLenum depthQuery)
{
    glMatrixMode(mode);
    GLint depth = 1;
    glGetIntegerv(depthQuery, &depth);
    for (; depth > 1; --depth)
        glPopMatrix();
    glLoadIdentity();
}

// Run with the context current on its new window.
void restoreFreshState(SDL_Window* window)
{
    GLint value = GL_RENDER;
    glGetIntegerv(GL_RENDER_MODE, &value);
    if (value != GL_RENDER)
        glRenderMode(GL_RENDER);
    value = 0;
    glGetIntegerv(GL_LIST_INDEX, &value);
    if (value != 0)
        glEndList();

    popMatricesToIdentity(GL_TEXTURE, GL_TEXTURE_STACK_DEPTH);
    popMatricesToIdentity(GL_PROJECTION, GL_PROJECTION_STACK_DEPTH);
    popMatricesToIdentity(GL_MODELVIEW, GL_MODELVIEW_STACK_DEPTH);

    // The bottom of each attribute stack holds the state of creation.
    value = 0;
    glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &value);
    for (; value > 0; --value)
        glPopAttrib();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    value = 0;
    glGetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &value);
    for (; value > 0; --value)
        glPopClientAttrib();
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);

    // A new context's viewport and scissor box are its first window's size.
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    glViewport(0, 0, width, height);
    glScissor(0, 0, width, height);
    while (glGetError() != GL_NO_ERROR) {
    }
}

}  // namespace

void rememberFreshState()
{
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
}

SDL_GLContext takeSpareContext(SDL_Window* window)
{
    SDL_GLContext context = spare;
    spare = nullptr;
    if (context == nullptr)
        return nullptr;
    // A window of another visual cannot take it: then a new one is made.
    if (SDL_GL_MakeCurrent(window, context) != 0) {
        SDL_GL_MakeCurrent(nullptr, nullptr);
        SDL_GL_DeleteContext(context);
        return nullptr;
    }
    restoreFreshState(window);
    return context;
}

void keepOrDeleteContext(SDL_GLContext context)
{
    if (spare == nullptr) {
        spare = context;
        return;
    }
    SDL_GL_DeleteContext(context);
}
