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
        render_ = plugged ? render : nullptr;
        context_ = context;
        return plugged;
    }
    void start() override { started_ = true; }
    bool lost() override { return !plugged; }
    void close() override {
        const std::lock_guard<std::mutex> lock(m_); // no pull is left running once this returns
        started_ = false;
    }
    // The next frames as the card would take them; false while no device of this card plays.
    bool pull(float* interleaved, int frames) {
        const std::lock_guard<std::mutex> lock(m_);
        const bool playing = started_ && plugged && render_;
        if (playing)
            render_(context_, interleaved, frames);
        return playing;
    }

    std::atomic<bool> plugged{true};

  private:
    std::mutex m_;
    std::atomic<bool> started_{false};
    Render render_ = nullptr;
    void* context_ = nullptr;
};
