// The frightened mode. Placeholder.
#include "ghosts/ghosts.h"

void StartFrightenedMode() {}
void UpdateFrightenedMode() {}
