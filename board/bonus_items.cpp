// The four bonus items: the roll that picks one and its place, showing it
// while its condition holds, and taking it.
//
// An item's centre is (x + bonusOffsetX, y + bonusOffsetY) with x = 234 and
// y = 180 while shown (-100 while hidden), so it can only stand at (234, 180),
// (809, 180), (234, 612) or (809, 612): on corridors between two crossings.
#include "board/dots.h"

#include "core/game_state.h"
#include "core/random.h"
#include "pictures/screen.h"
#include "sound/sound.h"
#include "core/values.h"

namespace {

constexpr int16_t kShownY = 180;
constexpr int16_t kHiddenY = -100;
constexpr int32_t kRollPeriod = 10000;  // ms an untaken item stays

// sprite by BonusKind (1..4)
constexpr int kBonusSprite[5] = {0, 506, 508, 507, 509};

bool MayShow(int kind) {
    switch (kind) {
        case kBonusLife: return game.lives < 5;
        case kBonusCharge: return game.frightCharges < 5;
        case kBonusSpeed: return game.actors[kPlayer].step < 6;
        default: return true;
    }
}

int ItemLeft(const BonusItem& item) {
    return item.x + game.bonusOffsetX - 8;
}

void ShowItems() {
    for (int kind = kBonusLife; kind <= kBonusApple; ++kind) {
        BonusItem& item = game.bonusItems[kind];
        if (item.active != 0 && MayShow(kind)) {
            item.y = kShownY;
            DrawSpriteKeyed(kBonusSprite[kind], ItemLeft(item), kShownY + game.bonusOffsetY - 8);
        } else {
            item.y = kHiddenY;
        }
    }
}

void PutAway(BonusItem& item) {
    item.active = 0;
    item.y = kHiddenY;
}

// The 1000-points label goes 8 pixels below where the apple was drawn, and
// the frame as drawn so far (without the actors) stands still for 600 ms.
void TakeApple(BonusItem& item) {
    PutAway(item);
    DrawSpriteKeyed(505, ItemLeft(item), kShownY + game.bonusOffsetY);
    PresentFrame();
    game.score += 1000;
    StartSound(7, 0);
    Pause(600);
}

void TakeItem(int kind) {
    BonusItem& item = game.bonusItems[kind];
    switch (kind) {
        case kBonusLife:
            PutAway(item);
            game.lives += 1;
            StartSound(4, 0);
            break;
        case kBonusCharge:
            PutAway(item);
            game.frightCharges += 1;
            StartSound(1, 0);
            break;
        case kBonusSpeed:
            if (game.speedItems > 2) break;
            PutAway(item);
            game.speedItems += 1;
            StartSound(6, 0);
            break;
        default: TakeApple(item); break;
    }
}

// Only a shown item can be taken: a hidden one sits at y - 100 plus the
// offset, which with the lower offset is on screen (y 324).
void TakeItems() {
    const Actor& player = game.actors[kPlayer];
    for (int kind = kBonusLife; kind <= kBonusApple; ++kind) {
        const BonusItem& item = game.bonusItems[kind];
        if (item.y != kShownY) continue;
        int top = item.y + game.bonusOffsetY - 8;
        if (SpritesOverlap(kPlayer, player.x - 16, player.y - 16, kBonusSprite[kind], ItemLeft(item), top) != 0) {
            TakeItem(kind);
        }
    }
}

bool AnyItemActive() {
    for (int kind = kBonusLife; kind <= kBonusApple; ++kind) {
        if (game.bonusItems[kind].active != 0) return true;
    }
    return false;
}

// The item goes to the other half of the screen from the player: across for
// side 1, up or down for side 0; the other offset stays.
void PlaceItem(int side) {
    const Actor& player = game.actors[kPlayer];
    if (side == 1) {
        game.bonusOffsetX = player.x - 16 < 512 ? 575 : 0;
    } else {
        game.bonusOffsetY = player.y - 16 < 384 ? 432 : 0;
    }
}

// Kinds 0 life, 1 charge, 3 apple, 2, 4, 5, 6 speed; a life at 5 lives
// becomes the speed item, a charge at 5 charges the apple.
int ChosenItem(int roll) {
    int kind = roll == 0 ? kBonusLife : roll == 1 ? kBonusCharge : roll == 3 ? kBonusApple : kBonusSpeed;
    if (kind == kBonusLife && game.lives >= 5) kind = kBonusSpeed;
    if (kind == kBonusCharge && game.frightCharges >= 5) kind = kBonusApple;
    return kind;
}

}  // namespace

void UpdateBonusItems() {
    ShowItems();
    TakeItems();
}

void RollBonusItem() {
    int32_t now = GetTickCount();
    if (now - game.bonusRollTick <= kRollPeriod && AnyItemActive()) return;
    game.bonusRollKind = static_cast<int8_t>(RandomUpTo(6));
    game.bonusRollSide = static_cast<int8_t>(RandomUpTo(1));
    PlaceItem(game.bonusRollSide);
    int chosen = ChosenItem(game.bonusRollKind);
    for (int kind = kBonusLife; kind <= kBonusApple; ++kind) game.bonusItems[kind].active = kind == chosen ? 1 : 0;
    game.bonusRollTick = now;
}

void AwardExtraLives() {
    if (game.score - game.extraLifeMark < 10000) return;
    // The mark advances by exactly 10000 even when no life is given.
    game.extraLifeMark += 10000;
    if (game.lives < 5) {
        game.lives += 1;
        StartSound(4, 0);
    }
}
