// The picture of one race frame: what the advance worked out for it, in
// the order it is drawn, so that drawing it needs no rule of the race and
// can be done again (the pause) without moving anything.
#pragma once

constexpr int raceFrameShapes = 20;  // one a row of the field at most
constexpr int raceFrameTexts = 16;
constexpr int raceTextLength = 64;

struct RaceColour {
    float red, green, blue;
};

// One obstacle as one update draws it.
struct ShapeLook {
    bool flash = false;      // a scatter: the reddish quad over the view first
    RaceColour colour{};     // the row's colour, or scatter red
    int shape = 0;           // an ObstacleShape; any other draws nothing
    float across = 0.0f;     // after the drift
    float depth = 0.0f;      // along - 60, before the advance
    RaceColour apex{};       // a triangle's tip, always lighter than the row's colour
    bool explosion = false;  // contact: a splinter of colour at the ship
    RaceColour explosionColour{};
    float corners[4][3] = {};
};

// The shapes of one pass over the field, in update order.
struct FieldLook {
    int count = 0;
    ShapeLook shapes[raceFrameShapes];
};

// A text at a raster position. Without `setsColour` it takes the colour
// the text before it set; without text only the position is set.
struct RaceText {
    bool setsColour = true;
    RaceColour colour{};
    float x = 0.0f;
    float y = 0.0f;
    char text[raceTextLength] = {};
};

struct RaceTexts {
    int count = 0;
    RaceText lines[raceFrameTexts];
};

struct RaceFrame {
    bool advanced = false;  // nothing of this race advanced yet: nothing to draw

    RaceTexts hud;  // the score and bombs lines, in the HUD frame

    bool bar = false;  // the progress bar, in the ship frame
    float barTarget = 0.0f;
    float barLevel = 0.0f;
    RaceColour barFill{};

    bool ship = false;       // gone once a JOURNEY has crashed, and the world level
    bool shipBanks = false;  // SHIP mode: the ship banks, the world stays level
    float bank = 0.0f;       // degrees, the steering velocity
    bool shipLookB = false;  // which of the two pictures this frame

    FieldLook bomb;  // a bomb's scatter of the field, in the world frame

    bool skyPicture = false;  // the sky picture, tinted; else the plain colour
    RaceColour sky{};

    FieldLook field;  // the racing step

    RaceTexts texts;  // the hint, the result screens, the intro and countdown
};

// Adds a text, formatted as printf does; a full list takes no more.
void addRaceText(RaceTexts& texts, bool setsColour, RaceColour colour, float x, float y,
                 const char* format, ...) __attribute__((format(printf, 6, 7)));
// Adds a raster position with no text at it.
void addRasterPosition(RaceTexts& texts, bool setsColour, RaceColour colour, float x, float y);
