#include "audio/FormatSniffer.h"

#include "support/TestAudioFiles.h"
#include "support/TestTitles.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

std::string nameOf(const FormatSniffer& sniffer) {
    return sniffer.format() ? sniffer.format()->name : "(none)";
}

TEST(FormatSniffer, KnowsTheUsualContainers) {
    ASSERT_TRUE(TestTitles::get().ok);
    EXPECT_EQ(nameOf(FormatSniffer(TestTitles::get().wav48)), "wav");
    EXPECT_EQ(nameOf(FormatSniffer(TestTitles::get().flac48)), "flac");
    EXPECT_EQ(nameOf(FormatSniffer(TestTitles::get().ogg48)), "ogg");
    EXPECT_EQ(nameOf(FormatSniffer(TestTitles::get().mp344)), "mp3");
    EXPECT_NE(nameOf(FormatSniffer(TestTitles::get().m4a48)).find("mp4"), std::string::npos);
    EXPECT_EQ(FormatSniffer(TestTitles::get().wav48).tagBytes(), 0);
}

TEST(FormatSniffer, LooksPastACoverPictureInTheTag) {
    ASSERT_TRUE(TestTitles::get().ok);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString tagged = dir.path() + QStringLiteral("/Bild.mp3");
    ASSERT_TRUE(TestAudioFiles::addCoverPicture(TestTitles::get().mp348, tagged));
    const FormatSniffer sniffer(tagged);
    EXPECT_EQ(nameOf(sniffer), "mp3");
    EXPECT_GT(sniffer.tagBytes(), 50000);
    EXPECT_LT(sniffer.tagBytes(), QFileInfo(tagged).size() - 100000);
}

TEST(FormatSniffer, GivesNoAnswerForTextOrNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString text = dir.path() + QStringLiteral("/text.mp3");
    ASSERT_TRUE(
        TestAudioFiles::writeBytes(text, QByteArray("Aufstellung: Tor, Rückraum, Kreis.\n").repeated(100)));
    EXPECT_EQ(nameOf(FormatSniffer(text)), "(none)");
    EXPECT_EQ(nameOf(FormatSniffer(dir.path() + QStringLiteral("/fehlt.mp3"))), "(none)");
    const QString empty = dir.path() + QStringLiteral("/leer.mp3");
    ASSERT_TRUE(TestAudioFiles::writeBytes(empty, QByteArray()));
    EXPECT_EQ(nameOf(FormatSniffer(empty)), "(none)");
}

TEST(FormatSniffer, AnEndlessChainOfBrokenTagsIsNotFollowedForever) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Ten empty tags in a row: only the first eight are skipped, and nothing is found after them.
    QByteArray tags;
    for (int i = 0; i < 10; ++i) {
        tags += QByteArray("ID3\x03\x00\x00\x00\x00\x00\x00", 10);
    }
    const QString path = dir.path() + QStringLiteral("/tags.mp3");
    ASSERT_TRUE(TestAudioFiles::writeBytes(path, tags));
    const FormatSniffer sniffer(path);
    EXPECT_EQ(sniffer.tagBytes(), 80);
}

} // namespace
