// Recording a game on the headless backend and replaying it: the replay ends
// with the recording's summary line after passing every frame checksum,
// writes the best score only to its scratch directory, stops at the frame
// where it drifts, refuses a damaged recording with one line, and a
// recording cut short by a full disk leaves the old file as it was.
#include "sound/audio_output.h"
#include "platform/headless/headless.h"
#include "platform/journal/journal_format.h"
#include "shell/command_line.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// The file calls that make a finished file last, as the writer makes them,
// noted while `fileCalls` is set: this program's own fsync, rename and
// renameat stand in for the C library's and hand each call on to it.
std::vector<std::string>* fileCalls = nullptr;

extern "C" int fsync(int fd) {
    static auto real = reinterpret_cast<int (*)(int)>(dlsym(RTLD_NEXT, "fsync"));
    struct stat info{};
    if (fileCalls != nullptr) fileCalls->push_back(fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) ? "sync folder" : "sync file");
    return real(fd);
}

extern "C" int rename(const char* from, const char* to) noexcept {
    static auto real = reinterpret_cast<int (*)(const char*, const char*)>(dlsym(RTLD_NEXT, "rename"));
    if (fileCalls != nullptr) fileCalls->push_back("rename");
    return real(from, to);
}

extern "C" int renameat(int fromFolder, const char* from, int toFolder, const char* to) noexcept {
    static auto real = reinterpret_cast<int (*)(int, const char*, int, const char*)>(dlsym(RTLD_NEXT, "renameat"));
    if (fileCalls != nullptr) fileCalls->push_back("rename");
    return real(fromFolder, from, toFolder, to);
}

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int exitCode = -1;
    std::string line;  // the last line printed
    std::string errors;
};

Outcome RunProgram(HeadlessRun run) {
    std::ostringstream out, errors;
    Outcome outcome;
    outcome.exitCode = RunHeadless(run, out, errors);
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) outcome.line = line;
    outcome.errors = errors.str();
    return outcome;
}

Outcome Record(const std::string& script, const std::string& path, int level = 0, bool joystick = false) {
    HeadlessRun run;
    run.script = script;
    run.directLevel = level;
    run.joystick = joystick;
    run.recordPath = path;
    return RunProgram(run);
}

Outcome Replay(const std::string& path) {
    HeadlessRun run;
    run.replayPath = path;
    return RunProgram(run);
}

// From the title: level 1 chosen, the player steered round and spending a
// charge until the last life is lost (a best score is made), then Escape on
// the end-of-game screen ends the program.
// With `capture`, F12 is held a moment in play.
std::string WholeGameScript(bool capture = false) {
    const char* keys[] = {"LEFT", "UP", "RIGHT", "DOWN", "LEFT", "DOWN", "SPACE"};
    std::string script = "790 keys F1\n792 keys\n";
    for (int frame = 900, i = 0; frame < 3900; frame += 97, ++i) {
        script += std::to_string(frame) + " keys " + keys[i % 7] + "\n";
        if (capture && frame == 1094) script += "1150 keys F12\n";
    }
    return script + "4200 keys ESC\n";
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
}

std::string ReadText(const std::string& path) {
    std::vector<uint8_t> bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

// The replay's scratch folders go under TMPDIR; each test gets its own.
class ReplayHeadless : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directory("tmp");
        setenv("TMPDIR", (dir.Path() + "/tmp").c_str(), 1);
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        savedRuntime = runtime != nullptr ? runtime : "";
        unsetenv("XDG_RUNTIME_DIR");
    }
    void TearDown() override {
        unsetenv("TMPDIR");
        if (!savedRuntime.empty()) setenv("XDG_RUNTIME_DIR", savedRuntime.c_str(), 1);
    }
    std::string Tmp() { return dir.Path() + "/tmp"; }
    ScratchGameDir dir;
    std::string savedRuntime;
};

