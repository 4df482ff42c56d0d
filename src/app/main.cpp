// Builds the real services, hands them to the main console and runs the desk.
#include "about/AboutBoxHolder.h"
#include "app/Form1.h"
#include "appearance/FontSubstitutes.h"
#include "audio/AudioEngine.h"
#include "audio/EngineWaveOut.h"
#include "audio/HeadPreparer.h"
#include "audio/MediaCommandInterpreter.h"
#include "platform/ProcessLauncher.h"
#include "platform/QtTickSource.h"
#include "platform/Services.h"
#include "platform/SteadyClock.h"
#include "platform/SystemDialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

namespace {

// The folder that holds the program file, links resolved: settings, offsets and music lie there.
QString programDirectory() {
    return QFileInfo(QCoreApplication::applicationFilePath()).canonicalPath();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Klangwart"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    FontSubstitutes::install();

    SteadyClock clock;
    AudioEngine engine(clock);
    MediaCommandInterpreter media(engine);
    EngineWaveOut waveOut(engine);
    SystemDialogs dialogs;
    ProcessLauncher launcher;
    QtTickSourceFactory ticks;
    HeadPreparer heads(engine.heads());
    Services services{media, waveOut, dialogs, launcher, clock, ticks, programDirectory(), &media, &heads};
    AboutBoxHolder about(dialogs, launcher);

    Form1 desk(services, about);
    if (!desk.Form_Load())
        return 0;
    desk.show();
    if (engine.takeNoDeviceNotice()) {
        // Told once, after the desk is up: the operator can still prepare offsets and the board works.
        QTimer::singleShot(0, &desk, [&dialogs] {
            dialogs.msgBox(QStringLiteral("Es wurde kein Tonausgabegerät gefunden. Die Titel laufen stumm."),
                           48, QStringLiteral("Klangwart"));
        });
    }
    return app.exec();
}
