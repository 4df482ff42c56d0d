#include "audio/SpscRing.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

// The decoder and the output side at once, in odd chunk sizes against an odd capacity (rounded up to a
// power of two): every frame arrives once, whole and in order, through partial writes and wraps.
TEST(SpscRing, TwoThreadsPassEveryFrameOnceAndInOrder) {
    SpscRing ring(50);
    constexpr int kTotal = 50000;
    std::thread producer([&] {
        std::vector<float> chunk;
        for (int next = 0; next < kTotal;) {
            chunk.clear();
            for (int i = next; i < std::min(next + 37, kTotal); ++i)
                chunk.insert(chunk.end(), {static_cast<float>(i), static_cast<float>(-i)});
            next += static_cast<int>(ring.write(chunk.data(), chunk.size() / 2));
        }
    });
    int expected = 0;
    bool inOrder = true;
    std::vector<float> out(2 * 29 + 1, 99.0f);
    while (expected < kTotal) {
        const std::size_t n = ring.read(out.data(), 29);
        for (std::size_t i = 0; i < n; ++i, ++expected)
            inOrder = inOrder && out[2 * i] == static_cast<float>(expected) && out[2 * i + 1] == -out[2 * i];
    }
    producer.join();
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(out.back(), 99.0f) << "read beyond the frames asked for";
}
