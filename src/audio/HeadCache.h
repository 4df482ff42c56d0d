#pragma once
#include "audio/TitleHead.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

// The ready title heads, by title path and start offset. The preparing thread publishes them, a press takes
// them; the lock is held only to look up or change the table, never while decoding. A head that leaves the
// table lives on in a voice that plays it; its memory is freed by whichever of them lets go last, never by
// the output thread, which only ever sees a plain pointer held by its voice. Any thread.
class HeadCache {
  public:
    using Head = std::shared_ptr<const TitleHead>;

    void publish(Head head);
    // The head for this start, or nullptr.
    Head find(const QString& path, std::int64_t offsetMs) const;
    // A head of the file while the file on disk still has stamp (any start); nullptr otherwise. A file that
    // changed loses all its heads here, and onStale is told so that they are made again.
    Head knownFile(const QString& path, const FileStamp& stamp);
    // After a pass over the boards: the heads for which wanted(path, offsetMs) is true are marked as wanted
    // now; then, while the heads take more than budgetBytes, the ones wanted longest ago go (never one
    // wanted now). A team switched away from keeps its heads for when it comes back. The dropped ones are
    // handed back, so the caller frees them outside the lock.
    std::vector<Head> retain(const std::function<bool(const QString&, std::int64_t)>& wanted,
                             std::size_t budgetBytes);

    std::size_t count() const;
    std::size_t bytes() const;

    // Set once, before any other thread uses the cache; called on the thread that found the stale file.
    std::function<void()> onStale;

  private:
    using Key = std::pair<QString, std::int64_t>;
    struct Entry {
        Head head;
        std::uint64_t wantedAt = 0; // the retain() that last wanted it
    };
    static std::size_t bytesOf(const Head& head);

    mutable std::mutex mutex_;
    std::map<Key, Entry> heads_;
    std::uint64_t retains_ = 0;
};
