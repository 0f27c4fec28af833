// The machine's file calls that need care, for both backends: writing a file
// so that it is never seen half-written and never written through a link
// planted in its place, reading a file with a bound, and private folders.
//
// A written file is made under a fresh name beside its target (created
// exclusively, never through a link), written, synced, renamed over the
// target and the folder is synced. Links on the way to the target are
// followed only where the kernel's own protection would follow them: in a
// folder others can write (sticky, group- or world-writable) a link the user
// does not own is refused; the user's own links stay links (the file a
// dotfile link names is replaced). A new file has the mode of the file it
// replaces, else 0600 (private) or what the user's umask allows (shared).
// The system calls are in file_system_posix.cpp; another system gets a
// variant file of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::fs {

// who may read a new file that replaces none
enum class Access { Private, Shared };
// Synced: the file survives a crash of the system once Commit returns (a
// recording, the settings, the best score). Atomic: only never seen
// half-written (a screen capture, taken again at will, is not worth a stall).
enum class Durability { Synced, Atomic };

// A file being written; Commit puts it in place of its target, anything else
// (Abandon, destruction) leaves the target as it was and removes the file.
class PendingFile {
public:
    PendingFile() = default;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile() { Abandon(); }

    // Starts the file that will replace `target`, under a unique name beside
    // the file the target names. False and a one-line error ("cannot write
    // PATH: why") when it cannot be created, when a link on the way is
    // refused, or when the target is there but is no regular file (a device,
    // a pipe or a folder is never replaced).
    bool Begin(const std::string& target, Access access, std::string& error,
               Durability durability = Durability::Synced);
    // A finished file that cannot be renamed over its target is kept under
    // its own name (Commit's error gives it) instead of being removed.
    void KeepIfNotRenamed() { keepIfNotRenamed_ = true; }
    // appends bytes; a failure is remembered until Commit
    bool Write(const void* data, size_t size);
    // writes bytes at `offset` from the start (a header filled in at the end)
    bool WriteAt(uint64_t offset, const void* data, size_t size);
    // syncs the file, renames it over the target and syncs the folder; false
    // and a one-line error (the target untouched) when any step failed
    bool Commit(std::string& error);
    // removes the file being written; harmless when none is
    void Abandon();
    bool IsOpen() const { return handle_ >= 0; }

private:
    bool Fail(std::string& error, const std::string& what, int why);

    int handle_ = -1;
    int folder_ = -1;          // the folder the file is written in, held open
    int writeError_ = 0;       // the first failed write's errno, 0 = none
    Durability durability_ = Durability::Synced;
    bool keepIfNotRenamed_ = false;
    std::string shown_;        // the target as the caller named it
    std::string name_;         // the target's name in folder_
    std::string temporary_;    // the new file's name in folder_
    std::string temporaryPath_;  // the same with its folder, for messages
};

// writes the whole file as above; false and a one-line error when it could
// not be written completely
bool WriteFileSafely(const std::string& path, const void* data, size_t size, Access access, std::string& error,
                     Durability durability = Durability::Synced);
// whether a file could be created beside `path` (made and removed again)
bool CanCreateBeside(const std::string& path);

// How a bounded read ended.
enum class ReadOutcome { Read, Missing, NotRegular, TooLarge, Failed };
// reads `path` only if it is a regular file of at most `limit` bytes; never
// waits on a pipe or a device
ReadOutcome ReadRegularFile(const std::string& path, size_t limit, std::vector<uint8_t>& out);
// a few words on why a read did not succeed ("is not a regular file")
const char* ReadProblem(ReadOutcome outcome);

// makes `path` and any missing folder above it, each new one 0700
bool MakePrivateDirectories(const std::string& path);
// makes a fresh folder `parent`/`prefix`XXXXXX of mode 0700 and returns its
// path ending in '/'; "" when it cannot
std::string MakeUniqueDirectory(const std::string& parent, const std::string& prefix);
// removes the folder's files, never following a link, then the folder
void RemoveDirectoryTree(const std::string& path);
// whether `path` names a folder (following links)
bool IsDirectory(const std::string& path);
// the folder of the running program, ending in '/'; "" when unknown
std::string ExecutableDirectory();
// the user's own temporary folder (a replay's scratch folder goes there):
// $XDG_RUNTIME_DIR when it is a folder of the user's own, private and
// writable; else $TMPDIR or /tmp, where a scratch folder is made private
std::string TemporaryFolder();
// the player's settings folder where the system keeps settings apart
// ($XDG_CONFIG_HOME/gulpkin/, else ~/.config/gulpkin/), ending in '/'; ""
// where they go with the game's other files (Windows) or cannot be told
std::string SettingsFolder();
// whether a game whose asset pack lies beside its program keeps the player's
// files in that folder `folder` (Windows: only when it is writable and
// outside Program Files)
bool MayKeepFilesBesideProgram(const std::string& folder);

}  // namespace platform::fs
