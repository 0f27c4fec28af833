// Level completion. Placeholder.
#include "board/dots.h"
#include "shell/screens.h"

void CheckLevelCleared() {
    RollBonusItem();
    AwardExtraLives();
}
