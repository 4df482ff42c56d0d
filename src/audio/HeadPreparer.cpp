#include "audio/HeadPreparer.h"

#include "audio/MediaCommandInterpreter.h"
#include "audio/OutputFormat.h"
#include "audio/TitleDecoder.h"
#include "audio/TitleLength.h"
#include "platform/ThreadPriority.h"

#include <algorithm>
#include <chrono>
#include <set>

namespace {
// A file that changed while its head was made (a copy still running) is tried again after this pause.
constexpr auto kRetryPause = std::chrono::milliseconds(300);
} // namespace

HeadPreparer::HeadPreparer(HeadCache& cache) : cache_(cache), ring_(2 * TitleHead::kFrames + 8192) {
    cache_.onStale = [this] { recheck(); };
    thread_ = std::thread(&HeadPreparer::loop, this);
}

HeadPreparer::~HeadPreparer() {
    quitting_.store(true);
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
    cache_.onStale = nullptr;
}

HeadPreparer::Board* HeadPreparer::boardOf(const void* client) {
    const auto it =
        std::find_if(boards_.begin(), boards_.end(), [&](const Board& b) { return b.client == client; });
    return it == boards_.end() ? nullptr : &*it;
}

void HeadPreparer::checkBoard(const void* client, const std::vector<Title>& titles) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        Board* board = boardOf(client);
        if (!board) {
            boards_.push_back(Board{});
            board = &boards_.back();
            board->client = client;
        }
        board->generation = ++generations_;
        board->titles = titles;
        board->found.clear();
        board->done = false;
        changes_.fetch_add(1);
    }
    wake_.notify_all();
}

std::vector<TitleCheck::Finding> HeadPreparer::takeFindings(const void* client) {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Finding> out;
    if (Board* board = boardOf(client))
        out.swap(board->found);
    return out;
}

bool HeadPreparer::busy(const void* client) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto it =
        std::find_if(boards_.begin(), boards_.end(), [&](const Board& b) { return b.client == client; });
    return it != boards_.end() && !it->done;
}

void HeadPreparer::forget(const void* client) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        boards_.erase(std::remove_if(boards_.begin(), boards_.end(),
                                     [&](const Board& b) { return b.client == client; }),
                      boards_.end());
        changes_.fetch_add(1);
    }
    wake_.notify_all();
}

void HeadPreparer::recheck() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        changes_.fetch_add(1);
    }
    wake_.notify_all();
}

bool HeadPreparer::waitUntilIdle(int timeoutMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    return idle_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] {
        // Idle only once the thread has seen the latest change: a file found stale leaves every board done
        // until the thread wakes to look again.
        return idleAt_ == changes_.load() &&
               std::all_of(boards_.begin(), boards_.end(), [](const Board& b) { return b.done; });
    });
}

// Preparing thread.
void HeadPreparer::loop() {
    ThreadPriority::makeBackground();
    std::unique_lock<std::mutex> lock(mutex_);
    std::uint64_t done = 0;
    while (!quit_) {
        if (changes_.load() == done) {
            idleAt_ = done;
            idle_.notify_all();
            wake_.wait(lock);
            continue;
        }
        done = changes_.load();
        const bool retry = runPass(lock, done);
        if (retry && !quit_ && changes_.load() == done) {
            wake_.wait_for(lock, kRetryPause, [&] { return quit_ || changes_.load() != done; });
            if (changes_.load() == done)
                changes_.fetch_add(1);
        }
    }
}

