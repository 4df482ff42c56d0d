#pragma once
// A sound card the test plugs in and pulls out: it opens only while plugged in, reads as lost once pulled
// out, and the test thread takes its periods in place of the card. Every call may come from another thread.
#include "audio/OutputBackend.h"

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
    void start() override { set(started_, render_ != nullptr); }
    bool lost() override { return !get(plugged_); }
    void close() override { set(started_, false); }
    void plug(bool in) { set(plugged_, in); }
    int opens() { return get(opens_); }
    // The next frames as the card would take them; false while no device of this card plays.
    bool pull(float* interleaved, int frames) {
        const std::lock_guard<std::mutex> lock(m_);
        if (started_ && plugged_)
            render_(context_, interleaved, frames);
        return started_ && plugged_;
    }

  private:
    template <class T> void set(T& field, T value) {
        const std::lock_guard<std::mutex> lock(m_);
        field = value;
    }
    template <class T> T get(const T& field) {
        const std::lock_guard<std::mutex> lock(m_);
        return field;
    }

    std::mutex m_;
    bool plugged_ = true;
    bool started_ = false;
    int opens_ = 0;
    Render render_ = nullptr;
    void* context_ = nullptr;
};
