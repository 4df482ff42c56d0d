#include "audio/LoudnessMatcher.h"

#include "audio/AudioEngine.h"
#include "platform/ThreadPriority.h"

#include <QDir>

#include <cmath>

namespace {
const QString Section = QStringLiteral("Lautheit");

// "Größe;Änderung (ns);Start;LUFS;Spitze", numbers with a point as the file is read on any system.
QString encode(std::int64_t size, std::int64_t mtimeNs, std::int64_t startMs, const LoudnessMeter::Reading& r) {
    return QStringLiteral("%1;%2;%3;%4;%5")
        .arg(size)
        .arg(mtimeNs)
        .arg(startMs)
        .arg(r.lufs, 0, 'f', 2)
        .arg(std::isfinite(r.truePeakDb) ? r.truePeakDb : -200.0, 0, 'f', 2);
}
} // namespace

LoudnessMatcher::LoudnessMatcher(AudioEngine& engine, const QString& programDir)
    : m_engine(engine), m_dir(programDir), m_cache(ProfileDocument::load(cacheFile())) {
    for (const auto& [name, value] : m_cache.entries(Section)) {
        const QStringList f = value.split(QLatin1Char(';'));
        if (f.size() != 5)
            continue; // a damaged line is measured again
        Known k;
        k.size = f[0].toLongLong();
        k.mtimeNs = f[1].toLongLong();
        k.startMs = f[2].toLongLong();
        k.reading.lufs = f[3].toDouble();
        k.reading.truePeakDb = f[4].toDouble();
        m_known[name] = k;
    }
    m_thread = std::thread([this] { run(); });
}

LoudnessMatcher::~LoudnessMatcher() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
        m_queue.clear();
    }
    m_abort = true;
    m_wake.notify_all();
    m_thread.join();
}

QString LoudnessMatcher::cacheFile() const {
    return QDir(m_dir).filePath(QStringLiteral("Lautheit.ini"));
}

QString LoudnessMatcher::key(const QString& path) const {
    return QDir(m_dir).relativeFilePath(path);
}

bool LoudnessMatcher::current(const QString& path, std::int64_t startMs, const FileStamp& stamp, Known* found) const {
    const auto it = m_known.find(key(path));
    if (it == m_known.end() || it->second.size != stamp.size || it->second.mtimeNs != stamp.mtimeNs ||
        it->second.startMs != startMs)
        return false;
    if (found)
        *found = it->second;
    return true;
}

void LoudnessMatcher::setBoard(const std::vector<Title>& titles, bool on, double targetLufs) {
    m_titles = titles;
    m_on = on;
    m_target = targetLufs;
    // Each title looked at once per board, as the heads are: the gains and the editor go by these.
    m_stamps.clear();
    for (const Title& t : titles)
        m_stamps[t.path] = FileStamp::of(t.path);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.clear();
        // Off, the board has no titles here: the desk does no work for a feature nobody asked for.
        for (const Title& t : titles)
            if (!current(t.path, t.startMs, m_stamps[t.path], nullptr))
                m_queue.push_back(t);
    }
    m_wake.notify_one();
    applyGains();
}

std::optional<TitleLoudness::Info> LoudnessMatcher::info(const QString& path, std::int64_t startMs) const {
    const auto board = m_stamps.find(path);
    const FileStamp stamp = board != m_stamps.end() ? board->second : FileStamp::of(path);
    Known k;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!current(path, startMs, stamp, &k))
            return std::nullopt;
    }
    Info i;
    i.lufs = k.reading.lufs;
    i.truePeakDb = k.reading.truePeakDb;
    i.gainDb = m_on ? LoudnessMeter::gainDb(k.reading, m_target) : 0.0;
    return i;
}

bool LoudnessMatcher::idle() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_queue.empty() && !m_working;
}

void LoudnessMatcher::applyGains() {
    std::map<QString, float> gains;
    if (m_on) {
        for (const Title& t : m_titles)
            if (const auto i = info(t.path, t.startMs))
                gains[t.path] = static_cast<float>(std::pow(10.0, i->gainDb / 20.0));
    }
    m_engine.setTitleGains(std::move(gains));
}

void LoudnessMatcher::run() {
    ThreadPriority::makeBackground();
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || !m_queue.empty(); });
        if (m_quit)
            return;
        const Title title = m_queue.front();
        m_queue.pop_front();
        m_working = true;
        lock.unlock();
        const FileStamp stamp = FileStamp::of(title.path); // a file changed meanwhile is measured as it is now
        const auto reading = LoudnessMeter::measure(title.path, title.startMs, &m_abort);
        lock.lock();
        m_working = false;
        if (!reading)
            continue; // a title that cannot be decoded plays as it is; the board check tells about it
        Known k{stamp.size, stamp.mtimeNs, title.startMs, *reading};
        m_known[key(title.path)] = k;
        lock.unlock();
        // Written after every title, atomically: a desk ended meanwhile keeps what was measured.
        m_cache.setValue(Section, key(title.path), encode(k.size, k.mtimeNs, k.startMs, k.reading));
        m_cache.save();
        QMetaObject::invokeMethod(
            this,
            [this] {
                applyGains();
                emit measured();
            },
            Qt::QueuedConnection);
        lock.lock();
    }
}
