// Frame cost: the title screen and three races, each timed frame by frame
// (drawScene, SwapBuffers, glFinish) in the real game window, next to the
// floor, the least any frame of that window can cost.
#pragma once

#include <string>

// Opens the game window at width x height, measures everything, closes it
// again, and returns the results as a JSON object.
std::string measureFrameCosts(int width, int height, int framesEach);

// GL_RENDERER and GL_VERSION of the context, as a JSON object; only while
// a window is open.
std::string rendererJson();
