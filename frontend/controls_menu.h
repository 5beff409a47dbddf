// The Controls menu: the five race keys and the rotate mode.
#pragma once

void controlsMenu();