TEST_F(ReplayHeadless, EndsWithTheRecordingsLineAfterEveryFrameChecksum) {
    struct Case {
        const char* name;
        std::string script;
        int level;
        bool joystick;
    };
    const Case cases[] = {
        {"a whole game, ended with Escape", WholeGameScript(), 0, false},
        {"a game cut off mid-level, as by a closed window", "1 keys LEFT\n200 keys UP\n400 keys SPACE\n401 keys\n700 quit\n", 1, false},
        {"the joystick, and the focus lost a while", "1 joy -1 0 0 0\n100 joy 0 -1 0 0\n200 joy 1 0 1 0\n201 joy 1 0 0 0\n"
                                                      "300 focus lost\n400 focus back\n600 quit\n", 1, true},
        {"nothing but the title intro", "100 keys ESC\n", 0, false},
    };
    for (const Case& c : cases) {
        std::remove("Hit Score.ini");
        std::vector<std::string> calls;
        fileCalls = &calls;
        Outcome recorded = Record(c.script, "game.rec", c.level, c.joystick);
        fileCalls = nullptr;
        // the file is on the disk before its name, and its name before the end
        const std::vector<std::string> lasting = {"sync file", "rename", "sync folder"};
        EXPECT_TRUE(calls.size() >= 3 && std::equal(lasting.begin(), lasting.end(), calls.end() - 3))
            << c.name << ": " << testing::PrintToString(calls);
        ASSERT_EQ(recorded.exitCode, 0) << c.name << recorded.errors;
        Json line = ParseJson(recorded.line);
        EXPECT_GT(line["frames"].Int(), 0) << c.name;
        EXPECT_EQ(line["frameHash"].text.size(), 16u) << c.name;
        Outcome replayed = Replay("game.rec");
        EXPECT_EQ(replayed.exitCode, 0) << c.name << replayed.errors;
        EXPECT_EQ(replayed.line, recorded.line) << c.name;
        EXPECT_EQ(replayed.errors, "") << c.name;
    }
}

// Every file under `root` (links not followed) with its bytes, or the link's target.
std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string name = entry.path().string();
        if (entry.is_symlink()) files[name] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file()) files[name] = ReadText(name);
        else files[name] = "folder";
    }
    return files;
}

// The whole game made a best score and a capture (F12); its replay makes
// them again in a fresh scratch folder of its own, removed at the end. What
// another user planted in the temporary folder under the old fixed name (a
// folder open to all with links to the player's files, or a link to the
// player's data folder) is never written through, and the player's own best
// score keeps what the player has now.
TEST_F(ReplayHeadless, WritesItsFilesOnlyToAScratchFolderOfItsOwn) {
    std::remove("Hit Score.ini");
    Outcome recorded = Record(WholeGameScript(true), "game.rec");
    ASSERT_EQ(recorded.exitCode, 0) << recorded.errors;
    Json line = ParseJson(recorded.line);
    ASSERT_EQ(line["lives"].Int(), -1);
    ASSERT_GT(line["highScore"].Int(), 0);
    EXPECT_NE(ReadText("Hit Score.ini").find("HitScore = " + std::to_string(line["highScore"].Int())), std::string::npos);
    ASSERT_TRUE(fs::exists("Capture_Gulpkin.bmp"));
    fs::remove("Capture_Gulpkin.bmp");

    const std::string planted = Tmp() + "/gulpkin-replay-" + std::to_string(getuid());
    fs::create_directories("victim/data");
    WriteBytes("victim/notes.txt", {'m', 'i', 'n', 'e'});
    WriteBytes("victim/data/Hit Score.ini", {'H', '=', '1'});
    fs::create_directory(planted);
    fs::permissions(planted, fs::perms::all);
    for (const char* name : {"Hit Score.ini", "Hit Score.ini.new", "Capture_Gulpkin.bmp"}) {
        fs::create_symlink(dir.Path() + "/victim/notes.txt", planted + "/" + name);
    }
    fs::create_symlink(dir.Path() + "/victim/data", Tmp() + "/gulpkin-replay-linked");
    WriteBytes("Hit Score.ini", {'H', 'i', 't', 'S', 'c', 'o', 'r', 'e', '=', '7'});
    const auto before = Snapshot(dir.Path());

    Outcome replayed = Replay("game.rec");
    EXPECT_EQ(replayed.line, recorded.line) << replayed.errors;
    EXPECT_EQ(Snapshot(dir.Path()), before);
}

// "clear" empties the board behind the game's back, so the replay, which has
// no script, goes on playing the level: it stops within 75 frames.
TEST_F(ReplayHeadless, StopsAndNamesTheFrameWhereItDrifts) {
    Outcome recorded = Record("1 keys LEFT\n300 clear\n600 quit\n", "drift.rec", 1);
    ASSERT_EQ(recorded.exitCode, 0) << recorded.errors;
    Outcome replayed = Replay("drift.rec");
    EXPECT_EQ(replayed.exitCode, 1);
    EXPECT_EQ(replayed.line, "");
    ASSERT_NE(replayed.errors.find("drifted"), std::string::npos) << replayed.errors;
    size_t at = replayed.errors.find("frame ");
    ASSERT_NE(at, std::string::npos);
    int frame = std::atoi(replayed.errors.c_str() + at + 6);
    EXPECT_GE(frame, 300);
    EXPECT_LE(frame, 375);
}

