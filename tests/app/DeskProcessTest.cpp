// The real program as a terminal and the system see it: answers to the command line without a display, and
// SIGTERM or Ctrl+C ending it as "Beenden" does.
#include "KlangwartVersion.h"
#include "app/ProgramFolderSetup.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

QString executable() {
    const QString configured = qEnvironmentVariable("KLANGWART_EXECUTABLE");
    return configured.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/klangwart")
                                : configured;
}

// True once the process catches the signal: before that, the signal would simply kill it.
bool catches(qint64 pid, int number) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (number - 1)) & 1U;
    return false;
}

} // namespace

TEST(DeskProcessTest, CommandLineIsAnsweredWithoutAWindow) {
    QTemporaryDir tmp;
    QFile file(tmp.filePath(QStringLiteral("datei")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    struct Case {
        QStringList arguments;
        int status;
        QByteArray out;
        QByteArray err;
    };
    const Case cases[] = {
        {{"--version"}, 0, "Klangwart " KLANGWART_VERSION "\n", ""},
        {{"--help"}, 0, "Aufruf: klangwart [ORDNER]\n", ""},
        {{"--bogus"}, 2, "", "klangwart: unbekannte Option '--bogus' (Hilfe: klangwart --help)\n"},
        {{file.fileName()}, 2, "", "klangwart: '" + file.fileName().toUtf8() + "' ist kein Ordner"},
    };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name)); // a window would fail here
    for (const Case& c : cases) {
        QProcess desk;
        desk.setProcessEnvironment(env);
        desk.start(executable(), c.arguments);
        ASSERT_TRUE(desk.waitForFinished(20000));
        const QByteArray out = desk.readAllStandardOutput(), err = desk.readAllStandardError();
        EXPECT_EQ(desk.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(desk.exitCode(), c.status) << err.toStdString();
        EXPECT_TRUE(out.startsWith(c.out)) << out.toStdString();
        EXPECT_TRUE(err.startsWith(c.err)) << err.toStdString();
        EXPECT_LE(err.count('\n'), 1);
    }
}

TEST(DeskProcessTest, TermAndInterruptEndTheDeskAndLeaveNothingHalfWritten) {
    for (const int number : {SIGTERM, SIGINT}) {
        QTemporaryDir tmp;
        ASSERT_EQ(ProgramFolderSetup::prepare(tmp.path()), QString());
        // Titles without start offsets: the board load writes Damen.ini while the signal comes.
        const int titles = 30;
        for (int i = 1; i <= titles; ++i)
            QFile(tmp.filePath(QStringLiteral("Damen/Tormusik/%1Tor.mp3").arg(i, 2, 10, QLatin1Char('0'))))
                .open(QIODevice::WriteOnly);
        QProcess desk;
        desk.start(executable(), {tmp.path()});
        ASSERT_TRUE(desk.waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (!catches(desk.processId(), number) && waited.elapsed() < 20000)
            QThread::msleep(2);
        ASSERT_TRUE(catches(desk.processId(), number));
        ::kill(static_cast<pid_t>(desk.processId()), number);
        const bool ended = desk.waitForFinished(20000);
        if (!ended)
            desk.kill();
        ASSERT_TRUE(ended) << "still running after signal " << number;
        EXPECT_EQ(desk.exitStatus(), QProcess::NormalExit) << number;
        EXPECT_EQ(desk.exitCode(), 0);
        // The load ran to its end before the desk ended: every title has its offset, two for the empty
        // Einlaufen and Wischen folders, and no temporary file is left.
        QFile offsets(tmp.filePath(QStringLiteral("Damen.ini")));
        ASSERT_TRUE(offsets.open(QIODevice::ReadOnly));
        EXPECT_EQ(offsets.readAll().count("Zeit_01=0\r\n"), titles + 2);
        const QStringList expected{"Klangwart.ini", "Damen.ini", "Damen", "Männer", "Jugend"};
        for (const QString& name :
             QDir(tmp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            EXPECT_TRUE(expected.contains(name)) << name.toStdString();
    }
}
