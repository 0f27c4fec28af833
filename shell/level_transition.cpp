// Level transitions. Placeholder.
#include "shell/screens.h"

void PlayLevelTransition() {}
void PlayChaseInterlude() {}
void PlayFleeInterlude() {}
