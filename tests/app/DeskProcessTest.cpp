// The real program as a terminal and the system see it: answers to the command line without a display, and
// SIGTERM, Ctrl+C or a closed terminal ending it as "Beenden" does.
#include "KlangwartVersion.h"
#include "app/ProgramFolderSetup.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// ctest names the built desk.
const QString Desk = qEnvironmentVariable("KLANGWART_EXECUTABLE");

// True once the process catches the signal; before that, the signal would simply kill it.
bool catches(qint64 pid, int number) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    const qsizetype at = text.indexOf("SigCgt:");
    return at >= 0 && (text.mid(at + 7, 18).trimmed().toULongLong(nullptr, 16) >> (number - 1)) & 1U;
}

} // namespace

TEST(DeskProcessTest, CommandLineIsAnsweredWithoutADisplay) {
    QTemporaryDir tmp;
    const QString file = tmp.filePath(QStringLiteral("datei"));
    QFile(file).open(QIODevice::WriteOnly);
    ASSERT_EQ(ProgramFolderSetup::prepare(tmp.filePath(QStringLiteral("pult"))), QString());
    QDir(tmp.path()).mkpath(QStringLiteral("andere/Fotos"));
    const QByteArray help = " (Hilfe: klangwart --help)\n";
    const std::vector<std::tuple<QStringList, int, QByteArray>> cases{
        {{"--version"}, 0, "Klangwart " KLANGWART_VERSION "\n"},
        {{"/", "--help"}, 0, "Aufruf: klangwart [ORDNER]\n"},
        {{"--bogus"}, 2, "klangwart: unbekannte Option '--bogus'" + help},
        {{"-platform", "xcb"}, 2, "klangwart: unbekannte Option '-platform'" + help},
        {{"/", "--dir"}, 2, "klangwart: --dir braucht einen Ordner" + help},
        {{"--dir", "/", "/tmp"}, 2, "klangwart: nur ein Ordner ist möglich, '/tmp' ist zu viel" + help},
        {{"--", file}, 2, "klangwart: '" + file.toUtf8() + "' ist kein Ordner" + help},
        {{tmp.filePath(QStringLiteral("pult"))}, 1, "klangwart: Kein Bildschirm: Das Tonpult braucht eine "},
        {{tmp.filePath(QStringLiteral("andere"))}, 2,
         "klangwart: '" + tmp.filePath(QStringLiteral("andere")).toUtf8() +
             "' ist kein Programmordner: Es fehlt Klangwart.ini, und der Ordner ist nicht leer" + help},
    };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name)); // a window would fail here
    for (const auto& [arguments, status, answer] : cases) {
        QProcess desk;
        desk.setProcessEnvironment(env);
        desk.start(Desk, arguments);
        ASSERT_TRUE(desk.waitForFinished(20000));
        EXPECT_EQ(desk.exitCode(), status) << arguments.join(' ').toStdString();
        const QByteArray shown = status == 0 ? desk.readAllStandardOutput() : desk.readAllStandardError();
        EXPECT_EQ(shown.left(answer.size()), answer);
        if (status != 0) {
            EXPECT_EQ(shown.count('\n'), 1) << shown.toStdString();
        }
    }
}

TEST(DeskProcessTest, SignalsEndTheDeskWhenTheRunningWriteIsDone) {
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        QTemporaryDir tmp;
        ASSERT_EQ(ProgramFolderSetup::prepare(tmp.path()), QString());
        // Titles without start offsets: the board load writes Damen.ini while the signal comes.
        for (int i = 10; i < 40; ++i)
            QFile(tmp.filePath(QStringLiteral("Damen/Tormusik/%1Tor.mp3").arg(i))).open(QIODevice::WriteOnly);
        QProcess desk;
        desk.start(Desk, {tmp.path()});
        ASSERT_TRUE(desk.waitForStarted() && desk.processId() > 0);
        for (int waited = 0; !catches(desk.processId(), number) && waited < 10000; ++waited)
            QThread::msleep(2);
        ::kill(static_cast<pid_t>(desk.processId()), number);
        ASSERT_TRUE(desk.waitForFinished(20000)) << "still running after signal " << number;
        EXPECT_EQ(desk.exitStatus(), QProcess::NormalExit) << number;
        EXPECT_EQ(desk.exitCode(), 0);
        // Every title has its offset (two more for the empty Einlaufen and Wischen): the write was not cut
        // off.
        QFile offsets(tmp.filePath(QStringLiteral("Damen.ini")));
        ASSERT_TRUE(offsets.open(QIODevice::ReadOnly));
        EXPECT_EQ(offsets.readAll().count("Zeit_01=0\r\n"), 32);
    }
}

TEST(DeskProcessTest, OneDeskPerFolderTheSecondStartRaisesTheFirstAndADeadDesksLockIsTakenOver) {
    QTemporaryDir tmp;
    const QString one = tmp.filePath(QStringLiteral("eins"));
    const QString two = tmp.filePath(QStringLiteral("zwei"));
    ASSERT_EQ(ProgramFolderSetup::prepare(one), QString());
    QDir().mkpath(two); // empty: the desk lays it out
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), tmp.path()); // as a desktop session has it: Qt says nothing
    const auto startDesk = [&](QProcess& desk, const QString& dir) {
        desk.setProcessEnvironment(env);
        desk.start(Desk, {dir});
        ASSERT_TRUE(desk.waitForStarted());
    };
    QProcess first;
    startDesk(first, one);
    // Up once it answers: a second start may come while the first is still starting.
    for (int waited = 0; !QFile::exists(one + "/.Klangwart.lock") && waited < 2000; ++waited)
        QThread::msleep(5);
    QThread::msleep(300);
    QProcess second;
    QElapsedTimer took;
    took.start();
    startDesk(second, one);
    ASSERT_TRUE(second.waitForFinished(3000));
    EXPECT_LT(took.elapsed(), 3000);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(second.readAllStandardError(), "klangwart: Auf dem Ordner " +
                                                 QFileInfo(one).canonicalFilePath().toUtf8() +
                                                 " läuft schon ein Tonpult; es wurde nach vorn geholt.\n");
    // Another folder runs beside it; this one through ALSA, which finds no card in the test: it says so once
    // and ALSA's own complaints at every attempt stay off the terminal.
    QProcess beside;
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("alsa"));
    startDesk(beside, two);
    env.remove(QStringLiteral("SDL_AUDIODRIVER"));
    EXPECT_FALSE(beside.waitForFinished(1500));
    // A desk killed outright leaves its lock behind; the next start takes it over.
    first.kill();
    first.waitForFinished();
    QProcess next;
    startDesk(next, one);
    EXPECT_FALSE(next.waitForFinished(1000));
    for (QProcess* p : {&beside, &next}) {
        p->terminate();
        EXPECT_TRUE(p->waitForFinished(5000));
    }
    const QByteArray said = beside.readAllStandardError();
    EXPECT_FALSE(said.contains("ALSA")) << said.toStdString();
    EXPECT_LE(said.count("klangwart:"), 1) << said.toStdString();
    EXPECT_TRUE(QFile::exists(two + "/Jugend/2 Minuten") && QFile::exists(two + "/Klangwart.ini"));
}
