#include "settings/StartOffsetStore.h"
#include "settings/IniAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

class StartOffsetStoreTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    StartOffsetStore store{dir.path(), QStringLiteral("Damen")};

    QString title(const QString& category, const QString& name) const {
        return dir.path() + QStringLiteral("/Damen/") + category + QLatin1Char('/') + name;
    }
    static void writeRaw(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    static QByteArray readRaw(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

// Counts the times a file appeared under its name in its folder, i.e. the atomic writes that landed: a new
// file is linked in, an existing one is replaced by a rename.
class WriteCounter {
  public:
    explicit WriteCounter(const QString& file)
        : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
          m_name(QFile::encodeName(QFileInfo(file).fileName())) {
        inotify_add_watch(m_fd, QFile::encodeName(QFileInfo(file).absolutePath()).constData(),
                          IN_CREATE | IN_MOVED_TO);
    }
    ~WriteCounter() { ::close(m_fd); }
    int landedWrites() {
        alignas(inotify_event) char buffer[64 * 1024];
        int count = 0;
        for (;;) {
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n <= 0)
                return count;
            for (char* p = buffer; p < buffer + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(p);
                if (event->len > 0 && m_name == event->name)
                    ++count;
                p += sizeof(inotify_event) + event->len;
            }
        }
    }

  private:
    int m_fd;
    QByteArray m_name;
};

TEST_F(StartOffsetStoreTest, FileIsTeamNamePlusIniInTheProgramDirectory) {
    EXPECT_EQ(store.filePath(), dir.path() + QStringLiteral("/Damen.ini"));
    EXPECT_EQ(StartOffsetStore(QStringLiteral("/"), QStringLiteral("Männer")).filePath(),
              QStringLiteral("/Männer.ini"));
    EXPECT_EQ(StartOffsetStore(dir.path() + QLatin1Char('/'), QStringLiteral("Damen")).filePath(),
              store.filePath());
}

TEST_F(StartOffsetStoreTest, WriteThenReadUnderZeit01) {
    const QString t = title("Tormusik", "03Rock & Roll.mp3");
    EXPECT_EQ(store.read(t), QString());
    EXPECT_TRUE(store.write(t, "12500"));
    EXPECT_EQ(store.read(t), QStringLiteral("12500"));
    EXPECT_EQ(readRaw(store.filePath()), "[" + t.toUtf8() + "]\r\nZeit_01=12500\r\n");
    EXPECT_TRUE(store.write(t, "-250"));
    EXPECT_EQ(store.read(t), QStringLiteral("-250"));
    EXPECT_TRUE(store.write(t, "0"));
    EXPECT_EQ(store.read(t), QStringLiteral("0"));
}

TEST_F(StartOffsetStoreTest, UmlautTitlePathIsStoredInWindows1252) {
    StartOffsetStore maenner(dir.path(), QStringLiteral("Männer"));
    const QString t = dir.path() + QStringLiteral("/Männer/Tormusik/05Tor für uns.mp3");
    EXPECT_TRUE(maenner.write(t, "800"));
    const QByteArray raw = readRaw(dir.path() + QStringLiteral("/M\u00e4nner.ini"));
    EXPECT_TRUE(raw.contains("/M\xE4nner/Tormusik/05Tor f\xFCr uns.mp3]"));
    EXPECT_EQ(maenner.read(t), QStringLiteral("800"));
}

TEST_F(StartOffsetStoreTest, SeedGivesMissingAndEmptyEntriesZeroAndNeverOverwrites) {
    const QString kept = title("Tormusik", "01Hymne.mp3");
    const QString zero = title("Tormusik", "02Tor.mp3");
    const QString empty = title("Tormusik", "03Rock & Roll.mp3");
    const QString fresh = title("Auszeit", "01Pause.mp3");
    writeRaw(store.filePath(), ("[" + kept + "]\r\nZeit_01=12500\r\n[" + zero + "]\r\nZeit_01=0\r\n[" +
                                empty + "]\r\nZeit_01=\r\n")
                                   .toUtf8());
    EXPECT_EQ(store.seedMissing({kept, zero, empty, fresh}), 2);
    EXPECT_EQ(store.read(kept), QStringLiteral("12500"));
    EXPECT_EQ(store.read(zero), QStringLiteral("0"));
    EXPECT_EQ(store.read(empty), QStringLiteral("0"));
    EXPECT_EQ(store.read(fresh), QStringLiteral("0"));
    EXPECT_EQ(store.seedMissing({kept, zero, empty, fresh}), 0);
}

TEST_F(StartOffsetStoreTest, SeedEqualsOneIniWritePerMissingTitle) {
    const QByteArray messy = "; made by hand\n[" + title("7 Meter", "01Pfiff.mp3").toUtf8() +
                             "]\nzeit_01 = 3000\n\n[" + title("Torwart", "01Parade.mp3").toUtf8().toUpper() +
                             "]\nZeit_01=\n[" + title("Torwart", "01Parade.mp3").toUtf8() + "]\nZeit_01=7";
    const QStringList titles = {title("7 Meter", "01Pfiff.mp3"),  title("7 Meter", "02Pfiff.mp3"),
                                title("Torwart", "01Parade.mp3"), title("Einlaufen", ""),
                                title("7 Meter", "02PFIFF.mp3"),  title("Tormusik", "09Zwei\nZeilen.mp3")};
    const QString reference = dir.filePath(QStringLiteral("reference.ini"));
    writeRaw(store.filePath(), messy);
    writeRaw(reference, messy);
    for (const QString& t : titles) {
        if (Ini_Read(reference, t, "Zeit_01").isEmpty())
            Ini_Write(reference, t, "Zeit_01", "0");
    }
    EXPECT_EQ(store.seedMissing(titles), 4);
    EXPECT_EQ(readRaw(store.filePath()), readRaw(reference));
}

TEST_F(StartOffsetStoreTest, SeedWritesOnceOrNotAtAll) {
    QStringList titles;
    for (int i = 1; i <= 108; ++i)
        titles << title("Tormusik", QStringLiteral("%1Titel %1.mp3").arg(i, 2, 10, QLatin1Char('0')));
    WriteCounter counter(store.filePath());
    EXPECT_EQ(store.seedMissing(titles), 108);
    EXPECT_EQ(counter.landedWrites(), 1);
    for (const QString& t : titles)
        ASSERT_EQ(store.read(t), QStringLiteral("0"));
    EXPECT_EQ(store.seedMissing(titles), 0);
    EXPECT_EQ(counter.landedWrites(), 0);
    EXPECT_TRUE(store.write(titles.at(5), "4000"));
    EXPECT_EQ(counter.landedWrites(), 1);
    titles << title("Tormusik", QStringLiteral("99Neu.mp3"));
    EXPECT_EQ(store.seedMissing(titles), 1);
    EXPECT_EQ(counter.landedWrites(), 1);
    EXPECT_EQ(store.read(titles.at(5)), QStringLiteral("4000"));
}

TEST_F(StartOffsetStoreTest, SeedIntoAnUnwritableFileFailsSilently) {
    writeRaw(store.filePath(), "[x]\r\nZeit_01=1\r\n");
    ASSERT_TRUE(QFile::setPermissions(store.filePath(), QFileDevice::ReadOwner));
    EXPECT_EQ(store.seedMissing({title("Auszeit", "01Pause.mp3")}), 0);
    EXPECT_EQ(readRaw(store.filePath()), QByteArray("[x]\r\nZeit_01=1\r\n"));
    EXPECT_EQ(store.read(title("Auszeit", "01Pause.mp3")), QString());
}

TEST_F(StartOffsetStoreTest, TitlesDifferingOnlyOutsideTheCodePageKeepTheirOwnEntries) {
    const QString a = title("Tormusik", QStringLiteral("01Tor Ω.mp3"));
    const QString b = title("Tormusik", QStringLiteral("01Tor Ж.mp3"));
    const QString c = title("Tormusik", QStringLiteral("01Tor ?.mp3"));
    const QString d = title("Tormusik", QString::fromUcs4(U"01Tor \U0001F600.mp3"));
    const QString e = title("Tormusik", QStringLiteral("01Tor &#937;.mp3"));
    EXPECT_EQ(store.seedMissing({a, b, c, d, e}), 5);
    EXPECT_TRUE(store.write(a, "100"));
    EXPECT_TRUE(store.write(b, "200"));
    EXPECT_TRUE(store.write(d, "400"));
    EXPECT_EQ(store.read(a), QStringLiteral("100"));
    EXPECT_EQ(store.read(b), QStringLiteral("200"));
    EXPECT_EQ(store.read(c), QStringLiteral("0"));
    EXPECT_EQ(store.read(d), QStringLiteral("400"));
    EXPECT_EQ(store.read(e), QStringLiteral("0"));
    EXPECT_EQ(readRaw(store.filePath()).count("Zeit_01="), 5);
}

TEST_F(StartOffsetStoreTest, TitleWithLineBreakCannotForgeAnotherEntry) {
    const QString forged = title("Tormusik", "01A.mp3");
    const QString evil = title("Tormusik", "01A.mp3]\nZeit_01=9999\n[x");
    EXPECT_EQ(store.seedMissing({forged, evil}), 2);
    EXPECT_TRUE(store.write(evil, "5"));
    EXPECT_EQ(store.read(forged), QStringLiteral("0"));
    EXPECT_EQ(store.read(evil), QStringLiteral("5"));
    EXPECT_EQ(readRaw(store.filePath()).count('\n'), 4);
}

} // namespace
