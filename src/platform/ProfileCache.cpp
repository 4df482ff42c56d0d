#include "platform/ProfileCache.h"

#include <QFile>

namespace {
// How long after its last change a file's stamp is no proof: a second change within the file system's time
// granularity could keep the stamp. Generous for nanosecond stamps (a clock tick is a few milliseconds), two
// and a half seconds for file systems that keep whole seconds (FAT keeps two).
constexpr std::int64_t FineMarginNs = 50'000'000;
constexpr std::int64_t CoarseMarginNs = 2'500'000'000;
constexpr std::size_t MaxFiles = 8;

bool trusted(std::int64_t readAtNs, const FileStamp& s) {
    const std::int64_t changed = std::max(s.mtimeNs, s.ctimeNs);
    return readAtNs - changed >= (s.coarse() ? CoarseMarginNs : FineMarginNs);
}
} // namespace

ProfileCache::Entry* ProfileCache::current(const QString& file) {
    const FileStamp stamp = m_stampOf(file);
    auto it = m_entries.find(file);
    if (!stamp.exists) {
        if (it != m_entries.end())
            m_entries.erase(it);
        return nullptr;
    }
    if (it != m_entries.end() && it->second.stamp == stamp && trusted(it->second.readAtNs, stamp)) {
        it->second.lastUse = ++m_uses;
        return &it->second;
    }
    const std::int64_t readAt = FileStamp::nowNs();
    QFile f(file);
    QByteArray raw;
    if (f.open(QIODevice::ReadOnly))
        raw = f.readAll();
    if (!f.isOpen() || f.error() != QFileDevice::NoError) {
        if (it != m_entries.end())
            m_entries.erase(it);
        return nullptr;
    }
    if (it == m_entries.end()) {
        if (m_entries.size() >= MaxFiles)
            forgetOldest();
        it = m_entries.emplace(file, Entry{}).first;
    } else if (it->second.raw != raw) {
        it->second = Entry{};
    }
    Entry& e = it->second;
    // The stamp from before the read: a change while reading shows as a new stamp next time.
    e.stamp = stamp;
    e.readAtNs = readAt;
    e.raw = raw;
    e.lastUse = ++m_uses;
    return &e;
}

void ProfileCache::forgetOldest() {
    auto oldest = m_entries.begin();
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
        if (it->second.lastUse < oldest->second.lastUse)
            oldest = it;
    m_entries.erase(oldest);
}

const ProfileDocument& ProfileCache::parsed(const QString& file, Entry& e) {
    if (!e.doc)
        e.doc = std::make_unique<ProfileDocument>(ProfileDocument::fromBytes(file, e.raw));
    return *e.doc;
}

QString ProfileCache::value(const QString& file, const QString& section, const QString& key) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    Entry* e = current(file);
    if (!e)
        return ProfileDocument::load(file).value(section, key);
    // A file read only once (a single offset after an editor save) is never parsed as a whole.
    if (!e->doc && ++e->reads == 1)
        return ProfileDocument::firstValue(e->raw, section, key);
    return parsed(file, *e).value(section, key);
}

QStringList ProfileCache::values(const QString& file, const QStringList& sections, const QString& key) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    QStringList out;
    out.reserve(sections.size());
    Entry* e = current(file);
    if (!e) {
        const ProfileDocument doc = ProfileDocument::load(file);
        for (const QString& s : sections)
            out << doc.value(s, key);
        return out;
    }
    const ProfileDocument& doc = parsed(file, *e);
    for (const QString& s : sections)
        out << doc.value(s, key);
    return out;
}

ProfileDocument ProfileCache::document(const QString& file) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    Entry* e = current(file);
    return e ? parsed(file, *e) : ProfileDocument::load(file);
}

void ProfileCache::saved(ProfileDocument doc) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const QString file = doc.path();
    const std::int64_t savedAt = FileStamp::nowNs();
    const FileStamp stamp = m_stampOf(file);
    QByteArray raw = doc.toBytes();
    if (!stamp.exists || stamp.size != raw.size()) {
        m_entries.erase(file); // someone else was faster: read it afresh
        return;
    }
    if (m_entries.find(file) == m_entries.end() && m_entries.size() >= MaxFiles)
        forgetOldest();
    Entry& e = m_entries[file];
    e.stamp = stamp;
    // Taken after the file was in place: the file changed "just now", so the next reads still compare bytes
    // until the stamp is proof again.
    e.readAtNs = savedAt;
    e.raw = std::move(raw);
    e.doc = std::make_unique<ProfileDocument>(std::move(doc));
    e.reads = 2;
    e.lastUse = ++m_uses;
}
