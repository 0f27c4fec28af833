// The random generator against values worked out by hand from its
// definition (an independent implementation, not this code).
#include "core/random.h"

#include <gtest/gtest.h>

#include <set>

TEST(Random, KnownSequences) {
    RandomSeed(12345);
    const int32_t big[] = {279131741, 710553141, 662444041, 341221924, 585009084};
    for (int32_t expected : big) EXPECT_EQ(RandomUpTo(999999999), expected);

    RandomSeed(0);
    const int32_t coin[] = {1, 1, 1, 0, 0, 1, 1, 0, 0, 0, 1, 0, 1, 1, 1, 0};
    for (int32_t expected : coin) EXPECT_EQ(RandomUpTo(1), expected);

    RandomSeed(4000000000u);
    const int32_t kinds[] = {5, 2, 5, 2, 6, 3, 1, 0, 4, 5};
    for (int32_t expected : kinds) EXPECT_EQ(RandomUpTo(6), expected);
    EXPECT_EQ(RandomUpTo(2147483647), 989131357);
    EXPECT_EQ(RandomUpTo(-5), INT32_MIN);  // a step is still taken
    EXPECT_EQ(RandomUpTo(0), 0);
}

TEST(Random, SameSeedSameSequenceAndEveryValueInRange) {
    RandomSeed(77);
    std::vector<int32_t> first;
    for (int i = 0; i < 50; ++i) first.push_back(RandomUpTo(100));
    RandomSeed(77);
    std::set<int32_t> seen;
    for (int i = 0; i < 50; ++i) EXPECT_EQ(RandomUpTo(100), first[i]);
    for (int i = 0; i < 5000; ++i) {
        int32_t v = RandomUpTo(6);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 6);
        seen.insert(v);
        ASSERT_EQ(RandomUpTo(0), 0);
    }
    EXPECT_EQ(seen.size(), 7u);
}
