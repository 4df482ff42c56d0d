// The installed desk's first start: a new ~/Klangwart the desk can start on, and nothing that exists touched.
#include "app/ProgramFolderSetup.h"
#include "app/Form1.h"
#include "library/Categories.h"
#include "settings/IniAccess.h"
#include "support/DeskFixture.h"
#include "support/Operator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(ProgramFolderSetupTest, NewFolderHoldsDefaultsForEveryTeamAndEmptyCategoryFolders) {
    QTemporaryDir tmp;
    const QString dir = tmp.path() + QStringLiteral("/home/Klangwart");
    ASSERT_EQ(ProgramFolderSetup::prepare(dir), QString());

    const QString ini = dir + QStringLiteral("/Klangwart.ini");
    const QByteArray bytes = bytesOf(ini);
    EXPECT_TRUE(bytes.startsWith("[Mannschaft]\r\nMannschaft=Damen\r\n"));
    EXPECT_TRUE(bytes.contains("[M\xE4nner_AUSBLEND]\r\nZEIT=2\r\nVol=20\r\n")) << "Windows-1252, CR LF";
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    for (const QString& team : ProgramFolderSetup::teams()) {
        EXPECT_EQ(Ini_Read(ini, team + QStringLiteral("_Font_Style"), QStringLiteral("Art")), "Arial");
        for (const Category& c : Categories::all()) {
            const QDir folder(dir + QLatin1Char('/') + team + QLatin1Char('/') + QString::fromUtf8(c.folder));
            EXPECT_TRUE(folder.exists() && folder.isEmpty()) << folder.path().toStdString();
        }
    }
}

TEST(ProgramFolderSetupTest, DeskStartsOnTheNewFolderWithAnEmptyBoard) {
    DeskFixture fx;
    QFile::remove(fx.iniFile());
    ASSERT_EQ(ProgramFolderSetup::prepare(fx.dir()), QString());
    const auto desk = fx.startMain();
    EXPECT_TRUE(fx.dialogs.boxes.empty());
    EXPECT_EQ(fx.dialogs.ends, 0);
    EXPECT_EQ(desk->windowTitle(), QStringLiteral("Klangwart  Damen  "));
    for (int i = 0; i < 132; ++i) {
        if (i != Categories::WischenButton && i != Categories::EinlaufenButton) {
            EXPECT_TRUE(Operator::button(desk.get(), i)->isHidden()) << i;
        }
    }
}

TEST(ProgramFolderSetupTest, WhatExistsIsLeftAloneAndOnlyTheMissingIsMade) {
    QTemporaryDir tmp;
    const QString dir = tmp.path();
    write(dir + QStringLiteral("/Klangwart.ini"), "[Mannschaft]\nMannschaft=Jugend\n");
    write(dir + QStringLiteral("/Damen/7 Meter/01Anwurf.mp3"), "title");
    write(dir + QStringLiteral("/Männer"), "a file where a folder would go");
    ASSERT_EQ(ProgramFolderSetup::prepare(dir), QString());

    EXPECT_EQ(bytesOf(dir + QStringLiteral("/Klangwart.ini")), "[Mannschaft]\nMannschaft=Jugend\n");
    EXPECT_EQ(QDir(dir + QStringLiteral("/Damen")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("7 Meter")});
    EXPECT_EQ(bytesOf(dir + QStringLiteral("/Damen/7 Meter/01Anwurf.mp3")), "title");
    EXPECT_EQ(bytesOf(dir + QStringLiteral("/Männer")), "a file where a folder would go");
    EXPECT_TRUE(QDir(dir + QStringLiteral("/Jugend/2 Minuten")).exists());
}

TEST(ProgramFolderSetupTest, FolderThatCannotBeMadeIsTold) {
    QTemporaryDir tmp;
    write(tmp.path() + QStringLiteral("/home"), "a file, not a home folder");
    const QString dir = tmp.path() + QStringLiteral("/home/Klangwart");
    EXPECT_EQ(ProgramFolderSetup::prepare(dir),
              QStringLiteral("Der Programmordner %1 konnte nicht angelegt werden.").arg(dir));
}
