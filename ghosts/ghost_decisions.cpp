// Ghost decisions. Placeholder.
#include "ghosts/ghosts.h"

void DecideGhostAims() {}