// SIGINT, SIGTERM and SIGHUP end the game the way Escape does: the recording
// is finished where the signal came, and replays to the same line. Without
// the signal the game would run on for thousands of frames.
TEST_F(ReplayHeadless, ASignalEndsTheGameWithAWholeRecording) {
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        HeadlessRun run;
        run.script = "1 keys LEFT\n200 call signal\n";
        run.directLevel = 1;
        run.recordPath = "signal.rec";
        run.calls["signal"] = [signal] { std::raise(signal); };
        Outcome recorded = RunProgram(run);
        ASSERT_EQ(recorded.exitCode, 0) << signal << recorded.errors;
        EXPECT_LE(ParseJson(recorded.line)["frames"].Int(), 202) << signal;
        Outcome replayed = Replay("signal.rec");
        EXPECT_EQ(replayed.exitCode, 0) << signal << replayed.errors;
        EXPECT_EQ(replayed.line, recorded.line) << signal;
    }
}

// A pipe or a folder in place of the file to write is never replaced, and
// the run says so.
TEST_F(ReplayHeadless, ARecordingOrAudioFileNeverReplacesAPipeOrAFolder) {
    mkfifo("pipe", 0600);
    fs::create_directory("folder");
    for (const char* target : {"pipe", "folder"}) {
        for (bool audio : {false, true}) {
            HeadlessRun run;
            run.script = "1 quit\n";
            (audio ? run.audioPath : run.recordPath) = target;
            Outcome outcome = RunProgram(run);
            EXPECT_NE(outcome.exitCode, 0) << target << audio;
            EXPECT_NE(outcome.errors.find(target), std::string::npos) << target << audio << outcome.errors;
        }
    }
    EXPECT_TRUE(fs::is_fifo("pipe"));
    EXPECT_TRUE(fs::is_directory("folder") && fs::is_empty("folder"));
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
        std::string name = entry.path().filename().string();
        EXPECT_TRUE(name.find(".part") == std::string::npos && name.find(".tmp") == std::string::npos) << name;
    }
}

// A disk that fills up while the game records (a file size limit, with its
// signal ignored, does the same to every write past it): the game says so
// and exits 1 without its summary line, and the old recording stays whole.
TEST_F(ReplayHeadless, ARecordingCutShortByAFullDiskLeavesTheOldFile) {
    const std::string script = "1 keys LEFT\n400 keys UP\n700 quit\n";
    ASSERT_EQ(Record(script, "game.rec", 1).exitCode, 0);
    const std::vector<uint8_t> old = ReadBytes("game.rec");
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limit = saved;
    limit.rlim_cur = old.size() / 2;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    Outcome cut = Record(script, "game.rec", 1);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_EQ(cut.line, "");
    EXPECT_EQ(cut.errors, "gulpkin: cannot write game.rec: File too large\n");
    EXPECT_TRUE(ReadBytes("game.rec") == old);
    for (const auto& entry : fs::directory_iterator("."))
        EXPECT_EQ(entry.path().filename().string().rfind("game.rec.", 0), std::string::npos) << entry.path();
}

// The player's sound setting is no answer of the machine: a recording made
// with the sound on or off replays to its line with the sound on or off.
TEST_F(ReplayHeadless, ReplaysTheSameWithTheSoundOnOrOff) {
    for (bool recordedSound : {false, true}) {
        for (bool replayedSound : {false, true}) {
            AllowAudioOutput(recordedSound);
            Outcome recorded = Record("1 keys LEFT\n200 keys UP\n300 quit\n", "sound.rec", 1);
            AllowAudioOutput(replayedSound);
            Outcome replayed = Replay("sound.rec");
            AllowAudioOutput(true);
            ASSERT_EQ(recorded.exitCode, 0) << recorded.errors;
            EXPECT_EQ(replayed.exitCode, 0) << recordedSound << replayedSound << replayed.errors;
            EXPECT_EQ(replayed.line, recorded.line) << recordedSound << replayedSound;
        }
    }
}

// A pipe or a device named as the recording or the script is refused at
// once with one line, by both programs: neither waits on the pipe nor reads
// the device for ever.
TEST_F(ReplayHeadless, ReadsOnlyRegularFiles) {
    ASSERT_EQ(mkfifo("pipe", 0600), 0);
    const struct {
        Program program;
        const char* option;
        const char* path;
    } cases[] = {
        {Program::Game, "--replay", "pipe"},          {Program::Headless, "--replay", "pipe"},
        {Program::Headless, "--script", "pipe"},      {Program::Game, "--replay", "/dev/zero"},
        {Program::Headless, "--replay", "/dev/zero"}, {Program::Headless, "--script", "/dev/zero"},
    };
    for (const auto& c : cases) {
        const char* arguments[] = {"gulpkin", c.option, c.path, nullptr};
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        int code = c.program == Program::Game ? StartFromCommandLine(3, arguments)
                                              : HeadlessMain(3, const_cast<char**>(arguments));
        testing::internal::GetCapturedStdout();
        std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_NE(code, 0) << c.option << " " << c.path;
        EXPECT_NE(errors.find(c.path), std::string::npos) << errors;
        EXPECT_NE(errors.find(" is not a regular file"), std::string::npos) << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    }
}

