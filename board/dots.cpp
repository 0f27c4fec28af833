// Dots, energizers and bonus items. Placeholder.
#include "board/dots.h"

void DrawDots() {}
void EatDots() {}
void UpdateBonusItems() {}
void RollBonusItem() {}
void AwardExtraLives() {}
