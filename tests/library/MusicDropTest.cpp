// Music brought into the desk from the desk: files dropped on a frame of the board land in that category's
// folder under the next ordering characters, never over a file and never past the category's buttons, and the
// board shows them at once. An empty board says where the music goes; an empty fixed button looks empty.
#include "support/Desk.h"

#include <QMimeData>
#include <QUrl>

namespace {

class MusicDrop : public Desk {
  protected:
    // Files of that name, dropped in the middle of a widget of the board.
    void drop(const QStringList& names, const char* onto) {
        QStringList paths;
        for (const QString& name : names) {
            paths << source.filePath(name);
            QFile(paths.back()).open(QIODevice::WriteOnly);
        }
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString& p : paths)
            urls << QUrl::fromLocalFile(p);
        mime.setUrls(urls);
        QWidget* client = Operator::find(main.get(), "client");
        const QPoint at = Operator::find(main.get(), QString::fromLatin1(onto))->geometry().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(client, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(client, &event);
    }
    QString notice() const { return text(main.get(), "Hinweis"); }
    QTemporaryDir source;
};

TEST_F(MusicDrop, DroppedFilesLandInTheFramesCategoryNumberedWithinItsLimit) {
    start();
    EXPECT_TRUE(notice().startsWith(QStringLiteral("Noch keine Musik: Titel auf die Rahmen ziehen")));
    auto* einlaufen = Operator::find<VbButton>(main.get(), "Command1_126");
    EXPECT_EQ(einlaufen->mark(), VbButton::Mark::Empty);

    drop({"Jubel.mp3", "13Müller.mp3", "Notizen.txt"}, "RunFrame_5");
    EXPECT_EQ(fx.offset(QStringLiteral("Damen"), path("Tormusik", "01Jubel.mp3")), QStringLiteral("0"));
    EXPECT_TRUE(QFile::exists(path("Tormusik", "13Müller.mp3"))); // the shirt number stays
    EXPECT_EQ(text(main.get(), "Command1_61"), QStringLiteral("Jubel"));
    EXPECT_EQ(text(main.get(), "Command1_62"), QStringLiteral("Müller"));
    EXPECT_EQ(notice(),
              QStringLiteral("2 Titel nach Tormusik kopiert; nicht kopiert: Notizen.txt: keine Tondatei, "
                             "die das Pult spielt."));
    drop({"13Müller.mp3", "Tor.mp3"}, "Command1_61");
    EXPECT_TRUE(QFile::exists(path("Tormusik", "14Tor.mp3")));
    EXPECT_TRUE(
        notice().contains(QStringLiteral("13Müller.mp3: eine Datei dieses Namens liegt schon im Ordner")));

    // A fixed button takes one title; a category no more than its buttons.
    drop({"Einzug.mp3", "Hymne.mp3"}, "Command1_126");
    EXPECT_TRUE(QFile::exists(path("Einlaufen", "01Einzug.mp3")));
    EXPECT_EQ(einlaufen->mark(), VbButton::Mark::None);
    EXPECT_TRUE(notice().endsWith(QStringLiteral("Hymne.mp3: der Ordner Einlaufen hat schon seinen Titel.")));
    fx.makeTeam(QStringLiteral("Damen"), {{"2 Minuten", DeskFixture::numbered(4)}});
    click("Command5");
    drop({"Eins.mp3", "Zwei.mp3"}, "RunFrame_0");
    EXPECT_TRUE(QFile::exists(path("2 Minuten", "05Eins.mp3")));
    EXPECT_TRUE(notice().endsWith(QStringLiteral("Zwei.mp3: der Ordner 2 Minuten fasst nur 5 Titel.")));
    EXPECT_EQ(fx.dialogs.ends, 0);
}

} // namespace
