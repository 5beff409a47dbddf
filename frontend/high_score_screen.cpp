// The high-score table, and wiping it.
#include "frontend/high_score_screen.h"

#include "frontend/menu.h"
#include "frontend/replay_viewer.h"
#include "game/input.h"
#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "platform/win32.h"
#include "race/race_types.h"
#include "race/replay_file.h"
#include "render/font.h"

#include <GL/gl.h>

namespace {

// One line a race type, SHORT at the top.
void drawTableLine(int raceType)
{
    const HighScoreEntry* entry = highScoreFor(raceType);
    const float y = 2.0f - static_cast<float>(raceType - RaceType::SHORT);
    glRasterPos2f(-3.2f, y);
    printText("%s: %i", raceTypeFacts(raceType)->name, entry->best);
    glRasterPos2f(2.2f, y);
    printText("%c%c%c", entry->initials.get(1), entry->initials.get(2), entry->initials.get(3));
}

}  // namespace

void highScoreScreen()
{
    glColor3f(0.0f, 1.0f, 0.0f);
    glRasterPos2f(-2.0f, 3.0f);
    printText("HIGH SCORES");

    glColor3f(0.0f, 1.0f, 1.0f);
    for (int raceType = RaceType::SHORT; raceType <= RaceType::JOURNEY; ++raceType)
        drawTableLine(raceType);

    glColor3f(1.0f, 0.0f, 1.0f);
    glRasterPos2f(-2.4f, -3.0f);
    printText("Press ENTER to go back");
    glRasterPos2f(-3.9f, -2.2f);
    printText("Press DELETE or BACKSPACE to reset high scores.");
    if (anyReplayKnown()) {
        glRasterPos2f(-3.0f, -3.5f);
        printText("Press 1 to 4 to watch a best run");
    }

    // Held, the reset repeats every frame, sound and all.
    if (input.keys[VK_DELETE] || input.keys[VK_BACK])
        resetHighScores();

    // The digit keys above the letters, SHORT to JOURNEY; taken once.
    for (int raceType = RaceType::SHORT; raceType <= RaceType::JOURNEY; ++raceType) {
        const int key = '1' + raceType - RaceType::SHORT;
        if (input.keys[key]) {
            input.keys[key] = false;
            watchBestRun(raceType);
        }
    }

    if (input.keys[VK_RETURN] && menu.repeatDelay == 0) {
        closeHighScores();
        playBleep();
    }
    // On this screen the delay runs down twice as fast.
    if (menu.repeatDelay > 0)
        --menu.repeatDelay;
}

void resetHighScores()
{
    resetHighScoreTable();
    if (settings.soundOn)
        PlaySoundA("Data/erased.wav", nullptr, SND_ASYNC);
}
