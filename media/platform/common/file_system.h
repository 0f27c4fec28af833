// The machine's file calls that need care, for both backends: writing a file
// so that it is never seen half-written and never written through a link
// planted in its place, reading a file with a bound, and private folders.
//
// A written file is made under a fresh name beside its target (created
// exclusively, never through a link), written, synced, renamed over the
// target's real path (a target that is a link stays a link and the file it
// names is replaced), and the folder is synced. A new file has the mode of
// the file it replaces, else 0600 (private) or what the user's umask allows
// (shared). The system calls are in file_system_posix.cpp; another system
// gets a variant file of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform::fs {

// who may read a new file that replaces none
enum class Access { Private, Shared };

// A file being written; Commit puts it in place of its target, anything else
// (Abandon, destruction) leaves the target as it was.
class PendingFile {
public:
    PendingFile() = default;
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile() { Abandon(); }

    // Starts the file that will replace `target`: named `target` + `suffix`
    // beside the target's real path (a leftover of that name is removed
    // first), or a unique name when `suffix` is empty. False and a one-line
    // error when it cannot be created, or when the target is there but is no
    // regular file (a device, a pipe or a folder is never replaced).
    bool Begin(const std::string& target, Access access, const std::string& suffix, std::string& error);
    // appends bytes; a failure is remembered until Commit
    bool Write(const void* data, size_t size);
    // writes bytes at `offset` from the start (a header filled in at the end)
    bool WriteAt(uint64_t offset, const void* data, size_t size);
    // syncs the file, renames it over the target and syncs the folder; false
    // (and the target untouched) when any write or step failed
    bool Commit();
    // removes the file being written; harmless when none is
    void Abandon();
    bool IsOpen() const { return handle_ >= 0; }
    // the target's real path, once Begin succeeded
    const std::string& Target() const { return target_; }

private:
    int handle_ = -1;
    bool failed_ = false;
    std::string temporary_;
    std::string target_;
};

// writes the whole file as above; false when it could not be written completely
bool WriteFileSafely(const std::string& path, const void* data, size_t size, Access access);
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

}  // namespace platform::fs
