#include "audio/HeadCache.h"

#include <algorithm>

void HeadCache::publish(Head head) {
    Head replaced;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        Entry& slot = heads_[Key(head->path, head->offsetMs)];
        replaced = std::move(slot.head);
        slot.head = std::move(head);
        slot.wantedAt = retains_ + 1; // made for the pass that runs now
    }
}

HeadCache::Head HeadCache::find(const QString& path, std::int64_t offsetMs) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto it = heads_.find(Key(path, offsetMs));
    return it == heads_.end() ? nullptr : it->second.head;
}

HeadCache::Head HeadCache::knownFile(const QString& path, const FileStamp& stamp) {
    std::vector<Head> stale;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        auto it = heads_.lower_bound(Key(path, INT64_MIN));
        for (; it != heads_.end() && it->first.first == path; ++it) {
            if (it->second.head->stamp == stamp)
                return it->second.head;
        }
        for (it = heads_.lower_bound(Key(path, INT64_MIN)); it != heads_.end() && it->first.first == path;) {
            stale.push_back(std::move(it->second.head));
            it = heads_.erase(it);
        }
    }
    if (!stale.empty() && onStale)
        onStale();
    return nullptr;
}

std::size_t HeadCache::bytesOf(const Head& head) {
    return sizeof(TitleHead) + head->samples.capacity() * sizeof(float);
}

std::vector<HeadCache::Head>
HeadCache::retain(const std::function<bool(const QString&, std::int64_t)>& wanted, std::size_t budgetBytes) {
    std::vector<Head> dropped;
    const std::lock_guard<std::mutex> lock(mutex_);
    const std::uint64_t now = ++retains_;
    std::size_t total = 0;
    std::vector<std::map<Key, Entry>::iterator> spare;
    for (auto it = heads_.begin(); it != heads_.end(); ++it) {
        if (wanted(it->first.first, it->first.second))
            it->second.wantedAt = now;
        else
            spare.push_back(it);
        total += bytesOf(it->second.head);
    }
    std::sort(spare.begin(), spare.end(),
              [](const auto& a, const auto& b) { return a->second.wantedAt < b->second.wantedAt; });
    for (auto it : spare) {
        if (total <= budgetBytes)
            break;
        total -= bytesOf(it->second.head);
        dropped.push_back(std::move(it->second.head));
        heads_.erase(it);
    }
    return dropped;
}

std::size_t HeadCache::count() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return heads_.size();
}

std::size_t HeadCache::bytes() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::size_t total = 0;
    for (const auto& entry : heads_)
        total += bytesOf(entry.second.head);
    return total;
}
