// A race played by script, the way a player weaves through the field: left,
// straight, right, straight, at about one unit of ship speed, bombs now and
// then on the race types that have them. Contacts happen as in play.
#pragma once

struct RaceDriver {
    int raceType;
    // The bar is kept between its ends, so the race runs for as long as it
    // is measured; off for a race played to its end.
    bool keepBarRunning = true;
    // Instead of the weave, steer where the fewest shapes will meet the
    // ship, a little slower: a race that can be won.
    bool dodge = false;

    int frame = 0;
    float barBefore = 0.0f;
    float bombsBefore = 0.0f;
    int contactFrames = 0;
    int bombsDropped = 0;
    double gameSpeedSum = 0.0;
    int racingFrames = 0;

    explicit RaceDriver(int type) : raceType(type) {}

    // Sets the race type and its bar target and starts the race as Enter
    // does.
    void start();
    bool countdownOver() const;
    // Whether the race has been won or lost.
    bool raceOver() const;
    // This frame's keys (through the window procedure).
    void beforeFrame();
    // Counts what the frame did.
    void afterFrame();
    // Lets go of every key.
    void stop();

    double meanGameSpeed() const;
};
