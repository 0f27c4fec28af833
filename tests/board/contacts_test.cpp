// Contacts between the player and the ghosts: a touch of more than 300 ms
// costs a life with the death sequence; frightened ghosts are eaten for
// 100, 200, 300, 400 and 1000 points and a life.
#include "board/contacts.h"
#include "core/game_state.h"
#include "platform/headless/headless.h"
#include "pictures/screen.h"
#include "sound/sound.h"
#include "core/values.h"
#include "tests/support/board_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Level 1 with solid pictures; the player at (180, 384), the ghosts at home.
// A key is held from the start, so the wait after a death ends at once.
void Prepare() {
    PrepareBoard(1, "0 keys F1\n");
    PrepareSolidPictures();
    PlaceActor(kPlayer, 180, 384);
    TakeStartedSounds();
}

bool IsTouchSound(int sound) { return sound == 9 || sound == 10; }
bool IsEatSound(int sound) { return sound >= 11 && sound <= 13; }

uint16_t PixelOf(int id) {
    SpriteView view;
    return ViewSprite(id, view) ? view.pixels[0] : 0;
}

}  // namespace

TEST(GhostContact, ATouchOf300MsCostsNothingButPlaysOneTouchSound) {
    REQUIRE_SPRITES();
    Prepare();
    game.contactStartTick = GetTickCount();
    PlaceActor(GhostActor(3), 190, 384);
    AdvanceClock(300);
    GhostContact();
    GhostContact();
    EXPECT_EQ(game.lives, 3);
    std::vector<int> sounds = TakeStartedSounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_TRUE(IsTouchSound(sounds[0]));
    EXPECT_EQ(game.contactSoundPlayed, 1);
    // the touch ends: the timer and the sound flag start again
    PlaceActor(GhostActor(3), 540, 468);
    GhostContact();
    EXPECT_EQ(game.contactStartTick, GetTickCount());
    EXPECT_EQ(game.contactSoundPlayed, 0);
}

TEST(GhostContact, ATouchOfMoreThan300MsCostsALifeAndResetsTheBoard) {
    REQUIRE_SPRITES();
    Prepare();
    game.contactStartTick = GetTickCount();
    game.contactSoundPlayed = 1;
    game.direction = Direction::Left;
    game.speedItems = 2;
    game.score = 1234;
    game.dotX[7] = -1050;
    PlaceActor(GhostActor(5), 200, 384);
    PlaceActor(GhostActor(1), 300, 384);
    AdvanceClock(301);
    int64_t framesBefore = headless::PresentedFrames();
    size_t sleepsBefore = headless::Sleeps().size();
    GhostContact();
    EXPECT_EQ(game.lives, 2);
    EXPECT_EQ(TakeStartedSounds(), std::vector<int>{2});
    // 500 ms, then ten frames of 150 ms each
    std::vector<uint32_t> sleeps(headless::Sleeps().begin() + sleepsBefore, headless::Sleeps().end());
    EXPECT_EQ(sleeps, (std::vector<uint32_t>{500, 150, 150, 150, 150, 150, 150, 150, 150, 150, 150}));
    EXPECT_EQ(headless::PresentedFrames() - framesBefore, 10);
    // everyone home, the player facing right at frame 10
    EXPECT_EQ(game.actors[kPlayer].x, 540);
    EXPECT_EQ(game.actors[kPlayer].y, 540);
    EXPECT_EQ(game.grid[kPlayerSlot].column, 6);
    EXPECT_EQ(game.grid[kPlayerSlot].row, 8);
    EXPECT_EQ(game.grid[kPlayerSlot].wallTop, 1);
    EXPECT_EQ(game.grid[kPlayerSlot].wallBottom, 1);
    EXPECT_EQ(game.grid[kPlayerSlot].wallLeft, 0);
    EXPECT_EQ(game.grid[kPlayerSlot].wallRight, 0);
    for (int g = 1; g <= kGhostCount; ++g) {
        EXPECT_EQ(game.actors[GhostActor(g)].x, 540);
        EXPECT_EQ(game.actors[GhostActor(g)].y, 468);
    }
    EXPECT_EQ(game.direction, Direction::None);
    EXPECT_EQ(game.speedItems, 0);
    EXPECT_EQ(game.score, 1234);
    EXPECT_EQ(game.dotX[7], -1050);
    EXPECT_EQ(game.screen, Screen::Play);
    EXPECT_EQ(PictureSource(kPlayer), 0);
    SpriteView player;
    ASSERT_TRUE(ViewSprite(kPlayer, player));
    EXPECT_EQ(player.frameX, 288);
}

