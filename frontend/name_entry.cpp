// Name entry after a new best: up to three initials, typed key by key and
// taken when each key is released.
#include "frontend/name_entry.h"

#include "game/input.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "race/race.h"
#include "race/race_types.h"
#include "render/font.h"
#include "render/textures.h"

#include <GL/gl.h>

namespace {

constexpr char emptySlot = '_';

// After a key has been taken the same release must not count again: it
// becomes a code no branch takes: noKeyForNameEntry, or 95 while Shift
// is down.
constexpr int noKeyShifted = 95;

void drawLayout(const Initials& initials)
{
    // Whatever the race bound last would tint the text.
    glBindTexture(GL_TEXTURE_2D, noTexture);
    glTranslatef(0.0f, 0.0f, -5.0f);

    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2f(-0.3f, 0.4f);
    printText("%c%c%c", initials.get(1), initials.get(2), initials.get(3));

    glColor3f(1.0f, 0.2f, 0.4f);
    glRasterPos2f(-1.0f, 1.4f);
    printText("You got the best score!!");

    glColor3f(1.0f, 0.0f, 1.0f);
    glRasterPos2f(-1.0f, 1.0f);
    printText("Please enter your name!!");

    glColor3f(0.0f, 0.2f, 0.8f);
    glRasterPos2f(-0.5f, -0.4f);
    printText("Score: %i", shownScore());

    glTranslatef(0.0f, 0.0f, 5.0f);
}

void clearInitials(Initials& initials)
{
    initials.set(1, emptySlot);
    initials.set(2, emptySlot);
    initials.set(3, emptySlot);
}

// The leftmost empty slot takes the character; a full name takes no more.
void fillSlot(Initials& initials, char c)
{
    const bool first = initials.get(1) != emptySlot;
    const bool second = initials.get(2) != emptySlot;
    const bool third = initials.get(3) != emptySlot;
    if (first && second && !third)
        initials.set(3, c);
    if (first && !second && !third)
        initials.set(2, c);
    if (!first && !second && !third)
        initials.set(1, c);
}

// The new best and its initials are saved at once, as the teardown would
// save them: a session that ends abruptly later does not lose them.
void endNameEntry()
{
    closeNameEntry();
    saveHighScores();
}

}  // namespace

void runNameEntry()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    HighScoreEntry* entry = highScoreFor(settings.raceType);
    if (entry == nullptr) {
        // No table row belongs to this race type, so there is nothing to
        // name: back to the title rather than stay here for ever.
        endNameEntry();
        return;
    }
    Initials& initials = entry->initials;
    drawLayout(initials);

    const int k = input.lastReleasedKey;
    if (k == VK_BACK) {
        // The whole name goes, not only the last letter.
        if (!input.keyHeld)
            clearInitials(initials);
        return;
    }
    if (k == VK_ESCAPE || k == VK_RETURN) {
        if (!input.keyHeld)
            endNameEntry();
        return;
    }
    // A key pressed since the last release: wait for that one.
    if (input.keyHeld)
        return;
    // Only the letter keys: the keypad and function keys would store
    // characters the font cannot show.
    if (k < 'A' || k > 'Z')
        return;

    const bool shift = input.keys[VK_SHIFT];
    const char c = static_cast<char>(shift ? k : k + 32);
    fillSlot(initials, c);

    input.keyHeld = false;
    input.lastReleasedKey = shift ? noKeyShifted : noKeyForNameEntry;

    if (input.leftButtonDown || input.rightButtonDown)
        clearInitials(initials);
}
