// A game played on the real backend replays on the headless one. The test
// starts its own Xvfb server, runs `gulpkin --record` on it, plays through
// the title into a game with keys sent by xdotool, ends it with Escape, and
// replays the recording with `gulpkin-headless --replay`: the two summary
// lines must be the same, and show a game that scored.
#include "tests/support/private_x_server.h"
#include "tests/support/tree_folders.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

bool Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// `gulpkin --record FILE` in `dir`, its output to dir/record.out
pid_t StartRecording(const fs::path& dir) {
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0 || !std::freopen("record.out", "w", stdout)) _exit(127);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::string game = GameFile("gulpkin");
        execl(game.c_str(), game.c_str(), "--record", "game.rec", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// A key held for a tenth of a second, so that the game's next read sees it.
void Tap(const std::string& key) {
    Shell("xdotool keydown " + key);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    Shell("xdotool keyup " + key);
}

void Hold(const std::string& key, int ms) {
    Shell("xdotool keydown " + key);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    Shell("xdotool keyup " + key);
}

// The game's title intro lasts about 15 s; F1 is tapped until the menu has
// surely taken it, then the player is steered and Escape ends the game.
// False when the game's window never came.
bool PlayAGame(pid_t game) {
    if (!Shell("timeout 30 xdotool search --sync --name '^(Gulpkin|Test)$'")) return false;
    auto start = Clock::now();
    while (Clock::now() - start < std::chrono::seconds(24)) {
        Tap("F1");
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
    }
    // steered round for ten seconds, so that dots are eaten even when a
    // loaded machine (or a sanitizer build) shows few frames a second
    for (auto steer = Clock::now(); Clock::now() - steer < std::chrono::seconds(10);) {
        for (const char* key : {"Left", "Up", "Right", "Down"}) Hold(key, 600);
        Tap("space");
    }
    for (int i = 0; i < 100 && waitpid(game, nullptr, WNOHANG) == 0; ++i) Tap("Escape");
    return true;
}

// the number after "score": in a summary line, -1 without one
long Score(const std::string& line) {
    size_t at = line.find("\"score\":");
    return at == std::string::npos ? -1 : std::strtol(line.c_str() + at + 8, nullptr, 10);
}

std::string LastLine(const std::string& text) {
    std::string trimmed = text.substr(0, text.find_last_not_of('\n') + 1);
    size_t start = trimmed.rfind('\n');
    return start == std::string::npos ? trimmed : trimmed.substr(start + 1);
}

std::string ReadText(const fs::path& path) {
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::string RunReplay(const fs::path& dir) {
    std::string command = "cd '" + dir.string() + "' && '" + GameFile("gulpkin-headless") + "' --replay game.rec";
    std::string out;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, got);
        pclose(pipe);
    }
    return LastLine(out);
}

TEST(SdlReplay, AGamePlayedInTheWindowReplaysHeadlessToTheSameLine) {
    ASSERT_TRUE(Shell("command -v xdotool")) << "xdotool missing";
    char pattern[] = "/tmp/gulpkin-sdl-replay-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    fs::path dir = pattern;
    for (const char* pack : {"graph", "font", "wav", "music"}) {
        fs::create_directory_symlink(fs::path(kGameDir) / pack, dir / pack);
    }
    PrivateXServer server;
    ASSERT_TRUE(server.Start("1024x768x24")) << "Xvfb did not start";
    pid_t game = StartRecording(dir);
    ASSERT_GT(game, 0);
    bool windowFound = PlayAGame(game);
    int status = 0;
    if (waitpid(game, &status, WNOHANG) == 0) {
        kill(game, SIGKILL);
        waitpid(game, &status, 0);
    }
    server.Stop();

    EXPECT_TRUE(windowFound) << "the game's window never came";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::string recorded = LastLine(ReadText(dir / "record.out"));
    EXPECT_GT(Score(recorded), 0) << recorded;
    std::string replayed = RunReplay(dir);
    EXPECT_NE(recorded.find("\"frames\":"), std::string::npos) << recorded;
    EXPECT_EQ(replayed, recorded);
    std::printf("recorded: %s (%ju bytes)\n", recorded.c_str(), static_cast<uintmax_t>(fs::file_size(dir / "game.rec")));
    fs::remove_all(dir);
}

}  // namespace
