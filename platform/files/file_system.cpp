// The careful file calls that need no system call of their own.
#include "platform/files/file_system.h"

namespace platform::fs {

bool WriteFileSafely(const std::string& path, const void* data, size_t size, Access access, std::string& error,
                     Durability durability) {
    PendingFile file;
    if (!file.Begin(path, access, error, durability)) return false;
    if (size > 0) file.Write(data, size);
    return file.Commit(error);
}

bool CanCreateBeside(const std::string& path) {
    PendingFile file;
    std::string error;
    return file.Begin(path, Access::Shared, error);  // abandoned when it goes
}

const char* ReadProblem(ReadOutcome outcome) {
    switch (outcome) {
        case ReadOutcome::Read: return "was read";
        case ReadOutcome::Missing: return "does not exist";
        case ReadOutcome::NotRegular: return "is not a regular file";
        case ReadOutcome::TooLarge: return "is too large";
        case ReadOutcome::Failed: return "cannot be read";
    }
    return "cannot be read";
}

}  // namespace platform::fs
