// What the player asks of the race in one frame: the five race keys, the
// two mouse buttons and the pause keys, read once from the input so that a
// frame's rules see one set of controls (and a recorded set can be played
// again).
#pragma once

struct RaceControls {
    bool accelerate = false;
    bool decelerate = false;
    bool left = false;   // the left key
    bool right = false;  // the right key
    bool bomb = false;
    bool leftButton = false;   // steers left
    bool rightButton = false;  // steers right
    bool endKey = false;       // End and 0 pause the race, unless made race keys
    bool zeroKey = false;
};

// The controls held now, by the keys the settings assign.
RaceControls readRaceControls();

// Steering left or right, by key or button.
bool steeringLeft(const RaceControls& controls);
bool steeringRight(const RaceControls& controls);