// Preparing thread, entered and left with the lock held; works without it. Returns true when a file changed
// while it was read, so that the pass has to be made again.
bool HeadPreparer::runPass(std::unique_lock<std::mutex>& lock, std::uint64_t pass) {
    std::vector<Board> boards;
    for (const Board& b : boards_)
        boards.push_back(Board{b.client, b.generation, b.titles, {}, b.done});
    lock.unlock();
    ++passes_;
    for (Board& board : boards) { // deepest first; an offset that is no number needs no decoding at all
        const auto depth = [](const Title& t) { return MediaCommandInterpreter::startOf(t.offsetText).value_or(-1); };
        std::stable_sort(board.titles.begin(), board.titles.end(),
                         [&](const Title& a, const Title& b) { return depth(a) > depth(b); });
    }
    std::set<Key> wanted;
    bool retry = false;
    for (const Board& board : boards) {
        bool allSettled = true;
        for (const Title& title : board.titles) {
            if (changes_.load() != pass)
                break; // a newer board came: start over with it, keeping what is done
            Finding finding;
            const bool settled = checkTitle(title, finding);
            allSettled = allSettled && settled;
            if (finding.fault != Fault::OffsetNotNumber)
                wanted.insert(Key(title.path, finding.offsetMs));
            const std::lock_guard<std::mutex> relock(mutex_);
            Board* now = boardOf(board.client);
            if (settled && now && now->generation == board.generation)
                now->found.push_back(finding);
        }
        retry = retry || !allSettled;
        const std::lock_guard<std::mutex> relock(mutex_);
        Board* now = boardOf(board.client);
        // A board with a title still being written stays busy until the pass made again has seen it.
        if (allSettled && changes_.load() == pass && now && now->generation == board.generation)
            now->done = true;
    }
    if (changes_.load() == pass) {
        // Heads beyond the budget are freed here, not on the UI or the output thread.
        std::vector<HeadCache::Head> dropped = cache_.retain(
            [&](const QString& path, std::int64_t ms) { return wanted.count(Key(path, ms)) != 0; }, kKeepBytes);
        dropped.clear();
        for (auto& [key, fault] : faults_)
            if (wanted.count(key))
                fault.wantedAt = passes_;
        while (faults_.size() > kKeepFaults)
            faults_.erase(std::min_element(faults_.begin(), faults_.end(), [](const auto& a, const auto& b) {
                return a.second.wantedAt < b.second.wantedAt;
            }));
    }
    lock.lock();
    return retry;
}

// Preparing thread. False when the file changed while it was read: nothing is known about it yet.
bool HeadPreparer::checkTitle(const Title& title, Finding& finding) {
    finding.button = title.button;
    finding.path = title.path;
    finding.offsetText = title.offsetText;
    const std::optional<std::int64_t> offset = MediaCommandInterpreter::startOf(title.offsetText);
    if (!offset) {
        finding.fault = Fault::OffsetNotNumber;
        return true;
    }
    finding.offsetMs = *offset;
    const FileStamp stamp = FileStamp::of(title.path);
    if (!stamp.exists) {
        finding.fault = Fault::Missing;
        return true;
    }
    if (const HeadCache::Head head = cache_.find(title.path, *offset); head && head->stamp == stamp) {
        finding.durationMs = head->durationMs;
        return true;
    }
    const Key key(title.path, *offset);
    if (const auto known = faults_.find(key); known != faults_.end() && known->second.stamp == stamp) {
        finding.fault = known->second.fault;
        finding.durationMs = known->second.durationMs;
        return true;
    }
    HeadCache::Head head = make(title.path, stamp, finding);
    if (FileStamp::of(title.path) != stamp)
        return false;
    if (finding.fault != Fault::None)
        faults_[key] = KnownFault{stamp, finding.fault, finding.durationMs, passes_};
    else
        cache_.publish(std::move(head));
    return true;
}

// Preparing thread: the first quarter second from the finding's start, decoded exactly as a voice starting
// there decodes it.
HeadCache::Head HeadPreparer::make(const QString& path, const FileStamp& stamp, Finding& finding) {
    TitleDecoder decoder(OutputFormat::SampleRate);
    decoder.setAbortFlag(&quitting_);
    const AudioError opened = decoder.open(path);
    if (opened != AudioError::None) {
        finding.fault = opened == AudioError::FileNotFound ? Fault::Missing : Fault::Unreadable;
        return nullptr;
    }
    finding.durationMs = decoder.lengthUnknown() ? decoder.measureDurationMs() : decoder.durationMs();
    if (TitleLength::startsPastEnd(finding.offsetMs, finding.durationMs)) {
        finding.fault = Fault::OffsetBeyondEnd; // the engine refuses such a start
        return nullptr;
    }
    ring_.reset();
    decoder.startAt(finding.offsetMs);
    const bool more = decoder.pump(ring_, TitleHead::kFrames);
    const std::size_t frames = std::min<std::size_t>(ring_.readable(), TitleHead::kFrames);
    if (frames == 0) {
        finding.fault = finding.offsetMs > 0 ? Fault::OffsetBeyondEnd : Fault::Undecodable;
        return nullptr;
    }
    auto head = std::make_shared<TitleHead>();
    head->path = path;
    head->offsetMs = finding.offsetMs;
    head->stamp = stamp;
    head->durationMs = finding.durationMs;
    head->samples.resize(frames * OutputFormat::Channels);
    ring_.read(head->samples.data(), frames);
    head->complete = !more && ring_.readable() == 0;
    return head;
}
