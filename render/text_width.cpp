// Measuring text by printing it unseen.
#include "render/text_width.h"

#include "render/font.h"

#include <GL/gl.h>

float measureText(const char* text)
{
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    GLfloat start[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, start);
    printText("%s", text);
    GLfloat end[4] = {};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, end);
    glPopAttrib();
    return end[0] - start[0];
}
