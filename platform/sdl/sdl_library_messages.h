// The display libraries under SDL print their own lines on stderr when they
// find no display (libwayland: "error: XDG_RUNTIME_DIR is invalid or not set
// in the environment."), ahead of the game's own one-line message. While a
// LibraryMessagesHeldBack lives, stderr goes nowhere, unless the developer
// set GULPKIN_LIBRARY_MESSAGES=1 to see them.
#pragma once

namespace sdl {

class LibraryMessagesHeldBack {
public:
    LibraryMessagesHeldBack();
    ~LibraryMessagesHeldBack();
    LibraryMessagesHeldBack(const LibraryMessagesHeldBack&) = delete;
    LibraryMessagesHeldBack& operator=(const LibraryMessagesHeldBack&) = delete;

private:
    int savedStderr_ = -1;  // the real stderr while it is held back
};

}  // namespace sdl
