// Placeholder until the tip of the day is built.
#include "frontend/help_exit_tips.h"

void showTipOfTheDay() {}
