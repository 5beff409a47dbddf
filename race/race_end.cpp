// The race's opening and closing screens.
#include "race/race_end.h"

#include "game/screens.h"
#include "persist/high_scores.h"
#include "persist/settings.h"
#include "race/race.h"
#include "race/race_types.h"

#include <cmath>

namespace {

bool journey() { return settings.raceType == RaceType::JOURNEY; }

RaceColour pulseColour()
{
    const float t = menu.menuClock;
    return RaceColour{std::sin(t), 1.0f - 0.5f * std::tan(t), std::cos(t)};
}

RaceColour slowColour()
{
    const float t = menu.menuClock;
    return RaceColour{std::sin(0.05f * t), std::cos(0.05f * t), 1.0f - 0.5f * std::tan(0.005f * t)};
}

constexpr RaceColour red{1.0f, 0.0f, 0.0f};
constexpr RaceColour black{0.0f, 0.0f, 0.0f};

void showExitAndAgain(RaceTexts& texts)
{
    addRaceText(texts, true, red, -1.9f, 3.0f, "Press Escape to exit...");
    addRaceText(texts, true, RaceColour{0.0f, 0.2f, 0.0f}, -2.1f, 2.0f,
                "Press Enter to play again...");
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

void showResult(RaceTexts& texts)
{
    const int score = shownScore();
    HighScoreEntry* entry = highScoreFor(settings.raceType);

    showExitAndAgain(texts);

    const bool newBest = isNewBest(entry, score);
    if (newBest) {
        handOverToNameEntry(entry, score);
        addRaceText(texts, true, pulseColour(), -3.5f, 5.0f, "YOU BEAT THE OLD %s HIGH SCORE!!!",
                    raceTypeFacts(settings.raceType)->name);
    } else {
        addRasterPosition(texts, true, pulseColour(), -3.5f, 5.0f);
    }

    if (!newBest && entry != nullptr) {
        if (journey()) {
            addRasterPosition(texts, true, black, -2.4f, 5.0f);
            addRaceText(texts, false, black, -2.8f, 5.0f, "Sorry, you didn't last longer than %i",
                        entry->best);
        } else {
            addRaceText(texts, true, black, -2.4f, 5.0f, "Sorry, you didn't beat %i", entry->best);
        }
    } else {
        addRasterPosition(texts, true, black, -2.4f, 5.0f);
    }

    if (journey()) {
        addRaceText(texts, true, pulseColour(), -1.1f, 9.0f, "YOU CRASHED!!");
        addRaceText(texts, true, slowColour(), -1.4f, 8.0f, "YOU LASTED: %i!", score);
    } else {
        addRaceText(texts, true, pulseColour(), -1.1f, 9.0f, "YOU WIN!!");
        addRaceText(texts, true, slowColour(), -1.6f, 8.0f, "You Won In: %i!", score);
    }
}

// A loss never changes the table.
void showLoss(RaceTexts& texts)
{
    const HighScoreEntry* entry = highScoreFor(settings.raceType);

    showExitAndAgain(texts);

    addRaceText(texts, true, black, -1.1f, 9.0f, "YOU LOSE");
    addRaceText(texts, false, black, -1.4f, 8.0f, "You Lasted:%i", shownScore());

    if (entry != nullptr)
        addRaceText(texts, true, pulseColour(), -2.7f, 5.0f, "Sorry, you didn't go faster than %i",
                    entry->best);
    else
        addRasterPosition(texts, true, pulseColour(), -2.7f, 5.0f);
}

void showCountdownNumeral(RaceTexts& texts)
{
    const int frames = race.raceFrames;
    const float speed = settings.gameSpeed;
    if (frames < 60 / speed)
        addRaceText(texts, true, red, -0.2f, 4.2f, "3");
    else if (frames > 60 / speed && frames < 120 / speed)
        addRaceText(texts, true, RaceColour{1.0f, 1.0f, 0.0f}, -0.2f, 4.2f, "2");
    else if (frames > 120 / speed && frames < 180 / speed)
        addRaceText(texts, true, RaceColour{0.0f, 8.0f, 0.0f}, -0.2f, 4.2f, "1");
    else if (frames > 180 / speed)
        addRaceText(texts, true, RaceColour{0.0f, 1.0f, 0.0f}, -0.4f, 4.2f, "GO");
}

}  // namespace

void showRaceEnd(RaceFrame& frame)
{
    if (race.barLevel > race.barTarget || (journey() && race.barLevel < 0.0f))
        showResult(frame.texts);
    else if (race.barLevel < 0.0f)
        showLoss(frame.texts);
}

void showIntroAndCountdown(RaceFrame& frame)
{
    RaceTexts& texts = frame.texts;
    const HighScoreEntry* entry = highScoreFor(settings.raceType);
    const RaceColour blue{0.0f, 0.0f, 0.5f};
    if (entry == nullptr)
        addRasterPosition(texts, true, blue, -2.2f, 5.0f);
    else if (journey())
        addRaceText(texts, true, blue, -2.2f, 5.0f, "The current high score is %i", entry->best);
    else
        addRaceText(texts, true, blue, -2.2f, 5.0f, "The current best time is %i", entry->best);

    addRaceText(texts, true, red, -0.2f, 0.5f, "Made By: Kelvorn");
    addRaceText(texts, true, RaceColour{0.0f, 0.0f, std::sin(menu.menuClock) + 0.3f}, -2.4f, 8.5f,
                "        Trigonix");

    showCountdownNumeral(texts);
}
