// The day's play log: a line for every title that sounded in the hall, its heard time, the tags, the file a
// spreadsheet reads, what a desk restarted the same day keeps, and the window with its PDF.
#include "log/PlayLog.h"
#include "log/PlayLogWindow.h"
#include "support/Desk.h"
#include "support/EngineRig.h"
#include "support/TestAudioFiles.h"

#include <QTextBrowser>

namespace {

class PlayLogDesk : public Desk {
  protected:
    void SetUp() override {
        log = std::make_unique<PlayLog>(fx.dir());
        fx.services.playLog = log.get();
        start({{"7 Meter", {"01Siebenmeter.wav"}}, {"Tormusik", {"13Müller;Remix.wav"}}});
        fx.addFile(QStringLiteral("Damen"), QStringLiteral("7 Meter"), QStringLiteral("01Siebenmeter.wav"),
                   EngineRig::probeWav(20));
        fx.addFile(QStringLiteral("Damen"), QStringLiteral("Tormusik"), QStringLiteral("13Müller;Remix.wav"),
                   EngineRig::probeWav(20));
        rig.followClock();
    }
    void TearDown() override {
        Desk::TearDown();
        log.reset();
    }
    std::vector<PlayLog::Entry> today() {
        log->flush();
        return PlayLog::readDay(fx.dir(), QDate::currentDate());
    }

    std::unique_ptr<PlayLog> log;
    EngineRig rig{fx};
};

TEST_F(PlayLogDesk, EveryTitleHeardGetsALineWithTheSecondsItSounded) {
    store(path("7 Meter", QStringLiteral("01Siebenmeter.wav")), QStringLiteral("2000"));
    press(0);
    fx.clock.advanceTo(fx.clock.now + 3000000);
    press(61); // replaces the first title
    fx.clock.advanceTo(fx.clock.now + 1500000);
    click("cmd5"); // a pause does not count
    fx.clock.advanceTo(fx.clock.now + 4000000);
    click("cmd6");
    fx.clock.advanceTo(fx.clock.now + 1000000);
    click("cmd2_0");
    const std::vector<PlayLog::Entry> lines = today();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].team, QStringLiteral("Damen"));
    EXPECT_EQ(lines[0].category, QStringLiteral("7 Meter"));
    EXPECT_EQ(lines[0].caption, text(main.get(), "Command1_0").remove(QLatin1Char('&')));
    EXPECT_EQ(lines[0].file, QStringLiteral("Damen/7 Meter/01Siebenmeter.wav"));
    EXPECT_NEAR(lines[0].startS, 2.0, 0.05);
    EXPECT_NEAR(lines[0].heardS, 3.0, 0.1);
    EXPECT_NEAR(lines[1].heardS, 2.5, 0.1);
    // The file as a German spreadsheet reads it: BOM, header, ';', a field with ';' quoted, decimal comma.
    QFile file(PlayLog::fileFor(fx.dir(), QDate::currentDate()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList rows = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    EXPECT_EQ(rows[0], QStringLiteral("Datum;Uhrzeit;Mannschaft;Kategorie;Titel;Datei;Start (s);Gehört (s);"
                                      "Interpret;Titel laut Datei;Komponist"));
    EXPECT_TRUE(rows[2].contains(QStringLiteral(";\"Damen/Tormusik/13Müller;Remix.wav\";0,0;2,5;")))
        << rows[2].toStdString();
    // A desk started again the same day goes on with the day's file.
    log = std::make_unique<PlayLog>(fx.dir());
    fx.services.playLog = log.get();
    main.reset();
    main = fx.startMain();
    press(0);
    EXPECT_EQ(today().size(), 3u);
}

TEST_F(PlayLogDesk, TagsAreReadAndTheWindowExportsThePdf) {
    const QString wav = fx.dir() + QStringLiteral("/plain.wav");
    const QString tagged = fx.dir() + QStringLiteral("/tagged.mp3");
    ASSERT_TRUE(TestAudioFiles::writeWav(wav, 48000, 1));
    ASSERT_TRUE(TestAudioFiles::encode(wav, tagged,
                                       {"-metadata", "artist=Die Ärzte", "-metadata", "title=Westerland",
                                        "-metadata", "composer=Farin"}));
    PlayLog::Entry entry;
    PlayLog::readTags(tagged, entry);
    EXPECT_EQ(entry.artist + '|' + entry.title + '|' + entry.composer, QStringLiteral("Die Ärzte|Westerland|Farin"));

    press(0);
    Operator::menu(main.get(), QStringLiteral("mnuProtokoll"));
    PlayLogWindow* window = main->playLogWindow();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->findChild<QTextBrowser*>()->toPlainText().contains(QStringLiteral("Siebenmeter")));
    Operator::click(window, QStringLiteral("PDF"));
    ASSERT_EQ(fx.printer.pdfs.size(), 1u);
    EXPECT_EQ(fx.printer.pdfs[0].first,
              fx.dir() + QStringLiteral("/Protokoll/") + QDate::currentDate().toString(Qt::ISODate) + ".pdf");
    EXPECT_TRUE(fx.printer.pdfs[0].second.contains(QStringLiteral("1 Titel.")));
}

} // namespace
