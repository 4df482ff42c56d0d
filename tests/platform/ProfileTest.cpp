// The profile access the settings and start-offset files go through: Windows-1252 on disk, names matched
// without regard to case, values trimmed and unquoted, and a write that changes only its own line, so that
// hand-edited, damaged or foreign files are read as far as they make sense and keep every other byte.
#include "platform/ProfileCache.h"
#include "platform/ProfileDocument.h"
#include "support/ProfileFileTest.h"

#include <QThread>
#include <array>
#include <vector>

namespace {

// A section, a key and a value.
using Entry = std::array<QString, 3>;

Entry entry(const char* section, const char* key, const char* value) {
    return {QString::fromUtf8(section), QString::fromUtf8(key), QString::fromUtf8(value)};
}

class ProfileTest : public ProfileFileTest {
  protected:
    // A file of its own holding before: the reads give their values, the writes in this order leave after.
    void check(const QByteArray& before, const std::vector<Entry>& reads, const std::vector<Entry>& writes,
               const QByteArray& after) {
        file = dir.filePath(QStringLiteral("%1.ini").arg(++m_files));
        put(before);
        const ProfileDocument whole = ProfileDocument::fromBytes(file, before);
        for (const auto& [section, key, value] : reads) {
            EXPECT_EQ(whole.value(section, key), value) << qPrintable(section) << " / " << qPrintable(key);
            // A single read stops at the first matching section: it must find what the whole parse finds.
            EXPECT_EQ(ProfileDocument::firstValue(before, section, key), value) << qPrintable(key);
        }
        for (const auto& [section, key, value] : writes)
            EXPECT_TRUE(Profile::writeString(file, section, key, value))
                << qPrintable(section) << " / " << qPrintable(key);
        EXPECT_EQ(raw(), after);
    }

