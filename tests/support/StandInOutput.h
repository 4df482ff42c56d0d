#pragma once
// A sound device the test plugs in and pulls out: it opens only while plugged in, reads as lost once pulled
// out, and the test thread takes its periods in place of a sound card.
#include "audio/OutputBackend.h"

#include <mutex>

class StandInOutput : public OutputBackend {
  public:
    bool open(Render render, void* context) override {
        std::lock_guard<std::mutex> lock(m_);
        ++opens_;
        if (!plugged_) {
            return false;
        }
        render_ = render;
        context_ = context;
        return true;
    }
    void start() override {
        std::lock_guard<std::mutex> lock(m_);
        started_ = render_ != nullptr;
    }
    bool lost() override {
        std::lock_guard<std::mutex> lock(m_);
        return !plugged_;
    }
    void close() override {
        std::lock_guard<std::mutex> lock(m_);
        render_ = nullptr;
        started_ = false;
    }

    void plug(bool in) {
        std::lock_guard<std::mutex> lock(m_);
        plugged_ = in;
    }
    // How often the desk tried to open it.
    int opens() {
        std::lock_guard<std::mutex> lock(m_);
        return opens_;
    }
    // Test thread: the next frames as the card would take them; false (nothing rendered) while no device
    // of this stand-in is started.
    bool pull(float* interleaved, int frames) {
        std::lock_guard<std::mutex> lock(m_);
        if (!started_ || !plugged_) {
            return false;
        }
        render_(context_, interleaved, frames);
        return true;
    }

  private:
    std::mutex m_;
    bool plugged_ = true;
    bool started_ = false;
    int opens_ = 0;
    Render render_ = nullptr;
    void* context_ = nullptr;
};
