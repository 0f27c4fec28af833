// Drawing the actors. Placeholder.
#include "board/actor_drawing.h"

void DrawActors() {}