// The recording's own hash, made again over changed bytes.
std::vector<uint8_t> Rehashed(std::vector<uint8_t> bytes) {
    uint64_t hash = journal::HashBytes(bytes.data(), bytes.size() - 8, journal::kHashSeed);
    for (int i = 0; i < 8; ++i) bytes[bytes.size() - 8 + i] = static_cast<uint8_t>(hash >> (8 * i));
    return bytes;
}

TEST_F(ReplayHeadless, RefusesABadRecordingWithOneLine) {
    ASSERT_EQ(Record("1 keys LEFT\n150 quit\n", "good.rec", 1).exitCode, 0);
    const std::vector<uint8_t> good = ReadBytes("good.rec");
    const size_t versionAt = 8, packAt = 8 + 1 + 1 + 3;  // after the magic, the format, "1.1"
    const size_t levelAt = packAt + 8;
    ASSERT_EQ(std::string(good.begin() + 10, good.begin() + 13), "1.1");
    ASSERT_EQ(good[levelAt], 1);
    auto changed = [&](size_t at, uint8_t value, uint8_t next = 0) {
        std::vector<uint8_t> bytes = good;
        bytes[at] = value;
        if (next != 0) bytes[at + 1] = next;
        return bytes;
    };
    // where the first frame checksum's stored hash and the first blob's
    // bytes lie: changed, they still decode, and only the hash of the whole
    // file tells
    journal::Recording recording;
    journal::Expected anyGame;
    anyGame.strict = false;
    std::string problem;
    ASSERT_TRUE(journal::CheckRecording(good, anyGame, recording, problem));
    size_t storedChecksum = 0, blobByte = 0;
    for (size_t at = recording.bodyStart; storedChecksum == 0 || blobByte == 0;) {
        journal::Token token;
        ASSERT_EQ(journal::DecodeToken(good, at, token), journal::Decoded::Ok);
        if (token.type == journal::Token::Type::Checksum && storedChecksum == 0) storedChecksum = at - 1;
        if (token.op == journal::Op::Blob && token.payloadSize > 0 && blobByte == 0) blobByte = token.payload;
    }
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* says;
    };
    const Case cases[] = {
        {"empty", {}, "is empty"},
        {"truncated", std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(good.size() / 2)), "is truncated"},
        {"one byte short", std::vector<uint8_t>(good.begin(), good.end() - 1), "is truncated"},
        {"garbled", changed(good.size() / 2, good[good.size() / 2] ^ 0x24), "is damaged"},
        {"a frame's stored checksum", changed(storedChecksum, good[storedChecksum] ^ 1), "is damaged"},
        {"a byte of a blob", changed(blobByte, good[blobByte] ^ 1), "is damaged"},
        {"the whole file's hash", changed(good.size() - 1, good.back() ^ 1), "is damaged"},
        {"not a recording", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0}, "is not a Gulpkin recording"},
        {"other format", changed(versionAt, 9), "format 9"},
        {"other game version", changed(12, '2'), "made by Gulpkin 1.2"},
        {"a version with a C1 control", changed(10, 0xC2, 0x9B), "made by Gulpkin \\xC2\\x9B1;"},
        {"a start level past the last", Rehashed(changed(levelAt, 31)), "is damaged"},
        {"other asset pack", changed(packAt, good[packAt] ^ 1), "another asset pack"},
    };
    for (const Case& c : cases) {
        WriteBytes("bad.rec", c.bytes);
        Outcome replayed = Replay("bad.rec");
        EXPECT_EQ(replayed.exitCode, 1) << c.name;
        EXPECT_EQ(replayed.line, "") << c.name;
        EXPECT_EQ(headless::PresentedFrames(), 0) << c.name << ": the game started";
        EXPECT_NE(replayed.errors.find(c.says), std::string::npos) << c.name << ": " << replayed.errors;
        EXPECT_NE(replayed.errors.find("bad.rec"), std::string::npos) << c.name;
        EXPECT_EQ(std::count(replayed.errors.begin(), replayed.errors.end(), '\n'), 1) << c.name;
    }
    EXPECT_EQ(Replay("missing.rec").exitCode, 1);
}

}  // namespace
