// Long runs of the whole game on random keys, checked at every frame: every
// actor stays on a grid line, never moves through a wall, and every counter
// stays in its range. One run per layout (levels 1..10) and on levels 11, 21
// and 30.
#include "board/maze.h"
#include "core/game_state.h"
#include "platform/headless/headless.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>

namespace {

constexpr int kFramesPerRun = 3000;

struct Position {
    int x = 0, y = 0;
};

int ColumnAt(int x) {
    for (int c = 1; c <= kColumns; ++c) {
        if (kColumnX[c] == x) return c;
    }
    return 0;
}

int RowAt(int y) {
    for (int r = 1; r <= kRows; ++r) {
        if (kRowY[r] == y) return r;
    }
    return 0;
}

// The column c such that x lies between column c and c + 1 (or on c).
int ColumnSegment(int x) {
    int c = 1;
    while (c < kColumns && kColumnX[c + 1] <= x) ++c;
    return c;
}

int RowSegment(int y) {
    int r = 1;
    while (r < kRows && kRowY[r + 1] <= y) ++r;
    return r;
}

class SoakChecker {
public:
    std::ostringstream faults;
    long checks = 0;
    long ghostMoves = 0;
    long gaps = 0;  // checks that came more than one frame after the last
    long frightenedChecks = 0;
    long livesLost = 0;

    void Check() {
        ++checks;
        int64_t frames = headless::PresentedFrames();
        gap_ = frames > lastFrames_ + 1;
        gaps += gap_ ? 1 : 0;
        lastFrames_ = frames;
        // Start the player off the pen's lines, where the ghosts could see it
        // and stand against the pen's floor until it moves.
        if (checks == 1) {
            game.actors[kPlayer].x = 180;
            game.actors[kPlayer].y = 612;
            LocateActors();
            LoadCellWalls();
        }
        if (game.lives < lives_) ++livesLost;
        if (game.lives < 1) game.lives = 1;  // keep the game going
        lives_ = game.lives;
        frightenedChecks += game.frightened;
        for (int actor = kPlayer; actor <= GhostActor(kGhostCount); ++actor) CheckActor(actor);
        if (checks > 1) CheckCounters();  // the first check comes before the first frame
        level_ = game.level;
    }

private:
    Position last_[10];
    int64_t lastFrames_ = 0;
    int lives_ = 3;
    bool gap_ = false;
    int level_ = -1;

    void Fault(int actor, const std::string& what) {
        if (faults.tellp() < 4000) {
            faults << "level " << game.level << " actor " << actor << " at (" << game.actors[actor].x << ", "
                   << game.actors[actor].y << ") from (" << last_[actor].x << ", " << last_[actor].y << "): " << what
                   << "\n";
        }
    }

    static bool IsHome(int actor, Position p) {
        return actor == kPlayer ? (p.x == 540 && p.y == 540) : (p.x == 540 && p.y == 468);
    }

    void CheckActor(int actor) {
        Position now{game.actors[actor].x, game.actors[actor].y};
        if (ColumnAt(now.x) == 0 && RowAt(now.y) == 0) Fault(actor, "off the grid lines");
        if (now.x < 0 || now.x > 1024 || now.y < 84 || now.y > 696) Fault(actor, "off the board");
        if (level_ == game.level && !gap_) CheckMove(actor, last_[actor], now);
        last_[actor] = now;
    }

    void CheckMove(int actor, Position a, Position b) {
        int dx = b.x - a.x, dy = b.y - a.y;
        if (dx == 0 && dy == 0) return;
        if (actor != kPlayer) ++ghostMoves;
        if (IsHome(actor, b) && std::abs(dx) + std::abs(dy) > 12) return;  // sent home
        if (dx != 0 && dy != 0) return Fault(actor, "moved on both axes");
        if (dx != 0) return CheckHorizontal(actor, a, b);
        if (std::abs(dy) > 12) return Fault(actor, "jumped");
        int c = ColumnAt(a.x), r = RowSegment(std::min(a.y, b.y));
        if (c == 0) return Fault(actor, "moved vertically off a column");
        bool open = dy > 0 ? game.maze[r][c].bottom == 0 : game.maze[r + 1 <= kRows ? r + 1 : r][c].top == 0;
        if (dy > 0 && a.y == kRowY[r] && !open) Fault(actor, "passed a bottom wall");
        if (dy < 0 && b.y < kRowY[r + 1 <= kRows ? r + 1 : r] && !open) Fault(actor, "passed a top wall");
    }

