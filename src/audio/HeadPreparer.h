#pragma once
#include "audio/HeadCache.h"
#include "audio/SpscRing.h"
#include "platform/TitleCheck.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

// Prepares the heads of the titles on the consoles' boards and finds the titles that cannot play, on a thread
// of its own that gets its fair share of the machine but never pushes in front of the desk's other threads.
// Deep offsets come first: a press there costs most without a head. The consoles hand in their boards and poll
// the findings; the engine's presses take the heads from the cache. A title whose head is ready and whose file
// is unchanged is not decoded again, also after a switch to another team and back, so a board reload costs a
// look at each file. Every public function is for the UI thread unless it says so.
class HeadPreparer : public TitleCheck {
  public:
    explicit HeadPreparer(HeadCache& cache);
    ~HeadPreparer() override;
    HeadPreparer(const HeadPreparer&) = delete;
    HeadPreparer& operator=(const HeadPreparer&) = delete;

    void checkBoard(const void* client, const std::vector<Title>& titles) override;
    std::vector<Finding> takeFindings(const void* client) override;
    bool busy(const void* client) const override;
    void forget(const void* client) override;

    // Any thread: goes over the boards again (a file changed under its head).
    void recheck();
    // For tests and benchmarks: waits until every board is done; false when timeoutMs passed first.
    bool waitUntilIdle(int timeoutMs);

    // The heads of the teams switched away from stay within this much memory (a full board takes about 11 MB).
    static constexpr std::size_t kKeepBytes = 40u << 20;
    static constexpr std::size_t kKeepFaults = 1024;

  private:
    struct Board {
        const void* client = nullptr;
        std::uint64_t generation = 0;
        std::vector<Title> titles;
        std::vector<Finding> found;
        bool done = false;
    };
    struct KnownFault {
        FileStamp stamp;
        Fault fault;
        std::int64_t durationMs;
        std::uint64_t wantedAt;
    };
    using Key = std::pair<QString, std::int64_t>;

    Board* boardOf(const void* client); // under mutex_
    void loop();
    bool runPass(std::unique_lock<std::mutex>& lock, std::uint64_t pass);
    bool checkTitle(const Title& title, Finding& finding);
    HeadCache::Head make(const QString& path, const FileStamp& stamp, Finding& finding);

    HeadCache& cache_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::vector<Board> boards_; // guarded by mutex_; in the order the clients came
    std::atomic<std::uint64_t> changes_{0};
    std::uint64_t generations_ = 0;     // guarded by mutex_
    std::uint64_t idleAt_ = 0;          // guarded by mutex_; the changes seen when the thread last rested
    bool quit_ = false;                 // guarded by mutex_
    std::atomic<bool> quitting_{false}; // the title in work gives up at once
    std::map<Key, KnownFault> faults_;  // preparing thread only
    std::uint64_t passes_ = 0;          // preparing thread only
    SpscRing ring_;                     // preparing thread only
    std::thread thread_;
};