TEST(GhostContact, TheDeathAnimationShowsTheStripOverTheBareBackground) {
    REQUIRE_SPRITES();
    Prepare();
    game.contactStartTick = GetTickCount() - 301;
    PlaceActor(GhostActor(1), 180, 384);
    GhostContact();
    const std::vector<uint16_t>& frame = headless::LastFrame();
    ASSERT_EQ(frame.size(), 1024u * 768u);
    EXPECT_EQ(frame[384 * 1024 + 180], PixelOf(500));  // the last frame of the strip
    EXPECT_EQ(frame[468 * 1024 + 540], PixelOf(110));  // no ghost drawn
}

TEST(GhostContact, FrightenedGhostsCostNothing) {
    REQUIRE_SPRITES();
    Prepare();
    game.frightened = 1;
    game.contactStartTick = GetTickCount() - 5000;
    PlaceActor(GhostActor(1), 180, 384);
    GhostContact();
    EXPECT_EQ(game.lives, 3);
    EXPECT_TRUE(TakeStartedSounds().empty());
    EXPECT_EQ(game.contactStartTick, GetTickCount() - 5000);
}

TEST(EatGhosts, FiveGhostsInOnePeriodScore2000AndALife) {
    REQUIRE_SPRITES();
    Prepare();
    game.frightened = 1;
    game.frightStartTick = GetTickCount();
    int32_t start = game.frightStartTick;
    for (int g = 1; g <= kGhostCount; ++g) PlaceActor(GhostActor(g), 180 + 2 * g, 384);
    size_t sleepsBefore = headless::Sleeps().size();
    EatGhosts();
    EXPECT_EQ(game.score, 100 + 200 + 300 + 400 + 1000);
    EXPECT_EQ(game.lives, 4);
    EXPECT_EQ(game.ghostsEaten, 0);
    EXPECT_EQ(game.frightStartTick, start + 5 * 1200);
    EXPECT_EQ(headless::Sleeps().size() - sleepsBefore, 5u);
    std::vector<int> sounds = TakeStartedSounds();
    ASSERT_EQ(sounds.size(), 6u);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(IsEatSound(sounds[i])) << sounds[i];
    EXPECT_EQ(sounds[5], 5);
    for (int g = 1; g <= kGhostCount; ++g) {
        EXPECT_EQ(game.actors[GhostActor(g)].x, 540);
        EXPECT_EQ(game.actors[GhostActor(g)].y, 468);
    }
    // the fifth label at (gx - 20, gy - 10) of the fifth ghost
    const std::vector<uint16_t>& frame = headless::LastFrame();
    ASSERT_EQ(frame.size(), 1024u * 768u);
    EXPECT_EQ(frame[(384 - 10) * 1024 + (190 - 20)], PixelOf(505));
}

TEST(EatGhosts, TheCountGoesOnAfterTheFifthAndFiveLivesAreTheMost) {
    REQUIRE_SPRITES();
    Prepare();
    game.frightened = 1;
    game.lives = 5;
    game.ghostsEaten = 4;
    PlaceActor(GhostActor(2), 180, 384);
    PlaceActor(GhostActor(4), 186, 384);
    EatGhosts();
    EXPECT_EQ(game.score, 1000 + 100);
    EXPECT_EQ(game.lives, 5);
    EXPECT_EQ(game.ghostsEaten, 1);
}

TEST(EatGhosts, OutsideTheModeOnlyTheCountIsReset) {
    REQUIRE_SPRITES();
    Prepare();
    game.ghostsEaten = 3;
    PlaceActor(GhostActor(1), 180, 384);
    EatGhosts();
    EXPECT_EQ(game.ghostsEaten, 0);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.actors[GhostActor(1)].x, 180);
}

TEST(EatGhosts, AnUntouchedGhostIsLeftAlone) {
    REQUIRE_SPRITES();
    Prepare();
    game.frightened = 1;
    PlaceActor(GhostActor(1), 180 + 32, 384);  // frames side by side, not overlapping
    EatGhosts();
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.actors[GhostActor(1)].x, 212);
    PlaceActor(GhostActor(1), 180 + 31, 384);
    EatGhosts();
    EXPECT_EQ(game.score, 100);
}
