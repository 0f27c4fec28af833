// The careful writer as another user would try it and as a full disk would
// break it: links in folders others can write, temporary names, failures
// that say why, and the replay's scratch folder when $XDG_RUNTIME_DIR is not
// the player's. A link another user owns is made by chowning one's own link,
// which only a superuser may do; those rows are skipped otherwise.
#include "platform/files/file_system.h"
#include "shell/headless/driver.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
namespace pfs = platform::fs;

constexpr uid_t kOtherUser = 4242;

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool Write(const std::string& path, const std::string& text, std::string& error) {
    return pfs::WriteFileSafely(path, text.data(), text.size(), pfs::Access::Private, error);
}

class FileWriter : public ::testing::Test {
protected:
    std::string Path(const std::string& name) { return dir.Path() + "/" + name; }
    // a folder of the given mode, holding a link named `link` to `target`,
    // owned by `owner` (chowned when it is not this user)
    std::string Folder(const std::string& name, fs::perms mode, const std::string& link, const std::string& target,
                       uid_t owner) {
        fs::create_directory(Path(name));
        fs::permissions(Path(name), mode);
        std::string at = Path(name + "/" + link);
        fs::create_symlink(target, at);
        if (owner != geteuid()) {
            EXPECT_EQ(lchown(at.c_str(), owner, static_cast<gid_t>(-1)), 0);
        }
        return at;
    }
    ScratchGameDir dir;
};

// Through a link in a folder others can write, only the player's own link is
// followed; another user's is refused in one line and the file it names is
// untouched, whether the link is the file or a folder on the way.
TEST_F(FileWriter, FollowsALinkInASharedFolderOnlyWhenThePlayerOwnsIt) {
    if (geteuid() != 0) GTEST_SKIP() << "making a link another user owns needs a superuser";
    fs::create_directory(Path("home"));
    const std::string notes = Path("home/notes.txt");
    const fs::perms sticky = fs::perms::all | fs::perms::sticky_bit;
    const fs::perms group = fs::perms::owner_all | fs::perms::group_all;
    struct Case {
        const char* name;
        std::string target;  // the path written
        bool followed;
    };
    const Case cases[] = {
        {"another user's link, sticky folder", Folder("sticky", sticky, "demo.rec", notes, kOtherUser), false},
        {"another user's link, group folder", Folder("group", group, "demo.wav", notes, kOtherUser), false},
        {"another user's folder link", Folder("tmp", sticky, "d", Path("home"), kOtherUser) + "/notes.txt", false},
        {"the player's link, sticky folder", Folder("mine", sticky, "demo.rec", notes, geteuid()), true},
        {"another user's link, private folder", Folder("private", fs::perms::owner_all, "x", notes, kOtherUser), true},
    };
    for (const Case& c : cases) {
        WriteText(notes, "my notes");
        std::string error;
        EXPECT_EQ(Write(c.target, "GULPKREC", error), c.followed) << c.name << ": " << error;
        EXPECT_EQ(ReadText(notes), c.followed ? "GULPKREC" : "my notes") << c.name;
        EXPECT_TRUE(fs::is_symlink(c.target) || !c.followed) << c.name;
        if (!c.followed) {
            EXPECT_EQ(error, "cannot write " + c.target + ": it is a link another user owns in a shared folder");
        }
    }
    EXPECT_EQ(Names(Path("home")), std::vector<std::string>{"notes.txt"}) << "no temporary file left";
}

// Temporary names are unique: a file planted under the old fixed name is
// left alone, and two files written to one name at once both arrive, the
// last one staying; nothing else is left beside them.
TEST_F(FileWriter, TemporaryNamesNeverCollide) {
    fs::create_directory(Path("shared"));
    const std::string target = Path("shared/x.rec");
    WriteText(target + ".part", "planted");
    pfs::PendingFile first, second;
    std::string error;
    ASSERT_TRUE(first.Begin(target, pfs::Access::Private, error)) << error;
    ASSERT_TRUE(second.Begin(target, pfs::Access::Private, error)) << error;
    first.Write("first", 5);
    second.Write("second", 6);
    EXPECT_TRUE(first.Commit(error)) << error;
    EXPECT_EQ(ReadText(target), "first");
    EXPECT_TRUE(second.Commit(error)) << error;
    EXPECT_EQ(ReadText(target), "second");
    EXPECT_EQ(Names(Path("shared")), (std::vector<std::string>{"x.rec", "x.rec.part"}));
    EXPECT_EQ(ReadText(target + ".part"), "planted");
}

