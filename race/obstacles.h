// The shapes the player dodges: twenty records, the table that gives each
// its colour and shape, and the update that moves, respawns and scores one
// of them and says how it is drawn.
#pragma once

#include "race/race_controls.h"
#include "race/race_frame.h"

struct ObstacleShape {
    enum : int { HEXAGON = 1, SQUARE = 2, TRIANGLE = 3 };
};

struct Obstacle {
    float along;   // down the track; drawn at depth along - 60, the ship is near 58
    float across;  // sideways; the ship is at 0

    // Scatter (throw back), drift with the steering held, advance, respawn,
    // and drain the bar on contact with the ship; gives the look of it.
    ShapeLook update(float red, float green, float blue, bool scatter, int shape,
                     const RaceControls& controls);
};

struct FieldRow {
    float red, green, blue;
    int shape;
};

constexpr int fieldRows = 20;
constexpr int fieldObstacles = 15;  // rows 1 to 15; 16 to 20 are the extras

extern const FieldRow fieldTable[fieldRows];
// Placed at random before the game starts, while the generator is still
// unseeded: the field looks the same at every launch.
extern Obstacle field[fieldRows];

// The racing step: the 15 field obstacles (1 to 11, 15, 12, 13, 14), then
// the extras on LONG, and on JOURNEY once the shown score is above 500.
void updateRacingField(const RaceControls& controls, FieldLook& look);

// A race start or a bomb: the 15 field obstacles thrown back, in table order.
void scatterField(const RaceControls& controls, FieldLook& look);
