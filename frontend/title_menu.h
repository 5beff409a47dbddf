// The title screen and its main menu.
#pragma once

void mainMenu();