// A write that fails says why and leaves nothing behind: a file larger than
// the process may write, and a rename onto a folder. A finished recording
// that cannot take its target's place is kept, under the name the error gives.
TEST_F(FileWriter, AFailureSaysWhyAndKeepsOnlyAFinishedRecording) {
    fs::create_directory(Path("out"));
    const std::string target = Path("out/game.rec");
    WriteText(target, "old");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &small);
    std::string error;
    bool written = Write(target, "more than four bytes", error);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, "cannot write " + target + ": File too large");
    EXPECT_EQ(Names(Path("out")), std::vector<std::string>{"game.rec"});

    for (bool keep : {false, true}) {
        pfs::PendingFile file;
        ASSERT_TRUE(file.Begin(target, pfs::Access::Private, error)) << error;
        if (keep) file.KeepIfNotRenamed();
        file.Write("GULPKREC whole", 14);
        fs::remove(target);
        fs::create_directories(target + "/taken");  // the rename now fails
        EXPECT_FALSE(file.Commit(error));
        fs::remove_all(target);
        std::vector<std::string> left = Names(Path("out"));
        ASSERT_EQ(left.size(), keep ? 1u : 0u) << error;
        if (!keep) {
            EXPECT_EQ(error, "cannot write " + target + ": Is a directory");
            continue;
        }
        EXPECT_EQ(error, "cannot replace " + target + ": Is a directory; the finished file is kept as " +
                             Path("out/" + left[0]));
        EXPECT_EQ(left[0].rfind("game.rec.tmp-", 0), 0u) << left[0];
        EXPECT_EQ(ReadText(Path("out/" + left[0])), "GULPKREC whole");
    }
}

// $XDG_RUNTIME_DIR is used only when it is the player's own private,
// writable folder; otherwise (as after `su`) a replay makes its scratch
// folder under $TMPDIR and plays.
TEST_F(FileWriter, AReplayPlaysWhenTheRuntimeFolderIsNotThePlayers) {
    setenv("TMPDIR", dir.Path().c_str(), 1);
    fs::create_directory(Path("run"));
    fs::permissions(Path("run"), fs::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", Path("run").c_str(), 1);
    EXPECT_EQ(pfs::TemporaryFolder(), Path("run"));
    fs::permissions(Path("run"), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    EXPECT_EQ(pfs::TemporaryFolder(), dir.Path()) << "not private";
    if (geteuid() == 0) {
        fs::permissions(Path("run"), fs::perms::owner_all);
        ASSERT_EQ(chown(Path("run").c_str(), kOtherUser, static_cast<gid_t>(-1)), 0);
        EXPECT_EQ(pfs::TemporaryFolder(), dir.Path()) << "another user's";
    }

    setenv("XDG_RUNTIME_DIR", Path("gone").c_str(), 1);
    HeadlessRun run;
    run.script = "1 keys LEFT\n100 quit\n";
    run.directLevel = 1;
    run.recordPath = "game.rec";
    std::ostringstream recorded, replayed, errors;
    ASSERT_EQ(RunHeadless(run, recorded, errors), 0) << errors.str();
    run.recordPath.clear();
    run.replayPath = "game.rec";
    EXPECT_EQ(RunHeadless(run, replayed, errors), 0) << errors.str();
    EXPECT_EQ(replayed.str(), recorded.str());
    unsetenv("XDG_RUNTIME_DIR");
    unsetenv("TMPDIR");
}

}  // namespace
