#pragma once
// A sound card the test plugs in and pulls out: it opens only while plugged in, reads as lost once pulled
// out, and the test thread takes its periods in place of the card. Every call may come from another thread.
#include "audio/OutputBackend.h"

#include <atomic>
#include <mutex>

class StandInOutput : public OutputBackend {
  public:
    bool open(Render render, void* context) override {
        const std::lock_guard<std::mutex> lock(m_);
        ++opens_;
        render_ = plugged_ ? render : nullptr;
        context_ = context;
        return plugged_;
    }
    void start() override { started_ = true; }
    bool lost() override { return !plugged_; }
    void close() override {
        const std::lock_guard<std::mutex> lock(m_); // no pull is left running once this returns
        started_ = false;
    }
    void plug(bool in) { plugged_ = in; }
    int opens() const { return opens_; }
    // The next frames as the card would take them; false while no device of this card plays.
    bool pull(float* interleaved, int frames) {
        const std::lock_guard<std::mutex> lock(m_);
        const bool playing = started_ && plugged_ && render_;
        if (playing)
            render_(context_, interleaved, frames);
        return playing;
    }

  private:
    std::mutex m_;
    std::atomic<bool> plugged_{true};
    std::atomic<bool> started_{false};
    std::atomic<int> opens_{0};
    Render render_ = nullptr;
    void* context_ = nullptr;
};
