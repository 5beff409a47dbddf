// What the race's tests share: the game window with the race keys on the
// arrows and the space bar, the sky off, sound off, a fixed clock and a
// counted rate of 60 frames a second (so the race's speed tuning aims at
// 1.0), and races started as the title menu starts them.
#pragma once

#include "tests/support/game_fixture.h"
#include "tests/support/screen_view.h"

struct RaceTest : GameTest {
    void SetUp() override;

    // The bar target the game sets for a race type (unchanged for others).
    static void setBarTargetFor(int raceType);

    // Sets the race type (and its bar target) and starts a race.
    void startRaceOf(int raceType);

    // Runs the frames of the countdown: the next frame is the first that
    // moves the shapes.
    void runCountdown();

    // Every obstacle far down the track and off to the side, so none comes
    // near the ship for a long while.
    static void parkField();

    // The window's size.
    int width = 640;
    int height = 480;
};
