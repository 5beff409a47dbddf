// Three initials for a new best result, typed on a screen of their own.
#pragma once

void runNameEntry();
