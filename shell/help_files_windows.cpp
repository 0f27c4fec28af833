// Where the game keeps the player's files on Windows: all in one folder,
// beside the game when it is started from its own folder and may write there
// (never in Program Files), otherwise the per-user one.
#include "shell/command_line.h"

const char* GameFilesHelp() {
    return "\nFiles: settings.ini, gamecontrollerdb.txt, the best score (Hit Score.ini) and\n"
           "Capture_Gulpkin.bmp are kept beside the game when it is started from its own\n"
           "folder and may write there (not in Program Files), otherwise in\n"
           "%APPDATA%\\gulpkin. The options win over settings.ini.\n";
}
