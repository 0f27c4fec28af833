// libFuzzer target: recordings of a game.
#include "tests/fuzz/fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzRecording(data, size);
    return 0;
}