  private:
    int m_files = 0;
};

TEST_F(ProfileTest, ReadsTrimAndUnquote) {
    const QByteArray quoted = "k=outside\r\n  [ F ]  \r\n  Rot  =  mit Blanks \t \r\n"
                              "q=\"TV 1898\"\r\nr='x'\r\ns=\"x'\r\nt=\"\r\n";
    check(quoted,
          {entry(" f ", "Rot", "mit Blanks"), entry("F", "q", "TV 1898"), entry("F", "r", "x"),
           entry("F", "s", "\"x'"), entry("F", "t", "\""), entry("F", "k", "")},
          {}, quoted);
}

TEST_F(ProfileTest, WritesChangeOnlyTheirOwnLine) {
    // In place, names without regard to case (umlauts in Windows-1252 included), every other line kept with
    // its own line ending; a value already held changes nothing.
    check("; hand made\n[Mannschaft]\nMannschaft=Damen\nVerein = TV 1898  \n\n"
          "[M\xE4nner_AUSBLEND]\r\n  ZEIT = 2\nFlag  \r\nVol=20\n",
          {entry("mÄNNER_ausblend", "zeit", "2"), entry("Männer_AUSBLEND", "flag", ""),
           entry("manner_ausblend", "zeit", "")},
          {entry("Mannschaft", "Mannschaft", "Jugend"), entry(" MÄNNER_ausblend ", "zeit", "3"),
           entry("Männer_AUSBLEND", "flag", "1"), entry("Mannschaft", "verein", "TV 1898")},
          "; hand made\n[Mannschaft]\nMannschaft=Jugend\nVerein = TV 1898  \n\n"
          "[M\xE4nner_AUSBLEND]\r\n  ZEIT = 3\nFlag=1\r\nVol=20\n");
    // A new key ends its section, a new section the file, in the file's line ending.
    check("[A]\na=1\n\n\n[B]\n\n[C]\nc=3", {},
          {entry("a", "new", "x"), entry("B", "b", "y"), entry("Mannschaft", "Mannschaft", "Jugend"),
           entry("C", "c2", "z")},
          "[A]\na=1\nnew=x\n\n\n[B]\nb=y\n\n[C]\nc=3\nc2=z\n[Mannschaft]\nMannschaft=Jugend\n");
    // Of duplicate sections and keys the first wins, even when it lacks the key.
    check("[A]\r\nk=1\r\nk=2\r\n\r\n[B]\r\nx=1\r\n[a]\r\nk=3\r\nonly=4\r\n",
          {entry("A", "k", "1"), entry("A", "only", "")}, {entry("A", "k", "9"), entry("a", "only", "5")},
          "[A]\r\nk=9\r\nk=2\r\nonly=5\r\n\r\n[B]\r\nx=1\r\n[a]\r\nk=3\r\nonly=4\r\n");
}

// Damaged or foreign files are read as far as they make sense.
TEST_F(ProfileTest, DamagedAndForeignFiles) {
    const QByteArray garbage("\x00\x01\xFF\xFE[\x00]=\x1A\x80", 10);
    const QByteArray binary = "[A]\r\nbin=" + garbage + "\r\n" + garbage + "\r\n";
    check(binary + "[B]\r\nb=1\r\n", {entry("B", "b", "1")}, {entry("B", "b", "2"), entry("A", "new", "x")},
          binary + "new=x\r\n[B]\r\nb=2\r\n");
    // A header line runs to its last "]" (file names may hold brackets); without one it is no header.
    const QByteArray brackets =
        "[A] ; the first\r\na=1\r\n[Broken\r\nb=2\r\n[/m/Da]men/01a]b.mp3]\r\nZeit_01=5\r\n";
    check(brackets,
          {entry("Broken", "b", ""), entry("A", "b", "2"), entry("/m/Da]men/01a]b.mp3", "Zeit_01", "5")},
          {entry("Broken", "b", "5"), entry("/m/x]/02[c].mp3", "Zeit_01", "7")},
          brackets + "[Broken]\r\nb=5\r\n[/m/x]/02[c].mp3]\r\nZeit_01=7\r\n");
    const QByteArray bom = "\xEF\xBB\xBF[Mannschaft]\r\nMannschaft=M\xC3\xA4nner\r\n";
    check(bom, {entry("mannschaft", "MANNSCHAFT", "Männer")}, {entry("MANNSCHAFT", "Verein", "Café Ω")},
          bom + "Verein=Caf\xC3\xA9 \xCE\xA9\r\n");
    // Saved as UTF-8 without a byte order mark, as editors on Linux do: read as UTF-8 and written in it.
    const QByteArray utf8 = "[Mannschaft]\nMannschaft=M\xC3\xA4nner\n[M\xC3\xA4nner_AUSBLEND]\nZEIT=3\n";
    check(utf8, {entry("mannschaft", "Mannschaft", "Männer"), entry("MÄNNER_ausblend", "ZEIT", "3")},
          {entry("Männer_AUSBLEND", "Vol", "20")}, utf8 + "Vol=20\n");
}

// Ten megabytes with a line of one megabyte, searched many times in one document (seeding a full board)
// through an index: the index must follow the scan's name rule, or a write lands in a second section that
// nobody reads.
TEST_F(ProfileTest, HugeFileIsIndexedAndChangedInOnePlace) {
    QByteArray big = "[  Damen_AUSBLEND\t]\r\nv=" + QByteArray(1024 * 1024, 'v') + "\r\n";
    int n = 0;
    for (; big.size() < 10 * 1024 * 1024; ++n)
        big += "[/musik/M\xE4nner/Tormusik/" + QByteArray::number(n) +
               "Titel.mp3]\r\nZeit_01=" + QByteArray::number(n * 10) + "\r\n";
    big += "[/MUSIK/m\xC4NNER/TORMUSIK/5TITEL.MP3]\r\nZeit_01=5"; // a later duplicate never wins
    put(big);
    ProfileDocument doc = ProfileDocument::load(file);
    for (int round = 0; round < 2; ++round) // the second round runs on the index
        for (int i = 0; i < n; i += n / 20)
            EXPECT_EQ(doc.value(QStringLiteral("/Musik/MÄNNER/tormusik/%1titel.MP3").arg(i), "Zeit_01"),
                      QString::number(i * 10));
    EXPECT_EQ(doc.value(QStringLiteral("/musik/Männer/Tormusik/5Titel.mp3"), "Zeit_01"),
              QStringLiteral("50"));
    EXPECT_EQ(doc.value(QStringLiteral(" damen_ausblend "), QStringLiteral("V")).size(), 1024 * 1024);
    EXPECT_TRUE(doc.setValue(QStringLiteral("  Damen_AUSBLEND "), QStringLiteral("Vol"), "25"));
    EXPECT_TRUE(doc.setValue(QStringLiteral("/musik/männer/tormusik/17titel.mp3"), "zeit_01", "999"));
    // A section added after the index exists is found, and a second write lands in the same section.
    EXPECT_TRUE(doc.setValue(QStringLiteral("/musik/Männer/Tormusik/Neu 进球.mp3"), "Zeit_01", "0"));
    EXPECT_TRUE(doc.setValue(QStringLiteral("/MUSIK/männer/Tormusik/neu 进球.mp3"), "Zeit_01", "1500"));
    ASSERT_TRUE(doc.save());
    big.insert(big.indexOf("[/musik"), "Vol=25\r\n");
    big.replace("17Titel.mp3]\r\nZeit_01=170\r\n", "17Titel.mp3]\r\nZeit_01=999\r\n");
    EXPECT_EQ(raw(), big + "\r\n[/musik/M\xE4nner/Tormusik/Neu &#36827;&#29699;.mp3]\r\nZeit_01=1500\r\n");
}

// A file system that keeps its times in steps: whole seconds as FAT and some network shares do, or the clock
// tick of a few milliseconds that stamps even nanosecond times.
template <std::int64_t StepNs> FileStamp steppedTimes(const QString& path) {
    FileStamp s = FileStamp::of(path);
    s.mtimeNs -= s.mtimeNs % StepNs;
    s.ctimeNs -= s.ctimeNs % StepNs;
    return s;
}

// Reads are kept between calls, yet see every change on disk: hand edits of the same size within one step
// leave the stamp as it was, so every read has to look; a rested file is served from the kept parse, and its
// next edit is seen.
TEST_F(ProfileTest, KeptReadsSeeEveryChangeOnDisk) {
    ProfileCache seconds(&steppedTimes<1000000000>);
    ProfileCache ticks(&steppedTimes<4000000>);
    for (int i = 100; i < 160; ++i) {
        put("[Damen]\r\nZeit_01=" + QByteArray::number(i) + "\r\n");
        ASSERT_EQ(seconds.value(file, "Damen", "Zeit_01"), QString::number(i));
        ASSERT_EQ(seconds.values(file, {"damen", "fehlt"}, "zeit_01"), QStringList({QString::number(i), ""}));
        ASSERT_EQ(ticks.value(file, "Damen", "Zeit_01"), QString::number(i));
    }
    // The desk's own cache.
    QThread::msleep(120);
    EXPECT_EQ(Profile::readString(file, "Damen", "Zeit_01"), QStringLiteral("159"));
    EXPECT_EQ(Profile::readString(file, "Damen", "Zeit_01"), QStringLiteral("159"));
    put("[Damen]\r\nZeit_01=160\r\n");
    EXPECT_EQ(Profile::readString(file, "Damen", "Zeit_01"), QStringLiteral("160"));
    QFile::remove(file);
    EXPECT_EQ(seconds.value(file, "Damen", "Zeit_01"), QString());
}

// The clock set back an hour after a read: the next edit is stamped before the read, and is seen all the same.
bool clockSetBack = false;
FileStamp hourBack(const QString& path) {
    FileStamp s = FileStamp::of(path);
    if (clockSetBack) {
        s.mtimeNs -= 3600'000'000'000;
        s.ctimeNs -= 3600'000'000'000;
    }
    return s;
}

TEST_F(ProfileTest, AnEditStampedBeforeTheReadIsSeen) {
    ProfileCache cache(&hourBack);
    put("[Damen]\r\nZeit_01=100\r\n");
    QThread::msleep(60); // the read is trusted from now on
    EXPECT_EQ(cache.value(file, "Damen", "Zeit_01"), QStringLiteral("100"));
    EXPECT_EQ(cache.value(file, "Damen", "Zeit_01"), QStringLiteral("100"));
    clockSetBack = true;
    put("[Damen]\r\nZeit_01=200\r\n");
    EXPECT_EQ(cache.value(file, "Damen", "Zeit_01"), QStringLiteral("200"));
    clockSetBack = false;
}

} // namespace
