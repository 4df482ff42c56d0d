// The sound device goes away under a running title and comes back (a sound server restart, a card pulled and
// plugged in again): the silent clock carries the title meanwhile, and the device plays on from there.
#include "audio/AudioEngine.h"
#include "platform/SteadyClock.h"
#include "support/StandInOutput.h"
#include "support/TestSignal.h"
#include "support/TestTitles.h"

#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace {

class DeviceLoss : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(TestTitles::get().ok); }

    // Polls cond every 2 ms for up to 3 s; true as soon as it holds.
    bool eventually(const std::function<bool()>& cond) {
        for (const std::int64_t deadline = clock.nowUs() + 3000000; !cond();) {
            if (clock.nowUs() > deadline) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }
    // The engine on a stand-in card, plugged in or not when the desk starts.
    void startDesk(bool plugged) {
        auto device = std::make_unique<StandInOutput>();
        device->plug(plugged);
        card = device.get();
        engine = std::make_unique<AudioEngine>(clock, std::move(device));
    }
    AudioEngine::VoiceId play(std::int64_t ms) {
        AudioEngine::VoiceId id = -1;
        EXPECT_EQ(engine->open(TestTitles::get().wav48, id), AudioError::None);
        EXPECT_EQ(engine->playFrom(id, ms), AudioError::None);
        return id;
    }
    // What the card takes next is the test signal from frame `from` on, bit for bit.
    void expectHeardFrom(std::int64_t from) {
        std::vector<float> got(1024);
        ASSERT_TRUE(card->pull(got.data(), 512));
        EXPECT_EQ(TestSignal::maxError(TestSignal::stereo16(48000, from, 512), 0, got, 512), 0.0)
            << "from frame " << from;
    }

    SteadyClock clock;
    StandInOutput* card = nullptr;
    std::unique_ptr<AudioEngine> engine;
};

TEST_F(DeviceLoss, TitleGoesOnSilentlyAndIsHeardAgainWhereTheSilentClockCarriedIt) {
    startDesk(true);
    ASSERT_TRUE(engine->hasDevice());
    const AudioEngine::VoiceId id = play(12500);
    expectHeardFrom(600000);
    card->plug(false);
    ASSERT_TRUE(eventually([&] { return !engine->hasDevice(); }));
    const std::int64_t lostAt = engine->positionFrames(id);
    EXPECT_GE(lostAt, 600512);
    // The silent clock carries the title in real time while there is no device.
    ASSERT_TRUE(eventually([&] { return engine->positionFrames(id) > lostAt + 9600; }));
    card->plug(true);
    ASSERT_TRUE(eventually([&] { return engine->hasDevice(); }));
    // Neither back to where the device went nor to the start: on from where the silent clock got to.
    const std::int64_t backAt = engine->positionFrames(id);
    EXPECT_GT(backAt, lostAt + 9600);
    expectHeardFrom(backAt);
    expectHeardFrom(backAt + 512);
    EXPECT_EQ(engine->deviceReopenCount(), 1);
    EXPECT_FALSE(engine->takeNoDeviceNotice()) << "the start-up notice is for a desk that starts without";
}

TEST_F(DeviceLoss, ADeviceThatWasNeverFoundIsTriedUntilItComes) {
    startDesk(false);
    EXPECT_FALSE(engine->hasDevice());
    EXPECT_TRUE(engine->takeNoDeviceNotice());
    const AudioEngine::VoiceId id = play(0);
    ASSERT_TRUE(eventually([&] { return engine->positionFrames(id) > 4800; }));
    // Tried again and again, about twice a second, for as long as the desk runs.
    ASSERT_TRUE(eventually([&] { return card->opens() >= 3; }));
    EXPECT_FALSE(engine->hasDevice());
    card->plug(true);
    ASSERT_TRUE(eventually([&] { return engine->hasDevice(); }));
    expectHeardFrom(engine->positionFrames(id));
}

} // namespace
