// The options screen. Placeholder.
#include "shell/program_flow.h"
#include "shell/screens.h"

void OptionsScreen() { EndProgram(); }
