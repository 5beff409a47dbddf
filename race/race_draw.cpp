// The race's picture.
//
// The calls and their order are the picture: shapes at one depth overlap by
// the order they are drawn in (the depth test passes equal depths).
#include "race/race_draw.h"

#include "race/obstacles.h"
#include "render/font.h"
#include "render/text_width.h"
#include "render/textures.h"

#include <GL/gl.h>

namespace {

void setColour(RaceColour colour) { glColor3f(colour.red, colour.green, colour.blue); }

void drawTexts(const RaceTexts& texts)
{
    for (int n = 0; n < texts.count; ++n) {
        const RaceText& line = texts.lines[n];
        if (line.setsColour)
            setColour(line.colour);
        glRasterPos2f(line.x, line.y);
        if (line.text[0] != '\0')
            printText("%s", line.text);
    }
}

// At the ship's depth this covers the whole view: the reddish flash of a
// start or a bomb.
void drawFlashQuad()
{
    glColor3f(0.7f, 0.3f, 0.3f);
    glBegin(GL_QUADS);
    glVertex3f(-10.25f, 20.5f, -2.0f);
    glVertex3f(10.25f, 20.5f, -2.0f);
    glVertex3f(10.5f, -10.0f, -2.0f);
    glVertex3f(-10.5f, -10.0f, -2.0f);
    glEnd();
}

void drawShape(const ShapeLook& look)
{
    const float across = look.across;
    const float z = look.depth;
    switch (look.shape) {
    case ObstacleShape::HEXAGON:
        glBegin(GL_POLYGON);
        glVertex3f(across + 0.6f, 1.5f, z);
        glVertex3f(across - 0.6f, 1.5f, z);
        glVertex3f(across - 1.08f, 0.6f, z);
        glVertex3f(across - 0.6f, -0.3f, z);
        glVertex3f(across + 0.6f, -0.3f, z);
        glVertex3f(across + 1.08f, 0.6f, z);
        glEnd();
        break;
    case ObstacleShape::SQUARE:
        glBegin(GL_QUADS);
        glTexCoord2f(1.0f, 0.0f);
        glVertex3f(across - 1.0f, -1.0f, z);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(across + 1.0f, -1.0f, z);
        glTexCoord2f(0.0f, 1.0f);
        glVertex3f(across + 1.0f, 2.0f, z);
        glTexCoord2f(1.0f, 1.0f);
        glVertex3f(across - 1.0f, 2.0f, z);
        glEnd();
        break;
    case ObstacleShape::TRIANGLE:
        // Smooth shading blends the base into the lighter tip.
        glBegin(GL_TRIANGLES);
        glVertex3f(across - 1.0f, -1.0f, z);
        glVertex3f(across + 1.0f, -1.0f, z);
        setColour(look.apex);
        glVertex3f(across, 3.0f, z);
        glEnd();
        break;
    default: break;
    }
}

void drawExplosion(const ShapeLook& look)
{
    setColour(look.explosionColour);
    glBegin(GL_QUADS);
    for (const float* corner : look.corners)
        glVertex3f(corner[0], corner[1], corner[2]);
    glEnd();
}

void drawField(const FieldLook& field)
{
    for (int n = 0; n < field.count; ++n) {
        const ShapeLook& look = field.shapes[n];
        if (look.flash)
            drawFlashQuad();
        setColour(look.colour);
        drawShape(look);
        if (look.explosion)
            drawExplosion(look);
    }
}

// The fill is drawn second at the same depth, over the target.
void drawProgressBar(const RaceFrame& frame)
{
    glBindTexture(GL_TEXTURE_2D, noTexture);
    glBegin(GL_QUADS);
    glColor3f(0.7f, 0.0f, 0.0f);
    glVertex3f(5.75f, frame.barTarget + 0.4f, 0.0f);
    glVertex3f(6.75f, frame.barTarget + 0.4f, 0.0f);
    glVertex3f(6.75f, 0.4f, 0.0f);
    glVertex3f(5.75f, 0.4f, 0.0f);
    setColour(frame.barFill);
    glVertex3f(5.75f, frame.barLevel + 0.4f, 0.0f);
    glVertex3f(6.75f, frame.barLevel + 0.4f, 0.0f);
    glVertex3f(6.75f, 0.4f, 0.0f);
    glVertex3f(5.75f, 0.4f, 0.0f);
    glEnd();
}

// In the ship frame; leaves the world frame current.
void drawShipAndTurnWorld(const RaceFrame& frame)
{
    if (frame.shipBanks)
        glRotatef(frame.bank, 0.0f, 0.0f, 20.0f);
    glBindTexture(GL_TEXTURE_2D, frame.shipLookB ? shipTextureB : shipTextureA);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(1.0f, 1.5f, -2.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(-1.0f, 1.5f, -2.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(-1.0f, 0.0f, -2.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(1.0f, 0.0f, -2.0f);
    glEnd();
    glBindTexture(GL_TEXTURE_2D, noTexture);
    // SHIP mode: undoes the bank, the world stays level. WORLD mode: the
    // ship stayed level and the world turns the other way.
    glRotatef(-frame.bank, 0.0f, 0.0f, 20.0f);
}

// The colour tints the picture through the modulating texture environment.
void drawSky(const RaceFrame& frame)
{
    glBindTexture(GL_TEXTURE_2D, frame.skyPicture ? skyTexture : noTexture);
    setColour(frame.sky);
    glBegin(GL_QUADS);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(-50.25f, 50.5f, -50.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(50.25f, 50.5f, -50.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(50.5f, -0.2f, -50.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(-50.5f, -0.2f, -50.0f);
    glEnd();
}

void drawGround()
{
    glBindTexture(GL_TEXTURE_2D, noTexture);
    glColor3f(0.0f, 0.5f, 0.0f);
    glBegin(GL_QUADS);
    glVertex3f(-50.25f, -0.5f, -70.0f);
    glVertex3f(50.25f, -0.5f, -70.0f);
    glVertex3f(50.5f, -0.2f, 0.0f);
    glVertex3f(-50.5f, -0.2f, 0.0f);
    glEnd();
}

void setRaceClearColour() { glClearColor(0.0f, 0.5f, 0.0f, 0.5f); }

}  // namespace

void drawRaceFrame(const RaceFrame& frame)
{
    if (!frame.advanced)
        return;
    setRaceClearColour();

    // The HUD frame; text is untextured whatever the front end left bound.
    glBindTexture(GL_TEXTURE_2D, noTexture);
    glTranslatef(0.0f, 0.0f, -5.0f);
    drawTexts(frame.hud);

    // The ship frame.
    glTranslatef(0.0f, 0.0f, 5.0f);
    glTranslatef(0.0f, -5.0f, -11.0f);
    if (frame.bar)
        drawProgressBar(frame);

    // Everything after the ship is in the world frame.
    if (frame.ship)
        drawShipAndTurnWorld(frame);
    drawField(frame.bomb);
    drawSky(frame);
    drawGround();
    drawField(frame.field);
    drawTexts(frame.texts);
}

void drawRaceStart(const FieldLook& scatter)
{
    setRaceClearColour();
    drawField(scatter);
}

namespace {

constexpr float signPadding = 12.0f;

// What follows is drawn in window pixels from the bottom left, over the
// whole picture; the viewport's size into `size`.
void beginSigns(float size[2])
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    size[0] = static_cast<float>(viewport[2]);
    size[1] = static_cast<float>(viewport[3]);

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, viewport[2], 0.0, viewport[3], -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glBindTexture(GL_TEXTURE_2D, noTexture);
}

void endSigns()
{
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

float signWidth(const char* text)
{
    glRasterPos2f(0.0f, 0.0f);
    return measureText(text);
}

// `text` white on a black box, from `left` along its baseline.
void drawSign(const char* text, float left, float baseline, float width)
{
    glColor3f(0.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex2f(left - signPadding, baseline - 10.0f);
    glVertex2f(left + width + signPadding, baseline - 10.0f);
    glVertex2f(left + width + signPadding, baseline + 24.0f);
    glVertex2f(left - signPadding, baseline + 24.0f);
    glEnd();

    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2f(left, baseline);
    printText("%s", text);
}

}  // namespace

void drawPausedSign()
{
    float size[2];
    beginSigns(size);
    const float width = signWidth("PAUSED");
    drawSign("PAUSED", 0.5f * (size[0] - width), 0.5f * size[1], width);
    endSigns();
}

void drawReplaySign()
{
    float size[2];
    beginSigns(size);
    drawSign("REPLAY", 2.0f * signPadding, size[1] - 34.0f, signWidth("REPLAY"));
    endSigns();
}
