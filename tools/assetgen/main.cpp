// gulpkin-assetgen GAME_DIRECTORY: writes the complete asset pack there.
#include <cstdio>

#include "tools/assetgen/asset_pack.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gulpkin-assetgen GAME_DIRECTORY\n");
        return 2;
    }
    return WriteAssetPack(argv[1]) ? 0 : 1;
}
