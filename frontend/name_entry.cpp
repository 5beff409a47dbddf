// Placeholder until name entry is built.
#include "frontend/name_entry.h"

void runNameEntry() {}
