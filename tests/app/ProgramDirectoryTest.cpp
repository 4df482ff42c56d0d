// Which folder the desk works on: a folder given, a copy of the desk anywhere, the installed desk (known by the
// marker the install puts beside its data, whatever the prefix). That a file given as the folder is refused
// shows DeskProcessTest.
#include "app/ProgramDirectory.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ProgramDirectoryTest, GivenFolderCopyAndInstalledDesk) {
    QTemporaryDir tmp;
    const QString root = QFileInfo(tmp.path()).canonicalFilePath();
    auto at = [&root](const char* relative) { return root + QLatin1Char('/') + QString::fromUtf8(relative); };
    for (const char* folder : {"copy", "prefix/bin", "prefix/share/klangwart", "home", "home2", "stick", "new"})
        QDir(root).mkpath(QString::fromLatin1(folder));
    for (const char* file :
         {"copy/klangwart", "copy/Klangwart.ini", "prefix/bin/klangwart", "prefix/share/klangwart/installiert"})
        QFile(at(file)).open(QIODevice::WriteOnly);
    QFile::link(at("copy/klangwart"), at("copy-link"));      // a link to a copy
    QFile::link(at("prefix/bin/klangwart"), at("menu-link")); // a link to the installed desk
    QFile::link(at("stick"), at("home2/Klangwart"));          // ~/Klangwart kept elsewhere
    const QString data = QStringLiteral("../share/klangwart");
    const std::tuple<ProgramDirectory, QString, bool> cases[] = {
        {ProgramDirectory::given(at("copy/../copy")), at("copy"), false},
        {ProgramDirectory::ofProgram(at("copy-link"), data, at("home")), at("copy"), false},
        {ProgramDirectory::ofProgram(at("prefix/bin/klangwart"), data, at("home")), at("home/Klangwart"), true},
        {ProgramDirectory::ofProgram(at("menu-link"), data, at("home")), at("home/Klangwart"), true},
        {ProgramDirectory::ofProgram(at("menu-link"), data, at("home2")), at("stick"), true},
    };
    for (const auto& [dir, path, home] : cases) {
        EXPECT_EQ(dir.path(), path);
        EXPECT_EQ(dir.isHomeFolder(), home) << path.toStdString();
    }
    EXPECT_TRUE(ProgramDirectory::given(at("new")).isEmpty()); // laid out as ~/Klangwart is
    EXPECT_FALSE(ProgramDirectory::given(at("prefix")).ok());  // not empty, and no Klangwart.ini
    EXPECT_FALSE(ProgramDirectory::ofProgram(at("prefix/bin/klangwart"), data, at("nohome")).ok());
}
