// A played frame allocates nothing: every operator new of the program is
// counted, and the count must not move over hundreds of frames of play.
#include "core/game_state.h"
#include "tests/support/play_scenario.h"
#include "tests/support/scenario.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

// The replacements below pair every new with malloc and every delete with
// free; GCC cannot see that through inlining and warns about a mismatch.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {
std::atomic<long long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
// The no-throw forms too (a stable sort's buffer uses them), so that every
// allocation and release goes through the same pair under any allocator.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    ++allocations;
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}

namespace {

// The player walks left, turns down and left again, eating dots on the way,
// with the ghosts roaming. The script's own commands cost the driver a copy
// each; two hooks run back to back measure that cost, which is taken off.
TEST(PlayedFrame, AllocatesNothing) {
    ScratchGameDir dir;
    HeadlessRun options;
    options.directLevel = 1;
    long long atStart = 0, atEnd = 0, afterOneMore = 0;
    options.calls["start"] = [&] { atStart = allocations.load(); };
    options.calls["end"] = [&] { atEnd = allocations.load(); };
    options.calls["again"] = [&] { afterOneMore = allocations.load(); };
    ScenarioResult run = RunScenario(
        "1 keys LEFT\n20 call start\n25 keys DOWN\n70 keys LEFT\n320 call end\n320 call again\n321 quit\n", options);
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_GT(atEnd, 0);
    const long long perCommand = afterOneMore - atEnd;
    const int commandsBetween = 3;  // keys DOWN, keys LEFT, call end
    EXPECT_EQ(atEnd - atStart - commandsBetween * perCommand, 0) << "allocations over 300 played frames";
}

}  // namespace
