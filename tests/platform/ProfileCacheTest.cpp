// Reads kept between calls must still see every change on disk, and a read that stops at the first matching
// section must find what the whole parse finds.
#include "platform/ProfileCache.h"
#include "platform/ProfileDocument.h"
#include "support/ProfileFileTest.h"

#include <QThread>

namespace {

using ProfileCacheTest = ProfileFileTest;

// A file system that keeps whole seconds, as FAT and some network shares do.
FileStamp secondsOnly(const QString& path) {
    FileStamp s = FileStamp::of(path);
    s.mtimeNs -= s.mtimeNs % 1000000000;
    s.ctimeNs -= s.ctimeNs % 1000000000;
    return s;
}

// Hand edits of the same size in place within one second: the stamp alone cannot tell them apart, so every
// read has to look.
TEST_F(ProfileCacheTest, EditsWithinOneSecondAreSeen) {
    ProfileCache coarse(&secondsOnly);
    for (int i = 100; i < 160; ++i) {
        put("[Damen]\r\nZeit_01=" + QByteArray::number(i) + "\r\n");
        ASSERT_EQ(coarse.value(file, "Damen", "Zeit_01"), QString::number(i));
        ASSERT_EQ(coarse.values(file, {"damen", "fehlt"}, "zeit_01"), QStringList({QString::number(i), ""}));
        ASSERT_EQ(read("Damen", "Zeit_01"), QString::number(i)); // the desk's own cache, with fine stamps
    }
    QFile::remove(file);
    EXPECT_EQ(coarse.value(file, "Damen", "Zeit_01"), QString());
}

// Once the file has rested, a read is served from the kept parse; an edit after that is still seen.
TEST_F(ProfileCacheTest, RestedFileIsKeptAndItsNextEditSeen) {
    put("[A]\r\nk=1\r\n");
    QThread::msleep(120);
    EXPECT_EQ(read("A", "k"), QStringLiteral("1"));
    EXPECT_EQ(read("A", "k"), QStringLiteral("1"));
    put("[A]\r\nk=2\r\n");
    EXPECT_EQ(read("A", "k"), QStringLiteral("2"));
}

TEST_F(ProfileCacheTest, FirstMatchingSectionReadAgreesWithTheWholeParse) {
    const QByteArray docs[] = {
        "[Titel]\r\nAnders=1\r\n[titel]\r\nZeit_01=500\r\n", // the first section wins, even without the key
        "\xEF\xBB\xBF[M\xC3\xA4nner]\nZeit_01 = ' 12 '\n",   // UTF-8 with its mark, quotes
        "x=0\r\n  [ M\xE4nner ]  \r\n\r\nzeit_01=\"7\"\r\n[M\xC4NNER]\r\nZeit_01=9", // Windows-1252, blanks
        "[Titel\r\nZeit_01=1\r\n[Titel]\r\n\r\n Zeit_01 =3\r", // no header, last line without its LF
        "[Titel]\r\nZeit_01\r\n[Titel]\r\nZeit_01=4\r\n",      // a key without a value
    };
    const char* sections[] = {"Titel", "titel", "Männer", "MÄNNER", "fehlt"};
    for (const QByteArray& raw : docs) {
        const ProfileDocument whole = ProfileDocument::fromBytes(file, raw);
        for (const char* s : sections)
            for (const char* k : {"Zeit_01", "Anders", "x"})
                EXPECT_EQ(ProfileDocument::firstValue(raw, QString::fromUtf8(s), QString::fromLatin1(k)),
                          whole.value(QString::fromUtf8(s), QString::fromLatin1(k)))
                    << raw.toStdString() << " / " << s << " / " << k;
    }
}

} // namespace
