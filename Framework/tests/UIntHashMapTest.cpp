#include "UIntHashMap.h"

#include <gtest/gtest.h>

namespace {

TEST(UIntHashMap, KeysFallIntoBucketsBySixteens)
{
    struct Case { UINT key; UINT bucket; } cases[] = {{0, 0}, {15, 0}, {16, 1}, {272, 0}, {288, 1}, {0xFFFFFFFFu, (0xFFFFFFFFu >> 4) % 17}};
    for (const Case& c : cases)
        EXPECT_EQ(UIntHashMap::BucketOf(c.key), c.bucket) << c.key;

    UIntHashMap map(0);
    *map.ValueAt(0) = 100;
    *map.ValueAt(272) = 200;
    *map.ValueAt(16) = 300;
    UINT keys[4] = {};
    ASSERT_EQ(map.KeysInBucket(0, keys, 4), 2);
    EXPECT_EQ(keys[0], 272u);  // newest at the head of the chain
    EXPECT_EQ(keys[1], 0u);
    ASSERT_EQ(map.KeysInBucket(1, keys, 4), 1);
    EXPECT_EQ(keys[0], 16u);
    UINT_PTR value = 0;
    ASSERT_TRUE(map.Lookup(272, &value));
    EXPECT_EQ(value, 200u);
    ASSERT_TRUE(map.Lookup(0, &value));
    EXPECT_EQ(value, 100u);
    EXPECT_FALSE(map.Lookup(32, &value));
}

TEST(UIntHashMap, RemovingTheLastKeyFreesAndTheNextInsertStartsOver)
{
    UIntHashMap map(2);
    for (UINT key = 0; key < 25; ++key)
        *map.ValueAt(key * 7) = key + 1;  // several blocks of two nodes
    EXPECT_EQ(map.Count(), 25);
    EXPECT_FALSE(map.RemoveKey(1000));
    for (UINT key = 0; key < 25; ++key) {
        UINT_PTR value = 0;
        ASSERT_TRUE(map.Lookup(key * 7, &value));
        EXPECT_EQ(value, key + 1);
        EXPECT_TRUE(map.RemoveKey(key * 7));
        EXPECT_FALSE(map.Lookup(key * 7, nullptr));
    }
    EXPECT_EQ(map.Count(), 0);
    EXPECT_FALSE(map.HasBuckets());
    EXPECT_EQ(*map.ValueAt(5), 0u);  // a new key starts at 0
    EXPECT_TRUE(map.HasBuckets());
    EXPECT_EQ(map.Count(), 1);
}

} // namespace
