// The frightened mode: its timer with the 16-bit end test, the blink
// schedule of the pictures, the steps and the snapping of the ghosts.
#include "board/contacts.h"
#include "core/game_state.h"
#include "ghosts/ghosts.h"
#include "pictures/screen.h"
#include "sound/sound.h"
#include "core/values.h"
#include "tests/support/board_fixture.h"

#include <gtest/gtest.h>

namespace {

// The picture every ghost shows after one update at elapsed time e: 10 for
// dark blue, 0 when they disagree, 1 when each shows its own colour.
int PicturesAt(int32_t e) {
    game.frightElapsed = e;
    UpdateFrightenedMode();
    int own = 0, blue = 0;
    for (int g = 1; g <= kGhostCount; ++g) {
        int source = PictureSource(GhostActor(g));
        own += source == 14 + g;
        blue += source == 10;
    }
    return blue == kGhostCount ? 10 : own == kGhostCount ? 1 : 0;
}

void StartAtLevel(int level) {
    PrepareBoard(level);
    PrepareSolidPictures();
    TakeStartedSounds();
}

}  // namespace

TEST(FrightenedMode, StartingPlaysSoundOneAndAppliesTheFrightenedStepsAtOnce) {
    StartAtLevel(12);  // every ghost steps 4 on level 12
    PlaceActor(GhostActor(1), 543, 384);
    PlaceActor(GhostActor(2), 541, 385);
    StartFrightenedMode();
    EXPECT_EQ(game.frightened, 1);
    EXPECT_EQ(game.frightElapsed, 0);
    EXPECT_EQ(TakeStartedSounds(), std::vector<int>{1});
    EXPECT_EQ(game.ghostFrameDelay, 100);
    EXPECT_EQ(game.actors[GhostActor(1)].x, 542);
    EXPECT_EQ(game.actors[GhostActor(2)].x, 540);
    EXPECT_EQ(game.actors[GhostActor(2)].y, 384);
    for (int g = 1; g <= kGhostCount; ++g) EXPECT_EQ(game.actors[GhostActor(g)].step, 2);
}

TEST(FrightenedMode, SnapsToEvenThenBackToTheLevelsStepWhenItEnds) {
    StartAtLevel(2);  // ghost 1 steps 3 on level 2
    PlaceActor(GhostActor(1), 543, 384);
    StartFrightenedMode();
    EXPECT_EQ(game.actors[GhostActor(1)].x, 542);
    AdvanceClock(6500);
    UpdateFrightenedMode();
    EXPECT_EQ(game.frightened, 1);  // 6500 is not more than the duration
    AdvanceClock(1);
    UpdateFrightenedMode();
    EXPECT_EQ(game.frightened, 0);
    EXPECT_EQ(game.frightStartTick, GetTickCount());
    EXPECT_EQ(game.actors[GhostActor(1)].step, 2);  // this update still ran frightened
    UpdateFrightenedMode();
    EXPECT_EQ(game.actors[GhostActor(1)].x, 540);
    EXPECT_EQ(game.actors[GhostActor(1)].step, 3);
    EXPECT_EQ(game.ghostFrameDelay, 0);
}

TEST(FrightenedMode, LevelStepSnappingTruncatesTowardZero) {
    StartAtLevel(22);  // ghost 1 steps 12, the others 6
    PlaceActor(GhostActor(1), 550, 395);
    PlaceActor(GhostActor(2), 550, 395);
    UpdateFrightenedMode();
    EXPECT_EQ(game.actors[GhostActor(1)].x, 540);
    EXPECT_EQ(game.actors[GhostActor(1)].y, 384);
    EXPECT_EQ(game.actors[GhostActor(1)].step, 12);
    EXPECT_EQ(game.actors[GhostActor(2)].x, 546);
    EXPECT_EQ(game.actors[GhostActor(2)].y, 390);
    EXPECT_EQ(game.actors[GhostActor(2)].step, 6);
}

TEST(FrightenedMode, ALevelBeyondTheTableKeepsTheLastRow) {
    StartAtLevel(30);
    game.level = 31;  // after the last board, during the congratulations
    PlaceActor(GhostActor(5), 550, 384);
    UpdateFrightenedMode();
    EXPECT_EQ(game.actors[GhostActor(5)].step, 12);
    EXPECT_EQ(game.actors[GhostActor(5)].x, 540);
    game.level = 0;
    UpdateFrightenedMode();
    EXPECT_EQ(game.actors[GhostActor(5)].step, 2);
}

