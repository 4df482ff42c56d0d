#include "console/ConsoleWindow.h"

#include "about/AboutBoxHolder.h"
#include "appearance/ButtonLook.h"
#include "console/BoardCheck.h"
#include "console/BoardLoader.h"
#include "console/BoardWidgets.h"
#include "console/KeyRepeatGuard.h"
#include "console/NoticeLine.h"
#include "console/OperatorPresence.h"
#include "console/TitleTimeStrip.h"
#include "console/TransportArea.h"
#include "library/Categories.h"
#include "library/ProgramPaths.h"
#include "log/PlayLogFollower.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/MediaStatus.h"
#include "platform/SoundOutputs.h"
#include "playback/PressDispatch.h"
#include "volume/Level.h"
#include "volume/Ramps.h"
#include "widgets/ClickLabel.h"
#include "widgets/ScreenFit.h"
#include "widgets/Twips.h"
#include "widgets/VbButton.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <algorithm>

namespace {
constexpr std::int32_t PlayedMark = 0x0000FF00;
}

const QString ConsoleWindow::MyAlias = QStringLiteral("MyAlias");

ConsoleWindow::ConsoleWindow(Services& services, AboutBoxHolder& about, QWidget* parent)
    : QMainWindow(parent), m_settings(services.programDir),
      m_level(services.waveOut, services.clock, services.ticks), m_services(services), m_about(about),
      m_player(services.media) {
    KeyRepeatGuard::install();
    new OperatorPresence(services.waveOut, services.clock, this);
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("client"));
    m_central->setFocusPolicy(Qt::ClickFocus); // where the focus rests when no control should have it
    m_central->setAutoFillBackground(true);
    QPalette pal = m_central->palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    m_central->setPalette(pal);
    m_central->setFont(QFont(QStringLiteral("Comic Sans MS"), 7));
    setCentralWidget(m_central);
    Twips::place(this, 0, 0, 18960, 10875);

    board = new BoardWidgets(m_central);
    transport = new TransportArea(m_central);
    m_titleTime = new TitleTimeStrip(m_central, services.mediaStatus, services.ticks);
    m_boardCheck = std::make_unique<BoardCheck>(*board, services.titleCheck, services.ticks);
    // Always there, also when empty, so the board never moves when something is told.
    m_notice = new NoticeLine(services.waveOut, services.clock, services.mediaStatus, MyAlias, this);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addPermanentWidget(m_notice, 1);
    m_settings.onWrite = [this](const WriteOutcome& outcome) { m_notice->reportWrite(outcome); };

    connect(transport->cmd2, &QPushButton::clicked, this, [this] { cmd2_Click(); });
    connect(transport->cmd5, &QPushButton::clicked, this, [this] { cmd5_Click(); });
    connect(transport->cmd6, &QPushButton::clicked, this, [this] { cmd6_Click(); });
    connect(transport->Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(transport->cmdAnsage, &QPushButton::clicked, this, [this] { cmdAnsage_Click(); });
    connect(board->Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    for (int i = 0; i < BoardWidgets::ButtonCount; ++i)
        connect(board->button(i), &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
}

ConsoleWindow::~ConsoleWindow() {
    // Plain holders of widget pointers; the widgets themselves belong to the window.
    delete board;
    delete transport;
}

bool ConsoleWindow::MP3_Play(const QString& sFile, const QString& sAlias) {
    return m_player.play(sFile, sAlias, playOffsetText());
}

void ConsoleWindow::MP3_Stop(const QString& sAlias) {
    // Whatever stops the title (a press, Stop, Beenden, a close) ends a ramp on it at once: a press during a
    // fade sounds at full level, and the old ramp never touches the level again.
    endRamp();
    emit titleStopped();
    if (PlayLogFollower* log = hallLog(); log && sAlias == MyAlias)
        log->stopping();
    m_player.stop(sAlias);
}

void ConsoleWindow::MP3_Pause(const QString& sAlias) {
    m_player.pause(sAlias);
}

void ConsoleWindow::MP3_Weiter(const QString& sAlias) {
    m_player.resume(sAlias);
}

void ConsoleWindow::SetVolume() {
    m_level.SetVolume();
}

void ConsoleWindow::runRamp(std::vector<int> levels, std::int64_t durationUs, QProgressBar* bar,
                            std::function<void()> onEnd) {
    // The controls stay usable: a click on any of them ends this ramp where it stands and acts from there.
    m_level.startRamp(
        std::move(levels), durationUs, [bar](int level) { bar->setValue(level); }, std::move(onEnd));
}

void ConsoleWindow::endRamp() {
    m_level.stopRamp();
}

void ConsoleWindow::parkFocus() {
    // Never on the board: Space or Return after a transport action must not start a title. Stop is the one
    // control a slip on it cannot make louder.
    if (!transport->cmd2->isHidden())
        transport->cmd2->setFocus();
    else
        m_central->setFocus();
}

void ConsoleWindow::SetVolume_Aus() {
    const std::int16_t step = m_settings.iFadeStep;
    std::vector<int> levels = Ramps::fadeOut(step, m_level.rampStart(Level::Full));
    const std::int64_t durationUs = Ramps::fadeDurationUs(step, levels.size());
    // A faded title ends exactly like a stopped one.
    runRamp(std::move(levels), durationUs, transport->ProgressBar1, [this] { cmd2_Click(); });
}

void ConsoleWindow::SetVolume_Ansage() {
    std::vector<int> levels = Ramps::duck(m_settings.iAnsageVol, m_level.rampStart(Level::Full));
    const std::int64_t durationUs = Ramps::duckDurationUs(levels.size());
    runRamp(std::move(levels), durationUs, transport->ProgressBar2);
}

void ConsoleWindow::SetVolume_Ansage_End() {
    // From where the duck got to, not from the rest level now in effect (a team switch may have changed it):
    // the music only ever rises on its way back.
    std::vector<int> levels = Ramps::restore(m_level.value());
    const std::int64_t durationUs = Ramps::duckDurationUs(levels.size());
    runRamp(std::move(levels), durationUs, transport->ProgressBar2);
}

bool ConsoleWindow::LoadBoard() {
    return loadBoard(QString());
}

bool ConsoleWindow::loadBoard(const QString& team) {
    BoardLoader::Console console{*board,
                                 m_lists,
                                 m_settings,
                                 m_services,
                                 transport->Command2->backColor(),
                                 isMainConsole(),
                                 isMainConsole() && !m_hasBoard,
                                 [this](const QString& path) { applyPicture(path); },
                                 [this] { endProgramNow(ExitStartFailed); },
                                 {},
                                 team};
    if (isMainConsole())
        console.setCaption = [this](const QString& caption) { setWindowTitle(caption); };
    const bool loaded = BoardLoader(console).run();
    if (loaded) {
        m_hasBoard = true;
        recheckBoard();
        const bool noMusic = std::all_of(m_lists.File.begin(), m_lists.File.end(),
                                         [](const QStringList& list) { return list.isEmpty(); });
        m_notice->setHint(QStringLiteral("Brett"),
                          noMusic && isMainConsole()
                              ? QStringLiteral("Noch keine Musik: Titel auf die Rahmen ziehen, oder unter "
                                               "Bearbeiten > %1 DB in die Ordner legen.")
                                    .arg(m_settings.sMannschaft)
                              : QString());
    }
    boardLoaded();
    return loaded;
}

void ConsoleWindow::recheckBoard() {
    m_boardCheck->boardLoaded(m_lists, programDir(), m_settings.sMannschaft, isMainConsole());
}

void ConsoleWindow::offsetWritten() {
    recheckBoard();
    emit startOffsetWritten();
}

bool ConsoleWindow::repressed(int Index) const {
    // A double click or a bouncing key on the title that has just started would restart it audibly.
    if (m_repressGuardUs <= 0 || m_startedPath.isEmpty() || !m_services.mediaStatus ||
        m_services.clock.nowUs() - m_startedUs >= m_repressGuardUs)
        return false;
    const MediaStatus::Status s = m_services.mediaStatus->status(MyAlias);
    return s.open && s.playing && s.serial == m_startedSerial &&
           PressDispatch::pathFor(Index, programDir(), m_settings.sMannschaft, m_lists) == m_startedPath;
}

void ConsoleWindow::Command1_Click(int Index) {
    if (repressed(Index))
        return;
    m_level.toFull();
    MP3_Stop(MyAlias);
    showPressLook();
    bool started = true;
    QString playedPath;
    if (const auto title = PressDispatch::titleFor(Index, programDir(), m_settings.sMannschaft, m_lists)) {
        started = startTitle(Index, title->path, title->storedOffset);
        playedPath = title->path;
        if (Index == Categories::EinlaufenButton)
            board->button(Index)->hide(); // the entrance music plays once per board load
    }
    sTitel = PressDispatch::titleText(Index, board->button(Index)->caption());
    board->button(Index)->setBackColor(PlayedMark);
    showPressed(started);
    if (started && !playedPath.isEmpty())
        logStarted(Index, playedPath);
    if (started)
        m_titleTime->follow(MyAlias);
    else
        m_titleTime->stop();
    m_startedPath.clear();
    if (started && m_repressGuardUs > 0 && m_services.mediaStatus) {
        m_startedPath = PressDispatch::pathFor(Index, programDir(), m_settings.sMannschaft, m_lists).value_or(QString());
        m_startedUs = m_services.clock.nowUs();
        m_startedSerial = m_services.mediaStatus->status(MyAlias).serial;
    }
}

PlayLogFollower* ConsoleWindow::hallLog() const {
    const bool inHeadphones =
        !isMainConsole() && m_services.outputs && !m_services.outputs->prelisten().isEmpty();
    return inHeadphones ? nullptr : m_playLog;
}

void ConsoleWindow::logStarted(int Index, const QString& path) {
    PlayLogFollower* log = hallLog();
    if (!log)
        return;
    const Category& category = *Categories::forButton(Index); // a button with a title has its category
    PlayLog::Entry entry;
    entry.started = QDateTime::currentDateTime();
    entry.team = m_settings.sMannschaft;
    entry.category = QString::fromUtf8(category.folder);
    entry.caption = sTitel;
    entry.file = ProgramPaths::titleWithin(m_settings.sMannschaft, category, QFileInfo(path).fileName());
    log->started(entry, path);
}

void ConsoleWindow::cmd2_Click() {
    MP3_Stop(MyAlias);
    transport->hideAll();
    m_titleTime->stop();
}

void ConsoleWindow::cmd5_Click() {
    endRamp();
    MP3_Pause(MyAlias);
    transport->showPaused();
    parkFocus();
}

void ConsoleWindow::cmd6_Click() {
    MP3_Weiter(MyAlias);
    transport->showResumed();
    parkFocus();
}

void ConsoleWindow::Command2_Click() {
    transport->ProgressBar1->show();
    SetVolume_Aus();
    parkFocus();
}

void ConsoleWindow::cmdAnsage_Click() {
    transport->Command2->hide();
    if (transport->cmdAnsage->caption() == QLatin1String("Ansage")) {
        transport->cmdAnsage->setCaption(QStringLiteral("Musik"));
        transport->cmdAnsage->setBackColor(TransportArea::Green);
        SetVolume_Ansage();
        transport->ProgressBar1->hide();
    } else {
        transport->Command2->show();
        transport->cmdAnsage->setCaption(QStringLiteral("Ansage"));
        transport->cmdAnsage->setBackColor(TransportArea::LightGrey);
        SetVolume_Ansage_End();
        transport->ProgressBar1->show();
    }
    parkFocus();
}

void ConsoleWindow::Command5_Click() {
    LoadBoard();
}

void ConsoleWindow::endProgramNow(int status) {
    MP3_Stop(MyAlias);
    m_about.unload();
    m_services.dialogs.endProgram(status);
}

void ConsoleWindow::updateFadeTooltips() {
    transport->cmdAnsage->setToolTip(m_settings.restVolText + QStringLiteral(" %"));
    transport->Command2->setToolTip(m_settings.fadeTimeText + QStringLiteral(" Sec."));
}

void ConsoleWindow::loadCommon(QWidget* statusWidget) {
    m_settings.readTeam();
    // The look itself (colour, fonts, picture) comes with the board load, after the screen fit.
    FitToScreen(this, true, true);
    // The designed size is the client area; the menu bar comes on top of it, the notice line below.
    resize(width(), height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());

    QFont status = statusWidget->font();
    status.setPointSizeF(26);
    statusWidget->setFont(status);
    for (auto* heading : board->Label1) {
        QFont f = heading->font();
        f.setPointSizeF(16);
        heading->setFont(f);
        heading->adjustSize();
    }
    m_level.toFull();
    transport->cmd2->hide();
    transport->cmd5->hide();
    transport->cmd6->hide();
}

void ConsoleWindow::loadFadeSettings() {
    m_settings.readFade();
    updateFadeTooltips();
}
