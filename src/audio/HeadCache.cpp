#include "audio/HeadCache.h"

void HeadCache::publish(Head head) {
    Head replaced;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        Head& slot = heads_[Key(head->path, head->offsetMs)];
        replaced = std::move(slot);
        slot = std::move(head);
    }
}

HeadCache::Head HeadCache::find(const QString& path, std::int64_t offsetMs) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto it = heads_.find(Key(path, offsetMs));
    return it == heads_.end() ? nullptr : it->second;
}

HeadCache::Head HeadCache::knownFile(const QString& path, const FileStamp& stamp) {
    std::vector<Head> stale;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        auto it = heads_.lower_bound(Key(path, INT64_MIN));
        for (; it != heads_.end() && it->first.first == path; ++it) {
            if (it->second->stamp == stamp)
                return it->second;
        }
        for (it = heads_.lower_bound(Key(path, INT64_MIN)); it != heads_.end() && it->first.first == path;) {
            stale.push_back(std::move(it->second));
            it = heads_.erase(it);
        }
    }
    if (!stale.empty() && onStale)
        onStale();
    return nullptr;
}

std::vector<HeadCache::Head>
HeadCache::keepOnly(const std::function<bool(const QString&, std::int64_t)>& wanted) {
    std::vector<Head> dropped;
    const std::lock_guard<std::mutex> lock(mutex_);
    for (auto it = heads_.begin(); it != heads_.end();) {
        if (wanted(it->first.first, it->first.second)) {
            ++it;
        } else {
            dropped.push_back(std::move(it->second));
            it = heads_.erase(it);
        }
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
        total += sizeof(TitleHead) + entry.second->samples.capacity() * sizeof(float);
    return total;
}
