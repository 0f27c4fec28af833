// Where the game keeps the player's files on a system with XDG folders.
#include "shell/command_line.h"

const char* GameFilesHelp() {
    return "\nFiles: settings.ini and gamecontrollerdb.txt in $XDG_CONFIG_HOME/gulpkin (or\n"
           "~/.config/gulpkin); the options win over settings.ini. The best score (Hit\n"
           "Score.ini) and Capture_Gulpkin.bmp go to ~/.local/share/gulpkin, or beside the\n"
           "game when its asset pack lies there.\n";
}
