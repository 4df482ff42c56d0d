#include "platform/ShortPath.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ShortPath, AnExistingFileKeepsItsPathBlanksAndAll) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.path() + QStringLiteral("/Männer/01 Tor & Jubel.mp3");
    ASSERT_TRUE(QDir().mkpath(dir.path() + QStringLiteral("/Männer")));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(shortPathName(path), path);
}

TEST(ShortPath, AMissingFileGivesNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_TRUE(shortPathName(dir.path() + QStringLiteral("/fehlt.mp3")).isEmpty());
    EXPECT_TRUE(shortPathName(QString()).isEmpty());
}
