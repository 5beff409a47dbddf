// Pace: how fast a race advances per second of play when the game counts
// 30, 60, 120, 144 or 240 frames a second, once the speed factor has
// settled, next to its pace at 60.
#pragma once

#include <string>
#include <vector>

// Opens its own window and returns the results as a JSON list.
std::string measurePace(const std::vector<int>& framesPerSecond);
