#pragma once
#include "platform/FileStamp.h"
#include "platform/ProfileDocument.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <mutex>

// The last read of each profile file, kept while the file is unchanged on disk, so that a board load reads
// the settings file once and a press finds its start offset without parsing thousands of sections again.
// Every read still sees what is on disk: the file's stamp is taken each time, and while the stamp alone
// cannot tell (the file changed moments before it was read, or its file system keeps whole seconds only) the
// bytes are read and compared. The first read of new bytes stops at the first matching section; the second
// parses the whole file once for all that follow. Any thread.
class ProfileCache {
  public:
    using StampOf = FileStamp (*)(const QString& path);
    // stampOf: how a file's stamp is taken (a test can stand in for a file system with coarse times).
    explicit ProfileCache(StampOf stampOf = &FileStamp::of) : m_stampOf(stampOf) {}

    // As ProfileDocument::value of the file as it is on disk now.
    QString value(const QString& file, const QString& section, const QString& key);
    // The same for many sections at once, against one look at the file.
    QStringList values(const QString& file, const QStringList& sections, const QString& key);
    // The file as it is on disk now, to change and save.
    ProfileDocument document(const QString& file);
    // doc was just saved to its file: kept as the file's parse, so the next reads need not parse it again.
    void saved(ProfileDocument doc);

  private:
    struct Entry {
        FileStamp stamp;
        std::int64_t readAtNs = 0; // wall clock just before the bytes were read
        QByteArray raw;
        std::unique_ptr<ProfileDocument> doc;
        int reads = 0;
        std::uint64_t lastUse = 0;
    };
    // Under m_mutex: the entry for the file as it is now, or nullptr when it is missing or cannot be read.
    Entry* current(const QString& file);
    const ProfileDocument& parsed(const QString& file, Entry& e);
    void forgetOldest();

    StampOf m_stampOf;
    std::mutex m_mutex;
    std::map<QString, Entry> m_entries;
    std::uint64_t m_uses = 0;
};
