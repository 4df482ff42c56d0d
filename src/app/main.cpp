// Reads the command line, finds the program directory, builds the real services, hands them to the main
// console and runs the desk.
#include "KlangwartInstallDirs.h"
#include "about/AboutBoxHolder.h"
#include "about/GermanTexts.h"
#include "app/CommandLine.h"
#include "app/Form1.h"
#include "app/ProgramDirectory.h"
#include "app/ProgramFolderSetup.h"
#include "app/SingleDesk.h"
#include "appearance/FontSubstitutes.h"
#include "audio/AudioEngine.h"
#include "audio/DeskOutputs.h"
#include "audio/LoudnessMatcher.h"
#include "audio/EngineWaveOut.h"
#include "audio/HeadPreparer.h"
#include "audio/MediaCommandInterpreter.h"
#include "log/PlayLog.h"
#include "platform/SystemPrinter.h"
#include "platform/ProcessLauncher.h"
#include "platform/QtTickSource.h"
#include "platform/Services.h"
#include "platform/SteadyClock.h"
#include "platform/SystemDialogs.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QScopeGuard>
#include <QTimer>
#include <SDL_hints.h>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int ExitWrongArguments = 2;
constexpr int ExitNoProgramDirectory = 1;
constexpr int ExitNoDisplay = 1;
const QString Title = QStringLiteral("Klangwart");

int refuse(const QString& error) {
    std::fprintf(stderr, "klangwart: %s (Hilfe: klangwart --help)\n", qUtf8Printable(error));
    return ExitWrongArguments;
}

// Help, version and a wrong argument are answered on the terminal before any window or display is needed.
// Returns the exit status, or -1 when the desk is to run.
int answerCommandLine(const CommandLine& line) {
    switch (line.action()) {
    case CommandLine::Action::Help:
        std::fputs(qUtf8Printable(CommandLine::helpText()), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::fputs(qUtf8Printable(CommandLine::versionText()), stdout);
        return 0;
    case CommandLine::Action::Error:
        return refuse(line.error());
    case CommandLine::Action::Run:
        break;
    }
    return -1;
}

// Qt ends a program it cannot find a display for with an English message and abort() (exit status 134); the
// operator gets one German line and the status of a desk that could not start instead. Only the windowing
// plugin's own complaints are held back, and only while the application is being made.
QtMessageHandler previousHandler = nullptr;

void displayGuard(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const bool fromPlatform = context.category && QByteArray(context.category).startsWith("qt.qpa");
    if (type == QtFatalMsg && (fromPlatform || message.contains(QLatin1String("platform plugin")))) {
        std::fputs("klangwart: Kein Bildschirm: Das Tonpult braucht eine grafische Oberfläche (DISPLAY ist "
                   "nicht gesetzt oder nicht erreichbar).\n",
                   stderr);
        std::_Exit(ExitNoDisplay);
    }
    if (fromPlatform && type != QtCriticalMsg)
        return;
    previousHandler(type, context, message);
}

void setWindowIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/klangwart-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
}

// The folder the desk works on, laid out first when it is the installed desk's ~/Klangwart or an empty folder
// given on the command line. Empty when there is none; the operator has been told why.
QString programDirectory(const ProgramDirectory& folder, Dialogs& dialogs) {
    QString problem =
        folder.ok() ? QString() : QStringLiteral("Klangwart findet keinen Programmordner: ") + folder.error();
    if (folder.ok() && (folder.isHomeFolder() || folder.isEmpty()))
        problem = ProgramFolderSetup::prepare(folder.path());
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "klangwart: %s\n", qUtf8Printable(problem));
        dialogs.msgBox(problem, 16, Title);
        return QString();
    }
    return QFileInfo(folder.path()).canonicalFilePath();
}

// Builds the real services on the program directory and runs the desk until it ends. running points at the
// main console while it exists, for the signal handling in main().
int runDesk(const QString& dir, Dialogs& dialogs, Form1*& running, SingleDesk& single, int remotePort) {
    SteadyClock clock;
    AudioEngine engine(clock);
    MediaCommandInterpreter media(engine);
    EngineWaveOut waveOut(engine);
    ProcessLauncher launcher;
    QtTickSourceFactory ticks;
    HeadPreparer heads(engine.heads());
    Services services{media, waveOut, dialogs, launcher, clock, ticks, dir, &media, &heads};
    SystemPrinter printer;
    services.printer = &printer;
    PlayLog playLog(dir);
    services.playLog = &playLog;
    DeskOutputs outputs(engine, media, media, waveOut, clock);
    services.outputs = &outputs;
    LoudnessMatcher loudness(engine, dir);
    services.loudness = &loudness;
    services.remotePort = remotePort;
    AboutBoxHolder about(dialogs, launcher);

    Form1 desk(services, about);
    running = &desk;
    QObject::connect(&single, &SingleDesk::raiseRequested, &desk, [&desk] {
        desk.showNormal();
        desk.raise();
        desk.activateWindow();
    });
    const auto ended = qScopeGuard([&running] { running = nullptr; });
    if (!desk.Form_Load())
        return ConsoleWindow::ExitStartFailed;
    desk.show();
    if (engine.takeNoDeviceNotice()) {
        // Told once, after the desk is up: the operator can still prepare offsets and the board works.
        QTimer::singleShot(0, &desk, [&dialogs] {
            dialogs.msgBox(QStringLiteral("Es wurde kein Tonausgabegerät gefunden. Die Titel laufen stumm."),
                           48, Title);
        });
    }
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = CommandLine::parse(arguments);
    if (const int status = answerCommandLine(line); status >= 0)
        return status;
    const ProgramDirectory given =
        line.dir().isEmpty() ? ProgramDirectory() : ProgramDirectory::given(line.dir());
    if (!given.ok())
        return refuse(given.error());

    // SDL would catch SIGINT and SIGTERM for an event queue nobody reads here, and the desk would not end.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The command line belongs to the desk; Qt's own options are not read from it.
    int qtArgc = 1;
    previousHandler = qInstallMessageHandler(displayGuard);
    QApplication app(qtArgc, argv);
    qInstallMessageHandler(previousHandler);
    SystemDialogs dialogs;
    TerminationSignals termination;
    // A signal ends the desk as "Beenden" does, from the event loop: never in the middle of a settings write.
    // Before the console exists (a message box of the first start) there is nothing to stop.
    Form1* running = nullptr;
    QObject::connect(&termination, &TerminationSignals::received, &app, [&running, &dialogs] {
        if (running)
            running->mnuBeenden_Click();
        else
            dialogs.endProgram();
    });
    QApplication::setApplicationName(Title);
    GermanTexts::install();
    QApplication::setDesktopFileName(QStringLiteral("de.klangwart.Klangwart"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    setWindowIcon();
    FontSubstitutes::install();

    const QString dir = programDirectory(
        line.dir().isEmpty()
            ? ProgramDirectory::ofProgram(QCoreApplication::applicationFilePath(),
                                          QStringLiteral(KLANGWART_DATA_FROM_BIN), QDir::homePath())
            : given,
        dialogs);
    if (dir.isEmpty())
        return ExitNoProgramDirectory;

    SingleDesk single(dir);
    if (!single.claim()) {
        const bool raised = single.raiseFirst();
        std::fprintf(stderr, "klangwart: Auf dem Ordner %s läuft schon ein Tonpult%s.\n", qUtf8Printable(dir),
                     raised ? "; es wurde nach vorn geholt" : "");
        return 0;
    }
    return runDesk(dir, dialogs, running, single, line.remotePort());
}
