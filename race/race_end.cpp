// The race's opening and closing screens.
#include "race/race_end.h"

#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/race.h"
#include "race/race_types.h"
#include "render/font.h"

#include <GL/gl.h>

#include <cmath>

namespace {

bool journey() { return settings.raceType == RaceType::JOURNEY; }

void pulseColour()
{
    const float t = menu.menuClock;
    glColor3f(std::sin(t), 1.0f - 0.5f * std::tan(t), std::cos(t));
}

void slowColour()
{
    const float t = menu.menuClock;
    glColor3f(std::sin(0.05f * t), std::cos(0.05f * t), 1.0f - 0.5f * std::tan(0.005f * t));
}

void printAt(float x, float y) { glRasterPos2f(x, y); }

void printExitAndAgain()
{
    glColor3f(1.0f, 0.0f, 0.0f);
    printAt(-1.9f, 3.0f);
    printText("Press Escape to exit...");
    glColor3f(0.0f, 0.2f, 0.0f);
    printAt(-2.1f, 2.0f);
    printText("Press Enter to play again...");
}

// Ties count as a new best. A race type without a row in the table has
// no best to beat and keeps nothing.
bool isNewBest(const HighScoreEntry* entry, int score)
{
    if (entry == nullptr)
        return false;
    return raceTypeFacts(settings.raceType)->lowerIsBetter ? score <= entry->best
                                                           : score >= entry->best;
}

// The new best goes into the table with empty initials; from the next
// frame on name entry owns the screen.
void handOverToNameEntry(HighScoreEntry* entry, int score)
{
    entry->best = score;
    for (int n = 1; n <= 3; ++n)
        entry->initials.set(n, '_');
    openNameEntry();
}

void showResult()
{
    const int score = shownScore();
    HighScoreEntry* entry = highScoreFor(settings.raceType);

    printExitAndAgain();

    pulseColour();
    printAt(-3.5f, 5.0f);
    const bool newBest = isNewBest(entry, score);
    if (newBest) {
        handOverToNameEntry(entry, score);
        printText("YOU BEAT THE OLD %s HIGH SCORE!!!", raceTypeFacts(settings.raceType)->name);
    }

    glColor3f(0.0f, 0.0f, 0.0f);
    printAt(-2.4f, 5.0f);
    if (!newBest && entry != nullptr) {
        if (journey()) {
            printAt(-2.8f, 5.0f);
            printText("Sorry, you didn't last longer than %i", entry->best);
        } else {
            printText("Sorry, you didn't beat %i", entry->best);
        }
    }

    if (journey()) {
        pulseColour();
        printAt(-1.1f, 9.0f);
        printText("YOU CRASHED!!");
        slowColour();
        printAt(-1.4f, 8.0f);
        printText("YOU LASTED: %i!", score);
    } else {
        pulseColour();
        printAt(-1.1f, 9.0f);
        printText("YOU WIN!!");
        slowColour();
        printAt(-1.6f, 8.0f);
        printText("You Won In: %i!", score);
    }
}

// A loss never changes the table.
void showLoss()
{
    const HighScoreEntry* entry = highScoreFor(settings.raceType);

    printExitAndAgain();

    glColor3f(0.0f, 0.0f, 0.0f);
    printAt(-1.1f, 9.0f);
    printText("YOU LOSE");
    printAt(-1.4f, 8.0f);
    printText("You Lasted:%i", shownScore());

    pulseColour();
    printAt(-2.7f, 5.0f);
    if (entry != nullptr)
        printText("Sorry, you didn't go faster than %i", entry->best);
}

void showCountdownNumeral()
{
    const int frames = race.raceFrames;
    const float speed = settings.gameSpeed;
    if (frames < 60 / speed) {
        glColor3f(1.0f, 0.0f, 0.0f);
        printAt(-0.2f, 4.2f);
        printText("3");
    } else if (frames > 60 / speed && frames < 120 / speed) {
        glColor3f(1.0f, 1.0f, 0.0f);
        printAt(-0.2f, 4.2f);
        printText("2");
    } else if (frames > 120 / speed && frames < 180 / speed) {
        glColor3f(0.0f, 8.0f, 0.0f);
        printAt(-0.2f, 4.2f);
        printText("1");
    } else if (frames > 180 / speed) {
        glColor3f(0.0f, 1.0f, 0.0f);
        printAt(-0.4f, 4.2f);
        printText("GO");
    }
}

}  // namespace

void showRaceEnd()
{
    if (race.barLevel > race.barTarget || (journey() && race.barLevel < 0.0f))
        showResult();
    else if (race.barLevel < 0.0f)
        showLoss();
}

void showIntroAndCountdown()
{
    const HighScoreEntry* entry = highScoreFor(settings.raceType);
    glColor3f(0.0f, 0.0f, 0.5f);
    printAt(-2.2f, 5.0f);
    if (entry != nullptr) {
        if (journey())
            printText("The current high score is %i", entry->best);
        else
            printText("The current best time is %i", entry->best);
    }

    glColor3f(1.0f, 0.0f, 0.0f);
    printAt(-0.2f, 0.5f);
    printText("Made By: Kelvorn");

    glColor3f(0.0f, 0.0f, std::sin(menu.menuClock) + 0.3f);
    printAt(-2.4f, 8.5f);
    printText("        Trigonix");

    showCountdownNumeral();
}
