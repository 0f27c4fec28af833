// Dots, energizers, the four bonus items, the score and extra lives by points.
//
// Order within a played frame: RollBonusItem and AwardExtraLives (the tail of
// the level check), DrawDots, UpdateBonusItems, EatDots. Every touch is the
// pixel-exact overlap of the player's picture (sprite 4 at x - 16, y - 16)
// with the other picture where it is drawn. Dot i is sprite 999 + i and
// energizer k sprite 29 + k, both drawn at (x - 8, y - 8); an eaten dot has
// x = -1050 and an eaten energizer x = -100, far off screen.
#pragma once

// draws the energizers and the dots
void DrawDots();
// eats every dot (10 points) and energizer (100 points and the frightened
// mode) the player's picture touches
void EatDots();
// shows the active bonus item if its condition holds and lets the player take it
void UpdateBonusItems();
// every frame: a new item when the last roll is over 10 s old or none is active
void RollBonusItem();
// every frame: one life per 10000 points, while fewer than 5
void AwardExtraLives();
