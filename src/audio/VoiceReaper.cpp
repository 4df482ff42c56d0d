#include "audio/VoiceReaper.h"

#include "audio/Voice.h"

VoiceReaper::VoiceReaper() : thread_(&VoiceReaper::loop, this) {}

VoiceReaper::~VoiceReaper() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void VoiceReaper::retire(std::unique_ptr<Voice> voice) {
    if (!voice) {
        return;
    }
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        pending_.push_back(std::move(voice));
    }
    wake_.notify_all();
}

// Reaper thread: each voice joins its decoder thread in its destructor, here and not on the UI thread.
void VoiceReaper::loop() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || !pending_.empty(); });
        std::vector<std::unique_ptr<Voice>> batch;
        batch.swap(pending_);
        const bool quit = quit_;
        lock.unlock();
        batch.clear();
        lock.lock();
        if (quit && pending_.empty()) {
            return;
        }
    }
}