TEST(FrightenedMode, OnlyTheLowWordOfTheElapsedTimeIsComparedWithTheDuration) {
    StartAtLevel(1);
    StartFrightenedMode();
    // 65636 ms reads as 100 in 16 bits: the period goes on
    game.frightStartTick -= 65636;
    UpdateFrightenedMode();
    EXPECT_EQ(game.frightElapsed, 65636);
    EXPECT_EQ(game.frightened, 1);
    // 40000 ms reads as -25536: it goes on as well
    game.frightStartTick = GetTickCount() - 40000;
    UpdateFrightenedMode();
    EXPECT_EQ(game.frightened, 1);
    // 72037 ms reads as 6501: it ends
    game.frightStartTick = GetTickCount() - 72037;
    UpdateFrightenedMode();
    EXPECT_EQ(game.frightened, 0);
}

TEST(FrightenedMode, OutsideTheModeTheTimerOnlyMovesItsStartOnFromTimeToTime) {
    StartAtLevel(1);
    game.frightStartTick = GetTickCount() - 6501;
    UpdateFrightenedMode();
    EXPECT_EQ(game.frightened, 0);
    EXPECT_EQ(game.frightElapsed, 6501);
    EXPECT_EQ(game.frightStartTick, GetTickCount());
}

TEST(FrightenedPictures, TheBlinkScheduleAtItsEdges) {
    REQUIRE_SPRITES();
    StartAtLevel(1);
    StartFrightenedMode();
    EXPECT_EQ(PictureSource(GhostActor(1)), 10);
    const struct {
        int32_t e;
        int want;
    } schedule[] = {{0, 10},    {4500, 10}, {4501, 1},  {4599, 1},  {4600, 10}, {5500, 10}, {5501, 1},
                    {5549, 1},  {5550, 10}, {6000, 10}, {6001, 1},  {6049, 1},  {6050, 10}, {6200, 10},
                    {6201, 1},  {6249, 1},  {6250, 10}, {6300, 10}, {6301, 1},  {6349, 1},  {6350, 10},
                    {6400, 10}, {6401, 1},  {6500, 1},  {-1, 10},   {-1200, 10}};
    for (const auto& point : schedule) {
        game.frightStartTick = GetTickCount();  // keep the period running
        EXPECT_EQ(PicturesAt(point.e), point.want) << "at " << point.e << " ms";
    }
}

TEST(FrightenedPictures, TheUpdateSeesTheElapsedTimeOfThePreviousOne) {
    REQUIRE_SPRITES();
    StartAtLevel(1);
    StartFrightenedMode();
    AdvanceClock(4501);
    UpdateFrightenedMode();  // computes 4501 but draws by the 0 before it
    EXPECT_EQ(PictureSource(GhostActor(3)), 10);
    EXPECT_EQ(game.frightElapsed, 4501);
    AdvanceClock(13);
    UpdateFrightenedMode();
    EXPECT_EQ(PictureSource(GhostActor(3)), 17);
}

TEST(FrightenedPictures, OutsideTheModeEveryGhostShowsItsOwnColours) {
    REQUIRE_SPRITES();
    StartAtLevel(1);
    for (int g = 1; g <= kGhostCount; ++g) CopySpriteImage(10, GhostActor(g));
    UpdateFrightenedMode();
    for (int g = 1; g <= kGhostCount; ++g) EXPECT_EQ(PictureSource(GhostActor(g)), 14 + g);
}

TEST(FrightenedPictures, TheSharedFrameIsSelectedAgainAfterTheCopies) {
    REQUIRE_SPRITES();
    StartAtLevel(1);
    game.ghostFrame = 4;
    game.ghostFrameRow = 32;
    StartFrightenedMode();
    for (int id = 5; id <= 9; ++id) {
        SpriteView view;
        ASSERT_TRUE(ViewSprite(id, view));
        EXPECT_EQ(view.frameX, 96);
        EXPECT_EQ(view.frameY, 32);
        EXPECT_EQ(view.frameWidth, 32);
        EXPECT_EQ(view.frameHeight, 32);
    }
}

TEST(FrightenedPictures, AGhostEatenEarlyMakesTheElapsedTimeNegativeAndTheGhostsStayBlue) {
    REQUIRE_SPRITES();
    StartAtLevel(1);
    PlaceActor(kPlayer, 180, 384);
    StartFrightenedMode();
    int32_t start = GetTickCount();
    AdvanceClock(300);
    PlaceActor(GhostActor(2), 180, 384);
    EatGhosts();  // shows the label, pauses 500 ms and moves the start on by 1200
    EXPECT_EQ(game.frightStartTick, start + 1200);
    EXPECT_GE(GetTickCount() - start, 800);
    UpdateFrightenedMode();
    EXPECT_EQ(game.frightElapsed, GetTickCount() - start - 1200);
    EXPECT_LT(game.frightElapsed, 0);
    AdvanceClock(13);
    UpdateFrightenedMode();
    for (int g = 1; g <= kGhostCount; ++g) EXPECT_EQ(PictureSource(GhostActor(g)), 10) << g;
    EXPECT_EQ(game.frightened, 1);
}
