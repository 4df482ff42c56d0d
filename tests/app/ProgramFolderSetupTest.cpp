// The installed desk's first start: a new ~/Klangwart, and nothing that exists touched. That the desk starts
// on the new folder and seeds its offsets is shown by DeskProcessTest.
#include "app/ProgramFolderSetup.h"
#include "library/Categories.h"
#include "support/ProfileFileTest.h"

#include <QDir>

using ProgramFolderSetupTest = ProfileFileTest;

TEST_F(ProgramFolderSetupTest, NewFolderHoldsDefaultsForEveryTeamAndEmptyCategoryFolders) {
    const QString home = dir.filePath(QStringLiteral("home/Klangwart"));
    ASSERT_EQ(ProgramFolderSetup::prepare(home), QString());
    const QByteArray ini = raw(home + QStringLiteral("/Klangwart.ini"));
    EXPECT_TRUE(ini.startsWith("[Mannschaft]\r\nMannschaft=Damen\r\nVerein=\r\n"));
    EXPECT_TRUE(ini.contains("[M\xE4nner_AUSBLEND]\r\nZEIT=2\r\nVol=20\r\n")) << "Windows-1252, CR LF";
    for (const QString& team : ProgramFolderSetup::teams())
        for (const Category& c : Categories::all())
            EXPECT_TRUE(QDir(home + '/' + team + '/' + QString::fromUtf8(c.folder)).isEmpty()) << c.folder;
}

TEST_F(ProgramFolderSetupTest, WhatExistsIsLeftAloneAndOnlyTheMissingIsMade) {
    file = dir.filePath(QStringLiteral("Klangwart.ini"));
    put("[Mannschaft]\nMannschaft=Jugend\n");
    QDir(dir.path()).mkpath(QStringLiteral("Damen/7 Meter"));
    QFile(dir.filePath(QStringLiteral("Männer")))
        .open(QIODevice::WriteOnly); // a file where a folder would go
    ASSERT_EQ(ProgramFolderSetup::prepare(dir.path()), QString());
    EXPECT_EQ(raw(), "[Mannschaft]\nMannschaft=Jugend\n");
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("Damen"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("7 Meter")});
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("Jugend/2 Minuten"))).exists());
    EXPECT_NE(ProgramFolderSetup::prepare(dir.filePath(QStringLiteral("Männer/Klangwart"))), QString());
}
