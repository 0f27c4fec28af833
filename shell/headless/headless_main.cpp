// gulpkin-headless: the game on the headless backend, steered by a script.
#include "shell/headless/driver.h"

int main(int argc, char** argv) {
    return HeadlessMain(argc, argv);
}
