// A large start-offset file searched many times in one document (seeding a full board, or an over-full
// folder) is searched through an index: it must find exactly what the plain scan finds.
#include "platform/ProfileDocument.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ProfileIndex, ManyLookupsFindWhatTheScanFinds) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Damen.ini"));
    QByteArray file;
    for (int i = 0; i < 200; ++i)
        file += "[/musik/M\xE4nner/Tormusik/" + QByteArray::number(i) +
                "Titel.mp3]\r\nZeit_01=" + QByteArray::number(i * 10) + "\r\n";
    file += "[/MUSIK/m\xC4NNER/TORMUSIK/5TITEL.MP3]\r\nZeit_01=duplicate\r\n"; // a later duplicate never wins
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();

    ProfileDocument doc = ProfileDocument::load(path);
    for (int round = 0; round < 2; ++round) // the second round runs on the index
        for (int i = 0; i < 200; i += 7)
            EXPECT_EQ(doc.value(QStringLiteral("/Musik/MÄNNER/tormusik/%1titel.MP3").arg(i), "Zeit_01"),
                      QString::number(i * 10));
    EXPECT_EQ(doc.value(QStringLiteral("/musik/Männer/Tormusik/5Titel.mp3"), "Zeit_01"),
              QStringLiteral("50"));
    EXPECT_EQ(doc.value(QStringLiteral("/musik/Männer/Tormusik/999Titel.mp3"), "Zeit_01"), QString());
    // A section added after the index exists is found, and a second write lands in the same section.
    doc.setValue(QStringLiteral("/musik/Männer/Tormusik/Neu 进球.mp3"), "Zeit_01", "0");
    doc.setValue(QStringLiteral("/MUSIK/männer/Tormusik/neu 进球.mp3"), "Zeit_01", "1500");
    EXPECT_EQ(doc.value(QStringLiteral("/musik/Männer/Tormusik/Neu 进球.mp3"), "Zeit_01"),
              QStringLiteral("1500"));
    EXPECT_EQ(doc.toBytes().count("Neu"), 1);
    EXPECT_EQ(doc.value(QStringLiteral("/musik/Männer/Tormusik/Neu 得分.mp3"), "Zeit_01"), QString());
}
