// Fireworks. Placeholder.
#include "presentation/fireworks.h"

void ResetParticle(int) {}
void UpdateParticles() {}
void PlotParticles() {}
