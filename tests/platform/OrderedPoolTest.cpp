#include "platform/OrderedPool.h"

#include <gtest/gtest.h>

TEST(OrderedPool, ResultsComeInOrderAndNeverRunFurtherAheadThanAllowed) {
    std::atomic<std::size_t> started{0}, furthest{0};
    OrderedPool<int> pool(
        200,
        [&](std::size_t i) {
            std::size_t seen = furthest;
            while (i > seen && !furthest.compare_exchange_weak(seen, i)) {
            }
            ++started;
            return int(i * i);
        },
        3);
    for (std::size_t i = 0; i < 200; ++i) {
        std::optional<int> result;
        while (!(result = pool.Take(i, 5))) {
        }
        EXPECT_EQ(*result, int(i * i));
        // Nothing beyond the window was begun.
        EXPECT_LT(furthest.load(), i + 1 + 3);
    }
    EXPECT_EQ(started.load(), 200u);
}

TEST(OrderedPool, StopLeavesTheRestUndone) {
    std::atomic<int> done{0};
    {
        OrderedPool<int> pool(1000, [&](std::size_t) { return ++done; }, 2);
        ASSERT_TRUE(pool.Take(0, 10000));
        pool.Stop();
    }
    EXPECT_LE(done.load(), 4);
}
