// The ten steps of one race frame, without the pause test: what a frame
// does, and what the pause draws again.
#pragma once

void runRaceFrameSteps();
