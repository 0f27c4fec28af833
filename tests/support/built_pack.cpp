// Linked into every test program: the game takes its asset pack from beside
// its own program, and a test program lies elsewhere, so each test program
// names the built game's pack the way --data would.
#include "platform/platform.h"
#include "tests/support/tree_folders.h"

#include <gtest/gtest.h>

namespace {

class BuiltPack : public ::testing::Environment {
public:
    void SetUp() override { platform::UseAssetDirectory(kGameDir); }
};

[[maybe_unused]] const ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new BuiltPack);

}  // namespace
