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
        // A chosen device that is not plugged in: the default stands in, or nothing opens.
        standingIn_ = !preferred_.empty() && !preferredThere;
        const bool opens = plugged && (!standingIn_ || fallBack_);
        render_ = opens ? render : nullptr;
        context_ = context;
        return opens;
    }
    void prefer(const std::string& name, bool fallBack) override {
        const std::lock_guard<std::mutex> lock(m_);
        preferred_ = name;
        fallBack_ = fallBack;
    }
    bool standingIn() const override { return standingIn_; }
    bool preferredPresent() override { return preferredThere; }
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
    std::atomic<bool> preferredThere{true}; // the device chosen by name is plugged in

  private:
    std::mutex m_;
    std::atomic<bool> started_{false};
    std::string preferred_;
    bool fallBack_ = true;
    std::atomic<bool> standingIn_{false};
    Render render_ = nullptr;
    void* context_ = nullptr;
};
