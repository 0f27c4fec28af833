// Sending the actors home; see home.h.
#include "board/home.h"

#include "core/game_state.h"

void SendGhostsHome() {
    for (int g = 1; g <= kGhostCount; ++g) {
        game.actors[GhostActor(g)].x = kPenX;
        game.actors[GhostActor(g)].y = kPenY;
    }
}

void SendActorsHome() {
    game.actors[kPlayer].x = kPlayerHomeX;
    game.actors[kPlayer].y = kPlayerHomeY;
    SendGhostsHome();
}
