// What the race shows around the track: the lightning, the score and bombs
// lines, the progress bar, the bombs themselves, the sky with the mood of
// each race type, the ground and the hint near the finish.
#pragma once

// Whether the LONG sky flashes this frame; also sets the race's clear colour.
void updateLightning();

// In the HUD frame.
void drawHudLines();

// In the ship frame, except on JOURNEY.
void drawProgressBar();

// The bomb key: one bomb per repeat delay while bombs are left.
void dropBombIfAsked();

// In the world frame.
void drawSky();
void drawGround();
void drawFinishHint();
