#include "audio/SpscRing.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

std::vector<float> frames(int first, int count) {
    std::vector<float> v;
    for (int i = first; i < first + count; ++i) {
        v.push_back(static_cast<float>(i));
        v.push_back(static_cast<float>(-i));
    }
    return v;
}

TEST(SpscRing, RoundsCapacityUpToAPowerOfTwo) {
    EXPECT_EQ(SpscRing(1000).capacityFrames(), 1024u);
    EXPECT_EQ(SpscRing(1024).capacityFrames(), 1024u);
}

TEST(SpscRing, TakesOnlyWhatFitsAndGivesBackInOrder) {
    SpscRing ring(8);
    const auto in = frames(0, 12);
    EXPECT_EQ(ring.write(in.data(), 12), 8u);
    EXPECT_EQ(ring.readable(), 8u);
    EXPECT_EQ(ring.writable(), 0u);
    std::vector<float> out(24, 99.0f);
    EXPECT_EQ(ring.read(out.data(), 12), 8u);
    EXPECT_EQ(std::vector<float>(out.begin(), out.begin() + 16),
              std::vector<float>(in.begin(), in.begin() + 16));
    EXPECT_EQ(out[16], 99.0f);
}

TEST(SpscRing, WrapsAroundTheEnd) {
    SpscRing ring(8);
    std::vector<float> out(16);
    const auto a = frames(0, 6);
    ring.write(a.data(), 6);
    ring.read(out.data(), 5);
    const auto b = frames(6, 7); // crosses the end of the storage
    EXPECT_EQ(ring.write(b.data(), 7), 7u);
    ASSERT_EQ(ring.read(out.data(), 8), 8u);
    EXPECT_EQ(std::vector<float>(out.begin(), out.begin() + 16), frames(5, 8));
}

TEST(SpscRing, ResetEmptiesIt) {
    SpscRing ring(8);
    const auto a = frames(0, 5);
    ring.write(a.data(), 5);
    ring.reset();
    EXPECT_EQ(ring.readable(), 0u);
    EXPECT_EQ(ring.writable(), 8u);
}

TEST(SpscRing, TwoThreadsPassEveryFrameOnceAndInOrder) {
    SpscRing ring(64);
    constexpr int kTotal = 200000;
    std::thread producer([&] {
        int next = 0;
        while (next < kTotal) {
            const auto chunk = frames(next, std::min(37, kTotal - next));
            next += static_cast<int>(ring.write(chunk.data(), chunk.size() / 2));
        }
    });
    int expected = 0;
    bool inOrder = true;
    std::vector<float> out(2 * 29);
    while (expected < kTotal) {
        const std::size_t n = ring.read(out.data(), 29);
        for (std::size_t i = 0; i < n; ++i, ++expected) {
            inOrder = inOrder && out[2 * i] == static_cast<float>(expected) && out[2 * i + 1] == -out[2 * i];
        }
    }
    producer.join();
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(ring.readable(), 0u);
}

} // namespace
