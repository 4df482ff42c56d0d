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
    // Keeps only the heads for which wanted(path, offsetMs) is true. The dropped ones are handed back, so
    // the caller frees them outside the lock.
    std::vector<Head> keepOnly(const std::function<bool(const QString&, std::int64_t)>& wanted);

    std::size_t count() const;
    std::size_t bytes() const;

    // Set once, before any other thread uses the cache; called on the thread that found the stale file.
    std::function<void()> onStale;

  private:
    using Key = std::pair<QString, std::int64_t>;
    mutable std::mutex mutex_;
    std::map<Key, Head> heads_;
};
