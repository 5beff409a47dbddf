// Every race the player races is recorded from its start, and kept as its
// race type's best run when it ends with a new best. Races run again (a
// replay watched or checked) are never recorded.
#pragma once

#include "race/race_controls.h"

// A race started by the player, before its start changes anything: the
// start values, and an empty record of frames.
void recordRaceStart();

// A race frame of the player's, before its advance: what the frame
// function feeds it (the controls given, Enter, Escape, F12 and the rate).
void recordRaceFrame(const RaceControls& controls);

// After a start or an advance: where the race left the generator. A frame
// that handed over to name entry was a new best: the recording is saved
// as the race type's replay. Once the race has ended recording stops.
void recordWhereRaceLeftOff();
