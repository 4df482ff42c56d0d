#pragma once
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class Voice;

// Ends closed voices on a thread of its own: a voice's decoder thread may be in the middle of opening and
// seeking a long title, and the press that closed it must not wait for that.
class VoiceReaper {
  public:
    VoiceReaper();
    // Ends every voice still handed over.
    ~VoiceReaper();
    VoiceReaper(const VoiceReaper&) = delete;
    VoiceReaper& operator=(const VoiceReaper&) = delete;

    // UI thread: the voice is no longer seen by the output side; it is ended soon.
    void retire(std::unique_ptr<Voice> voice);

  private:
    void loop();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<std::unique_ptr<Voice>> pending_; // guarded by mutex_
    bool quit_ = false;                           // guarded by mutex_
    std::thread thread_;
};
