// Dots, energizers, the four bonus items, the score and extra lives by points.
#pragma once

// draws the energizers and the dots
void DrawDots();
// eats every dot and energizer the player's picture touches
void EatDots();
// shows the active bonus item and lets the player take it
void UpdateBonusItems();
// every frame: a new item when the last roll is 10 s old or none is active
void RollBonusItem();
// every frame: one life per 10000 points
void AwardExtraLives();
