#include "log/PlayLog.h"

#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QLocale>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

namespace {

const QString Header = QStringLiteral(
    "Datum;Uhrzeit;Mannschaft;Kategorie;Titel;Datei;Start (s);Gehört (s);Interpret;Titel laut Datei;Komponist");

// A field with the separator, a quote or a line break in it is quoted, as spreadsheets expect.
QString field(const QString& text) {
    QString flat = text;
    flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (!flat.contains(QLatin1Char(';')) && !flat.contains(QLatin1Char('"')))
        return flat;
    flat.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QLatin1Char('"') + flat + QLatin1Char('"');
}

// Seconds with a decimal comma: the German spreadsheet reads the ';' file with it as a number.
QString seconds(double s) {
    return s < 0 ? QString() : QString::number(s, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
}

double secondsFrom(const QString& text) {
    bool ok = false;
    const double s = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok ? s : -1;
}

QStringList splitLine(const QString& line) {
    QStringList fields;
    QString current;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                current += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(';')) {
            fields << current;
            current.clear();
        } else {
            current += c;
        }
    }
    fields << current;
    return fields;
}

QString tag(AVDictionary* dict, const char* key) {
    const AVDictionaryEntry* e = av_dict_get(dict, key, nullptr, 0);
    return e ? QString::fromUtf8(e->value).trimmed() : QString();
}

} // namespace

PlayLog::PlayLog(const QString& programDir) : m_dir(programDir) {
    m_thread = std::thread([this] { run(); });
}

PlayLog::~PlayLog() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join(); // what was told is written before the desk ends
}

QString PlayLog::folder(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("Protokoll"));
}

QString PlayLog::fileFor(const QString& programDir, const QDate& day) {
    return QDir(folder(programDir)).filePath(day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".csv"));
}

void PlayLog::started(const Entry& entry, const QString& absolutePath) {
    Job job;
    job.start = true;
    job.entry = entry;
    job.path = absolutePath;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void PlayLog::heard(double seconds) {
    Job job;
    job.heardS = seconds;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
}

void PlayLog::flush() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_done.wait(lock, [this] { return m_jobs.empty() && !m_busy; });
}

void PlayLog::run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || !m_jobs.empty(); });
        if (m_jobs.empty()) // quit, and everything is written
            return;
        // Everything waiting goes into one write: a burst of presses costs one file, not one each.
        std::deque<Job> jobs;
        jobs.swap(m_jobs);
        m_busy = true;
        lock.unlock();
        QDate day = m_day;
        for (Job& job : jobs) {
            apply(job);
            day = m_day;
        }
        WriteError error = WriteError::None;
        const QString file = fileFor(m_dir, day);
        if (day.isValid()) {
            QDir().mkpath(folder(m_dir));
            error = AtomicFile::replaceChecked(file, toCsv(m_entries));
        }
        emit written(file, error);
        lock.lock();
        m_busy = false;
        m_done.notify_all();
    }
}

void PlayLog::apply(Job& job) {
    if (!job.start) {
        if (m_lastOpen && !m_entries.empty())
            m_entries.back().heardS = job.heardS;
        return;
    }
    const QDate day = job.entry.started.date();
    if (day != m_day) { // the first title, or the first after midnight: that day's file goes on
        m_day = day;
        m_entries = readDay(m_dir, day);
    }
    readTags(job.path, job.entry);
    m_entries.push_back(job.entry);
    m_lastOpen = true;
}

QByteArray PlayLog::toCsv(const std::vector<Entry>& entries) {
    QString text = Header + QStringLiteral("\r\n");
    for (const Entry& e : entries) {
        const QStringList fields{e.started.date().toString(QStringLiteral("dd.MM.yyyy")),
                                 e.started.time().toString(QStringLiteral("HH:mm:ss")),
                                 field(e.team),
                                 field(e.category),
                                 field(e.caption),
                                 field(e.file),
                                 seconds(e.startS),
                                 seconds(e.heardS),
                                 field(e.artist),
                                 field(e.title),
                                 field(e.composer)};
        text += fields.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

std::vector<PlayLog::Entry> PlayLog::fromCsv(const QByteArray& csv) {
    QByteArray bytes = csv;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    std::vector<Entry> entries;
    const QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (int i = 1; i < lines.size(); ++i) { // the first line is the header
        const QStringList f = splitLine(lines[i]);
        if (f.size() < 11)
            continue;
        Entry e;
        e.started = QDateTime(QDate::fromString(f[0], QStringLiteral("dd.MM.yyyy")),
                              QTime::fromString(f[1], QStringLiteral("HH:mm:ss")));
        e.team = f[2];
        e.category = f[3];
        e.caption = f[4];
        e.file = f[5];
        e.startS = secondsFrom(f[6]);
        e.heardS = secondsFrom(f[7]);
        e.artist = f[8];
        e.title = f[9];
        e.composer = f[10];
        entries.push_back(e);
    }
    return entries;
}

std::vector<PlayLog::Entry> PlayLog::readDay(const QString& programDir, const QDate& day) {
    QFile file(fileFor(programDir, day));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromCsv(file.readAll());
}

void PlayLog::readTags(const QString& path, Entry& entry) {
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, QFile::encodeName(path).constData(), nullptr, nullptr) != 0)
        return;
    AVDictionary* streamTags = nullptr;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        if (format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            streamTags = format->streams[i]->metadata; // Ogg and Opus keep their comments here
            break;
        }
    }
    auto either = [&](const char* key) {
        const QString own = tag(format->metadata, key);
        return own.isEmpty() ? tag(streamTags, key) : own;
    };
    entry.artist = either("artist");
    entry.title = either("title");
    entry.composer = either("composer");
    avformat_close_input(&format);
}
