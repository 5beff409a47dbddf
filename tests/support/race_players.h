// Players that race by looking at the field, as the golden races and the
// recorded best runs are played: each gives the keys for the coming frame
// in the golden races' letters (tests/support/race_golden.h).
#pragma once

#include <string>

namespace racePlayers {

// "L", "R" or "": of left, straight on and right, the one whose predicted
// field puts the fewest of its first `rows` shapes (the nearest counting
// most) in the ship's way.
std::string dodge(int rows);

// Steers the nearest shape ahead into the ship's way.
std::string chase(int rows);

// "U" or "D" to hold the ship's speed near `speed`; "" once there.
std::string cruise(float speed);

}  // namespace racePlayers
