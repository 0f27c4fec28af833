// The fireworks: 2000 sparks thrown up from y = 130 that fall under gravity
// and are reborn when they leave their box.
#pragma once

// (re)births spark i (1..particleCount)
void ResetParticle(int i);
// advances every spark by one step
void UpdateParticles();
// plots every spark on the open drawing (after UpdateParticles)
void PlotParticles();
