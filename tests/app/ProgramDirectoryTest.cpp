// Which folder the desk works on: a folder given, a copy of the desk anywhere, the installed desk.
#include "app/ProgramDirectory.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ProgramDirectoryTest, GivenFolderCopyAndInstalledDesk) {
    QTemporaryDir tmp;
    const QString root = QFileInfo(tmp.path()).canonicalFilePath();
    auto at = [&root](const char* relative) { return root + QLatin1Char('/') + QString::fromUtf8(relative); };
    for (const char* folder : {"copy", "bin", "home", "menu", "stick", "home2"})
        QDir(root).mkpath(QString::fromLatin1(folder));
    for (const char* file : {"copy/klangwart", "bin/klangwart"})
        QFile(at(file)).open(QIODevice::WriteOnly);
    QFile::link(at("copy/klangwart"), at("menu/klangwart")); // a link to a copy
    QFile::link(at("bin"), at("usrbin"));                    // /bin and /usr/bin on a merged /usr
    QFile::link(at("stick"), at("home2/Klangwart"));         // ~/Klangwart kept elsewhere

    const struct {
        ProgramDirectory dir;
        QString path;
        bool home;
        QString error;
    } cases[] = {
        {ProgramDirectory::given(at("menu/../copy")), at("copy"), false, ""},
        {ProgramDirectory::given(at("copy/klangwart")), "", false,
         "'" + at("copy/klangwart") + "' ist kein Ordner"},
        {ProgramDirectory::ofProgram(at("copy/klangwart"), at("bin"), at("home")), at("copy"), false, ""},
        {ProgramDirectory::ofProgram(at("menu/klangwart"), at("bin"), at("home")), at("copy"), false, ""},
        {ProgramDirectory::ofProgram(at("bin/klangwart"), at("bin"), at("home")), at("home/Klangwart"), true,
         ""},
        {ProgramDirectory::ofProgram(at("bin/klangwart"), at("usrbin"), at("home")), at("home/Klangwart"),
         true, ""},
        {ProgramDirectory::ofProgram(at("bin/klangwart"), at("bin"), at("home2")), at("stick"), true, ""},
        {ProgramDirectory::ofProgram(at("bin/klangwart"), at("missing"), at("home")), at("bin"), false, ""},
    };
    int row = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(c.dir.path(), c.path) << "row " << row;
        EXPECT_EQ(c.dir.isHomeFolder(), c.home) << "row " << row;
        EXPECT_EQ(c.dir.error(), c.error) << "row " << row++;
    }
    EXPECT_FALSE(ProgramDirectory::ofProgram(at("bin/klangwart"), at("bin"), at("nohome")).ok());
}