    void CheckHorizontal(int actor, Position a, Position b) {
        int r = RowAt(a.y);
        if (r == 0) return Fault(actor, "moved sideways off a row");
        int dx = b.x - a.x;
        if (std::abs(dx) > 12) {
            // the tunnel: 0 <-> 1024 and the snapped values near the right edge
            bool wrap = (a.x <= 12 && b.x >= 1008) || (a.x >= 1008 && b.x <= 12);
            if (!wrap) return Fault(actor, "jumped");
            if (game.maze[r][kColumns].right != 0 || game.maze[r][1].left != 0) Fault(actor, "wrapped without a tunnel");
            return;
        }
        int low = std::min(a.x, b.x);
        if (low < kColumnX[1] || low >= kColumnX[kColumns]) {
            // in the tunnel stretch beyond the outer columns
            if (game.maze[r][kColumns].right != 0 || game.maze[r][1].left != 0) Fault(actor, "in a closed tunnel");
            return;
        }
        int c = ColumnSegment(low);
        if (dx > 0 && game.maze[r][c].right != 0 && a.x == kColumnX[c]) Fault(actor, "passed a right wall");
        if (dx < 0 && game.maze[r][c + 1].left != 0 && a.x == kColumnX[c + 1]) Fault(actor, "passed a left wall");
        if (game.maze[r][c].right != 0 && game.maze[r][c + 1].left != 0) Fault(actor, "inside a closed segment");
    }

    void Expect(bool ok, const char* what) {
        if (!ok && faults.tellp() < 4000) faults << "level " << game.level << ": " << what << "\n";
    }

    static bool IsStep(int step, bool ghost) {
        return step == 2 || step == 3 || step == 4 || step == 6 || (ghost && step == 12);
    }

    void CheckCounters() {
        Expect(game.lives >= -1 && game.lives <= 5, "lives");
        Expect(game.score >= 0, "score");
        Expect(game.eatenCount >= 0 && game.eatenCount <= 110, "eatenCount");
        Expect(game.speedItems >= 0 && game.speedItems <= 3, "speedItems");
        Expect(game.frightCharges >= 0, "frightCharges");
        Expect(game.ghostsEaten >= 0 && game.ghostsEaten <= 4, "ghostsEaten");
        Expect(game.frightened == 0 || game.frightened == 1, "frightened");
        Expect(game.ghostFrameDelay == 0 || game.ghostFrameDelay == 100, "ghostFrameDelay");
        bool frameOk = game.ghostFrameRow == 0 ? game.ghostFrame >= 1 && game.ghostFrame <= 10
                                               : game.ghostFrameRow == 32 && game.ghostFrame >= 1 && game.ghostFrame <= 7;
        Expect(frameOk, "ghost frame");
        Expect(IsStep(game.actors[kPlayer].step, false), "player step");
        for (int g = 1; g <= kGhostCount; ++g) {
            Expect(game.aimX[g] >= 0 && game.aimX[g] <= 2 && game.aimY[g] >= 0 && game.aimY[g] <= 2, "aims");
            int flags = game.ghostMovingLeft[g] + game.ghostMovingRight[g] + game.ghostMovingDown[g] + game.ghostMovingUp[g];
            Expect(flags == 1, "one direction per ghost");
            Expect(IsStep(game.actors[GhostActor(g)].step, true), "ghost step");
            Expect(game.seesPlayer[g] == 0 || game.seesPlayer[g] == 1, "seesPlayer");
        }
    }
};

// Random arrows held for 5..40 frames at a time, sometimes with Space, a
// check at every frame.
std::string RandomKeysScript(unsigned seed) {
    std::mt19937 random(seed);
    const char* const arrows[] = {"LEFT", "RIGHT", "UP", "DOWN", ""};
    std::ostringstream script;
    for (int frame = 1; frame <= kFramesPerRun;) {
        // F1 does nothing in play but ends the wait after a lost life at once
        script << frame << " keys F1 " << arrows[random() % 5] << (random() % 12 == 0 ? " SPACE" : "") << "\n";
        frame += 5 + static_cast<int>(random() % 36);
    }
    for (int frame = 1; frame <= kFramesPerRun; ++frame) script << frame << " call check\n";
    script << kFramesPerRun << " quit\n";
    return script.str();
}

}  // namespace

class GhostSoak : public testing::TestWithParam<int> {};

TEST_P(GhostSoak, ActorsStayOnTheLinesBehindTheWallsAndCountersInRange) {
    ScratchGameDir dir;
    SoakChecker checker;
    HeadlessRun options;
    options.directLevel = GetParam();
    options.calls["check"] = [&] { checker.Check(); };
    ScenarioResult run = RunScenario(RandomKeysScript(1000u + static_cast<unsigned>(GetParam())), options);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_GE(checker.checks, kFramesPerRun);
    EXPECT_GT(checker.ghostMoves, kFramesPerRun);
    EXPECT_LT(checker.gaps, 5);
    std::cout << "level " << GetParam() << ": " << checker.checks << " checks, " << checker.ghostMoves
              << " ghost steps, " << checker.livesLost << " lives lost, " << checker.frightenedChecks
              << " frightened frames\n";
    EXPECT_EQ(checker.faults.str(), "");
}

INSTANTIATE_TEST_SUITE_P(EveryLayoutAndTheDifficulties, GhostSoak,
                         testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 21, 30));
