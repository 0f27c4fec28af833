// The sprite pictures: the player's strips, the ghosts' sheets and teeth,
// dots, energizers, bonus items and points labels. Every picture is drawn
// on a transparent canvas in its final size; frames are 32 x 32 cells side
// by side, the figure centred in its cell.
#pragma once

#include "tools/assetgen/canvas.h"

enum class Facing { Right, Down, Left, Up };

// ten frames of the player whose mouth opens and closes, 320 x 32
Canvas PlayerStrip(Facing facing);
// ten frames of the player collapsing, 320 x 32
Canvas DeathStrip();

struct GhostLook {
    Colour body;
    bool frightened;
};
// a ghost sheet: ten frames in the top row, seven in the second, 320 x 64
Canvas GhostSheet(const GhostLook& look);
// the mouth drawn over a ghost that sees the player, 32 x 32; `large` bares fangs
Canvas TeethOverlay(bool large);

// the dot, 16 x 16, centred on a crossing
Canvas DotPicture();
// the energizer, 16 x 16
Canvas EnergizerPicture();

enum class BonusKind { ExtraLife, Speed, ExtraCharge, Apple };
// a bonus item, 16 x 16
Canvas BonusPicture(BonusKind kind);
// the points shown where a ghost or the apple was eaten
Canvas PointsLabel(int points);

// ---- shared by the sprite files --------------------------------------------
// signed distance to a pie: a circle with a wedge of half-angle `mouth`
// (radians) cut out towards the unit direction (fx, fy)
float PieDistance(float x, float y, float cx, float cy, float radius, float fx, float fy, float mouth);
