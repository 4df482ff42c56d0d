#pragma once
#include <atomic>
#include <cstdint>

// Master gain per channel, applied per sample. A new level is reached by a straight ramp over
// rampFrames (a few milliseconds): no click, no zipper noise, and the level set is the level heard
// well within one 256-frame period, even when the level changes a thousand times a second.
class GainSmoother {
  public:
    static constexpr int kDefaultRampFrames = 128; // 2.7 ms at 48000 Hz

    explicit GainSmoother(int rampFrames = kDefaultRampFrames);

    // Any thread (the UI thread in practice): the level to move to; linear gains, 1 is unchanged.
    void setTarget(float left, float right);

    // Output thread: multiplies interleaved stereo frames in place, advancing the ramp.
    void process(float* interleaved, int frames);

    int rampFrames() const { return rampFrames_; }

  private:
    void beginRamp(std::uint64_t packedTarget);

    static std::uint64_t pack(float left, float right);
    static float unpack(std::uint64_t packed, int channel);

    std::atomic<std::uint64_t> target_;
    static_assert(std::atomic<std::uint64_t>::is_always_lock_free, "the output callback must not lock");

    // Owned by the output thread.
    const int rampFrames_;
    std::uint64_t rampTarget_;
    float current_[2] = {1.0f, 1.0f};
    float step_[2] = {0.0f, 0.0f};
    int framesLeft_ = 0;
};
