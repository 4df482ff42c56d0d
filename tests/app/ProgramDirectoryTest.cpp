// Which folder the desk works on: a folder given, a copy of the desk anywhere, the installed desk. That a
// file given as the folder is refused shows DeskProcessTest.
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
    const auto installed = [&at](const char* bin, const char* home) {
        return ProgramDirectory::ofProgram(at("bin/klangwart"), at(bin), at(home));
    };
    const std::tuple<ProgramDirectory, QString, bool> cases[] = {
        {ProgramDirectory::given(at("menu/../copy")), at("copy"), false},
        {ProgramDirectory::ofProgram(at("menu/klangwart"), at("bin"), at("home")), at("copy"), false},
        {installed("bin", "home"), at("home/Klangwart"), true},
        {installed("usrbin", "home"), at("home/Klangwart"), true},
        {installed("bin", "home2"), at("stick"), true},
        {installed("missing", "home"), at("bin"), false},
    };
    for (const auto& [dir, path, home] : cases) {
        EXPECT_EQ(dir.path(), path);
        EXPECT_EQ(dir.isHomeFolder(), home) << path.toStdString();
    }
    EXPECT_FALSE(installed("bin", "nohome").ok());
}
