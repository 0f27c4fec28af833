// The headless driver's "dump" line.
#include "shell/state_dump.h"

#include "core/game_state.h"
#include "sound/sound.h"

#include <sstream>

namespace {

const char* ScreenName(Screen screen) {
    switch (screen) {
        case Screen::Startup: return "startup";
        case Screen::Title: return "title";
        case Screen::Play: return "play";
        case Screen::Death: return "death";
        case Screen::Transition: return "transition";
        case Screen::Congratulation: return "congratulation";
        case Screen::Options: return "options";
    }
    return "startup";
}

const char* DirectionName(Direction direction) {
    switch (direction) {
        case Direction::Left: return "left";
        case Direction::Right: return "right";
        case Direction::Up: return "up";
        case Direction::Down: return "down";
        case Direction::None: break;
    }
    return "none";
}

const char* ActiveBonus() {
    static const char* const names[] = {"none", "life", "charge", "speed", "apple"};
    for (int kind = kBonusLife; kind <= kBonusApple; ++kind) {
        if (game.bonusItems[kind].active) return names[kind];
    }
    return "none";
}

int DotsLeft() {
    int left = 0;
    for (int i = 1; i <= kDotCount; ++i) left += game.dotX[i] != -1050 && game.dotX[i] != 0;
    for (int k = 1; k <= kEnergizerCount; ++k) left += game.energizerX[k] != -100 && game.energizerX[k] != 0;
    return left;
}

void WriteGhosts(std::ostream& out) {
    out << "\"ghosts\":[";
    for (int g = 1; g <= kGhostCount; ++g) {
        const Actor& a = game.actors[GhostActor(g)];
        if (g > 1) out << ',';
        out << "{\"x\":" << a.x << ",\"y\":" << a.y << ",\"step\":" << int(a.step) << ",\"aimX\":" << int(game.aimX[g])
            << ",\"aimY\":" << int(game.aimY[g]) << ",\"seesPlayer\":" << game.seesPlayer[g] << '}';
    }
    out << "],";
}

void WriteSounds(std::ostream& out) {
    out << "\"sounds\":[";
    std::vector<int> started = TakeStartedSounds();
    for (size_t i = 0; i < started.size(); ++i) out << (i ? "," : "") << started[i];
    out << ']';
}

}  // namespace

std::string DumpGameState(long long frame, long long tick) {
    std::ostringstream out;
    const Actor& player = game.actors[kPlayer];
    out << "{\"frame\":" << frame << ",\"tick\":" << tick << ",\"screen\":\"" << ScreenName(game.screen) << "\""
        << ",\"level\":" << game.level << ",\"score\":" << game.score << ",\"highScore\":" << game.highScore
        << ",\"lives\":" << int(game.lives) << ",\"eatenCount\":" << game.eatenCount
        << ",\"frightCharges\":" << int(game.frightCharges) << ",\"speedItems\":" << int(game.speedItems)
        << ",\"frightened\":" << int(game.frightened) << ",\"frightElapsed\":" << game.frightElapsed
        << ",\"player\":{\"x\":" << player.x << ",\"y\":" << player.y << ",\"step\":" << int(player.step) << "}"
        << ",\"direction\":\"" << DirectionName(game.direction) << "\",\"wish\":\"" << DirectionName(game.wish)
        << "\",";
    WriteGhosts(out);
    out << "\"dots\":" << DotsLeft() << ",\"bonus\":\"" << ActiveBonus() << "\",\"music\":" << PlayingMusic()
        << ",\"musicVolume\":" << PlayingMusicVolume() << ',';
    WriteSounds(out);
    out << '}';
    return out.str();
}
