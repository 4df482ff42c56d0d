#include "audio/GainSmoother.h"

#include <algorithm>
#include <cstring>

GainSmoother::GainSmoother(int rampFrames)
    : target_(pack(1.0f, 1.0f)), rampFrames_(std::max(1, rampFrames)), rampTarget_(pack(1.0f, 1.0f)) {}

std::uint64_t GainSmoother::pack(float left, float right) {
    std::uint32_t l = 0;
    std::uint32_t r = 0;
    std::memcpy(&l, &left, sizeof l);
    std::memcpy(&r, &right, sizeof r);
    return static_cast<std::uint64_t>(l) | (static_cast<std::uint64_t>(r) << 32);
}

float GainSmoother::unpack(std::uint64_t packed, int channel) {
    const auto bits = static_cast<std::uint32_t>(channel == 0 ? packed : packed >> 32);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void GainSmoother::setTarget(float left, float right) {
    target_.store(pack(left, right), std::memory_order_release);
}

void GainSmoother::beginRamp(std::uint64_t packedTarget) {
    rampTarget_ = packedTarget;
    framesLeft_ = rampFrames_;
    for (int ch = 0; ch < 2; ++ch) {
        step_[ch] = (unpack(packedTarget, ch) - current_[ch]) / static_cast<float>(rampFrames_);
    }
}

void GainSmoother::process(float* interleaved, int frames) {
    // The target is read once per call: within a 256-frame period that is often enough, and it keeps
    // the atomic load out of the per-sample loop.
    const std::uint64_t target = target_.load(std::memory_order_acquire);
    if (target != rampTarget_) {
        beginRamp(target);
    }
    int i = 0;
    for (; i < frames && framesLeft_ > 0; ++i) {
        if (--framesLeft_ == 0) {
            current_[0] = unpack(rampTarget_, 0);
            current_[1] = unpack(rampTarget_, 1);
        } else {
            current_[0] += step_[0];
            current_[1] += step_[1];
        }
        interleaved[2 * i] *= current_[0];
        interleaved[2 * i + 1] *= current_[1];
    }
    const float gl = current_[0];
    const float gr = current_[1];
    if (gl == 1.0f && gr == 1.0f) {
        return;
    }
    for (; i < frames; ++i) {
        interleaved[2 * i] *= gl;
        interleaved[2 * i + 1] *= gr;
    }
}
