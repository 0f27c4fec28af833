// Drawing the actors: the player hidden for a second after a level start,
// the ghosts over the player in their order, and the teeth overlays.
#include "board/actor_drawing.h"
#include "core/game_state.h"
#include "pictures/screen.h"
#include "core/values.h"
#include "tests/support/board_fixture.h"

#include <gtest/gtest.h>

namespace {

uint16_t PixelOf(int id) {
    SpriteView view;
    return ViewSprite(id, view) ? view.pixels[0] : 0;
}

uint16_t ScreenAt(int x, int y) {
    const uint16_t* pixels = BackBufferPixels();
    return pixels ? pixels[y * BackBufferWidth() + x] : 0;
}

void Prepare() {
    PrepareBoard(1);
    PrepareSolidPictures();
    for (int g = 1; g <= kGhostCount; ++g) {
        SetSpriteFrame(GhostActor(g), 0, 0, 32, 32);
        PlaceActor(GhostActor(g), 100, 100 + 60 * g);
    }
    FillScreen(0, 0, 0);
}

// Ghost 1 at (500, 300) seeing the player placed at (500 + dx, 300 + dy).
uint16_t GhostOneCornerWithPlayerAt(int dx, int dy) {
    PlaceActor(GhostActor(1), 500, 300);
    PlaceActor(kPlayer, 500 + dx, 300 + dy);
    game.seesPlayer[1] = 1;
    game.levelStartTick = GetTickCount();  // player hidden: only the ghost
    FillScreen(0, 0, 0);
    DrawActors();
    return ScreenAt(484, 284);
}

}  // namespace

TEST(ActorDrawing, TheSecondTeethShowWithin99PixelsOnBothAxes) {
    REQUIRE_SPRITES();
    Prepare();
    EXPECT_EQ(GhostOneCornerWithPlayerAt(99, 99), PixelOf(512));
    EXPECT_EQ(GhostOneCornerWithPlayerAt(-99, -99), PixelOf(512));
    EXPECT_EQ(GhostOneCornerWithPlayerAt(100, 0), PixelOf(511));
    EXPECT_EQ(GhostOneCornerWithPlayerAt(0, -100), PixelOf(511));
    EXPECT_EQ(GhostOneCornerWithPlayerAt(-100, 99), PixelOf(511));
    EXPECT_EQ(GhostOneCornerWithPlayerAt(99, 100), PixelOf(511));
}

TEST(ActorDrawing, NoTeethWithoutSightOrWhileFrightened) {
    REQUIRE_SPRITES();
    Prepare();
    game.frightened = 1;
    EXPECT_EQ(GhostOneCornerWithPlayerAt(0, 50), PixelOf(5));
    game.frightened = 0;
    PlaceActor(GhostActor(1), 500, 300);
    game.seesPlayer[1] = 0;
    FillScreen(0, 0, 0);
    DrawActors();
    EXPECT_EQ(ScreenAt(484, 284), PixelOf(5));
}

TEST(ActorDrawing, ThePlayerIsHiddenForTheFirstSecondOfALevel) {
    REQUIRE_SPRITES();
    Prepare();
    PlaceActor(kPlayer, 700, 600);
    game.levelStartTick = GetTickCount() - 1000;
    DrawActors();
    EXPECT_EQ(ScreenAt(700, 600), 0);
    game.levelStartTick = GetTickCount() - 1001;
    DrawActors();
    EXPECT_EQ(ScreenAt(700, 600), PixelOf(kPlayer));
    EXPECT_EQ(ScreenAt(684, 584), PixelOf(kPlayer));
}

TEST(ActorDrawing, LaterGhostsCoverEarlierOnesAndAllCoverThePlayer) {
    REQUIRE_SPRITES();
    Prepare();
    game.levelStartTick = GetTickCount() - 5000;
    PlaceActor(kPlayer, 700, 600);
    PlaceActor(GhostActor(2), 700, 600);
    PlaceActor(GhostActor(4), 710, 600);
    DrawActors();
    EXPECT_EQ(ScreenAt(700, 600), PixelOf(8));   // ghost 4 over ghost 2
    EXPECT_EQ(ScreenAt(686, 600), PixelOf(6));   // ghost 2 over the player
}

TEST(ActorDrawing, AnActorInTheTunnelIsDrawnHalfOffTheEdge) {
    REQUIRE_SPRITES();
    Prepare();
    PlaceActor(GhostActor(1), 1024, 384);
    PlaceActor(GhostActor(2), 0, 468);
    DrawActors();
    EXPECT_EQ(ScreenAt(1008, 384), PixelOf(5));
    EXPECT_EQ(ScreenAt(1023, 384), PixelOf(5));
    EXPECT_EQ(ScreenAt(15, 468), PixelOf(6));
    EXPECT_EQ(ScreenAt(16, 468), 0);
}
