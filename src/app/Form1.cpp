#include "app/Form1.h"

#include "about/AboutBoxHolder.h"
#include "about/GuideWindow.h"
#include "app/FadeSettingsPanel.h"
#include "app/FormatPanel.h"
#include "app/OutputDialog.h"
#include "app/StartupCheck.h"
#include "audio/MediaCommandInterpreter.h"
#include "console/BoardLoader.h"
#include "console/BoardWidgets.h"
#include "console/FolderView.h"
#include "console/NoticeLine.h"
#include "console/TransportArea.h"
#include "editor/Form2.h"
#include "keys/KeyAssignDialog.h"
#include "keys/KeyOverview.h"
#include "keys/KeyRouter.h"
#include "library/MusicImport.h"
#include "library/ProgramPaths.h"
#include "log/PlayLogFollower.h"
#include "log/PlayLogWindow.h"
#include "platform/SoundOutputs.h"
#include "platform/TitleLoudness.h"
#include "playback/PressDispatch.h"
#include "playback/TitlePlayer.h"
#include "remote/RemoteDesk.h"
#include "remote/RemoteDialog.h"
#include "settings/IniAccess.h"
#include "widgets/ClickLabel.h"
#include "widgets/Twips.h"
#include "widgets/VbButton.h"
#include "widgets/VbColor.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>

namespace {
const QString OutputSection = QStringLiteral("Tonausgabe");
const QString LoudnessSection = QStringLiteral("Lautheit");
const QString RemoteSection = QStringLiteral("Fernbedienung");
constexpr int DefaultRemotePort = 8765;
constexpr double DefaultTargetLufs = -16.0;
constexpr std::int32_t PlayingText = 0x00008000;
const QString PlayMarker = QStringLiteral("   ** PLAY **");
const QString WaitMarker = QStringLiteral("   ** WAIT **");
// Told instead of PLAY when the title could not be started, so the operator knows at once nothing sounds.
const QString ErrorMarker = QStringLiteral("   ** FEHLER **");
} // namespace

Form1::Form1(Services& services, AboutBoxHolder& about) : ConsoleWindow(services, about) {
    setObjectName(QStringLiteral("Form1"));
    m_picture = new QLabel(m_central);
    m_picture->setObjectName(QStringLiteral("Picture"));
    m_picture->move(0, 0);
    m_picture->lower();
    m_picture->hide();

    Label17 = new ClickLabel(QString(), m_central);
    Label17->setObjectName(QStringLiteral("Label17"));
    Label17->setAlignment(Qt::AlignCenter);
    Label17->setFont(QFont(QStringLiteral("Comic Sans MS"), 12));
    // Narrower than designed (10215): the title's time takes the right end of the frame.
    Twips::place(Label17, 8640, 8760, 7260, 975);
    buildPanels();
    buildMenus();
    // Music is dropped on the board's frames.
    m_central->setAcceptDrops(true);
    m_central->installEventFilter(this);
    m_keys = new KeyRouter(*this, services.ticks);
    m_remote = new RemoteDesk(*this, *m_keys, services.mediaStatus, [this] { return m_titleFailed; });
    if (services.playLog && services.mediaStatus) {
        m_playLog = new PlayLogFollower(*services.playLog, *services.mediaStatus, MyAlias, this);
        setPlayLog(m_playLog);
        connect(services.playLog, &PlayLog::written, this, [this](const QString& file, WriteError error) {
            WriteOutcome outcome;
            outcome.subject = WriteOutcome::Subject::PlayLog;
            outcome.what = QStringLiteral("Das Protokoll wurde nicht geschrieben");
            outcome.file = file;
            outcome.error = error;
            notice().reportWrite(outcome);
        });
    }
    for (int i = 0; i < BoardWidgets::TitleButtons; ++i) {
        VbButton* b = board->button(i);
        b->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(b, &QWidget::customContextMenuRequested, this,
                [this, i, b](const QPoint& at) { buttonMenu(i)->popup(b->mapToGlobal(at)); });
    }
}

Form1::~Form1() {
    // The editor, the guide and the key overview have no owner window; loaded ones go with the main console.
    delete m_editor.data();
    delete m_guide.data();
    delete m_keyOverview.data();
    delete m_playLogWindow.data();
}

void Form1::buildPanels() {
    frm_format = new QFrame(m_central);
    frm_format->setObjectName(QStringLiteral("frm_format"));
    frm_format->setFrameShape(QFrame::Box);
    frm_format->setAutoFillBackground(true);
    frm_format->setFont(QFont(QStringLiteral("Arial"), 10));
    Twips::place(frm_format, 4200, 1560, 8775, 6975);
    formatPanel = new FormatPanel(m_settings, *board, *transport, Label17, frm_format);
    connect(formatPanel, &FormatPanel::applied, this, [this] {
        frm_format->hide();
        LoadBoard();
    });
    frm_aus = new FadeSettingsPanel(m_settings, frm_format);
    connect(frm_aus, &FadeSettingsPanel::chosen, this, [this] { updateFadeTooltips(); });
    auto* close = new VbButton(frm_format);
    close->setObjectName(QStringLiteral("Command6"));
    close->setCaption(QStringLiteral("X"));
    close->setBackColor(VbColor::Red);
    close->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    close->setToolTip(QStringLiteral("Schließen"));
    Twips::place(close, 8040, 40, 615, 405);
    connect(close, &QPushButton::clicked, this, [this] { Command6_Click(); });
    frm_format->hide();
}

void Form1::buildMenus() {
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& key,
                      void (Form1::*handler)()) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromUtf8(name));
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    QMenu* datei = bar->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("mnu_Mannschaft"));
    QMenu* open = datei->addMenu(QStringLiteral("Öffnen"));
    open->setObjectName(QStringLiteral("mnuopen"));
    add(open, "mnu_Männer", QStringLiteral("&Männer"), QKeySequence(Qt::CTRL | Qt::Key_M),
        &Form1::mnu_Männer_Click);
    add(open, "mnu_Damen", QStringLiteral("&Damen"), QKeySequence(Qt::CTRL | Qt::Key_D),
        &Form1::mnu_Damen_Click);
    add(open, "mnu_Jugend", QStringLiteral("&Jugend"), QKeySequence(Qt::CTRL | Qt::Key_N),
        &Form1::mnu_Jugend_Click);
    if (services().playLog)
        add(datei, "mnuProtokoll", QStringLiteral("&Protokoll …"), {}, &Form1::mnuProtokoll_Click);
    add(datei, "mnuFernbedienung", QStringLiteral("&Fernbedienung …"), {}, &Form1::mnuFernbedienung_Click);
    datei->addSeparator()->setObjectName(QStringLiteral("mnuStrich2"));
    add(datei, "mnuBeenden", QStringLiteral("&Beenden"), QKeySequence(Qt::CTRL | Qt::Key_B),
        &Form1::mnuBeenden_Click);

    QMenu* bearbeiten = bar->addMenu(QStringLiteral("&Bearbeiten"));
    bearbeiten->setObjectName(QStringLiteral("mnuEinstell"));
    add(bearbeiten, "mnuAusblend", QStringLiteral("&Ausblend und MIC Vol"),
        QKeySequence(Qt::CTRL | Qt::Key_A), &Form1::mnuAusblend_Click);
    bearbeiten->addSeparator()->setObjectName(QStringLiteral("mnuStrich"));
    add(bearbeiten, "mnu_DBMänner", QStringLiteral("&Männer DB"), {}, &Form1::mnu_DBMänner_Click);
    add(bearbeiten, "mnu_DBDamen", QStringLiteral("&Damen DB"), {}, &Form1::mnu_DBDamen_Click);
    add(bearbeiten, "mnu_DBJugend", QStringLiteral("&Jugend DB"), {}, &Form1::mnu_DBJugend_Click);
    if (services().loudness) {
        bearbeiten->addSeparator();
        m_matchAction = add(bearbeiten, "mnuLautheit", QStringLiteral("&Lautstärke angleichen"), {},
                            &Form1::mnuLautheit_Click);
        m_matchAction->setCheckable(true);
        QMenu* targets = bearbeiten->addMenu(QStringLiteral("&Zielwert"));
        targets->setObjectName(QStringLiteral("mnuZielwert"));
        auto* group = m_targetActions = new QActionGroup(targets);
        for (int lufs : {-14, -16, -18, -20, -23}) {
            QAction* a = targets->addAction(QStringLiteral("%1 LUFS").arg(lufs).replace(QLatin1Char('-'), QChar(0x2212)));
            a->setObjectName(QStringLiteral("Ziel%1").arg(-lufs));
            a->setCheckable(true);
            a->setData(lufs);
            group->addAction(a);
            connect(a, &QAction::triggered, this, [this, lufs] { setLoudnessTarget(lufs); });
        }
    }
    if (services().outputs) {
        bearbeiten->addSeparator();
        add(bearbeiten, "mnuTonausgabe", QStringLiteral("&Tonausgabe …"), {}, &Form1::mnuTonausgabe_Click);
    }

    QAction* format = bar->addAction(QStringLiteral("&Format"));
    format->setObjectName(QStringLiteral("mnu_Format"));
    connect(format, &QAction::triggered, this, &Form1::mnu_Format_Click);

    QMenu* titel = bar->addMenu(QStringLiteral("&Titel Startzeit"));
    titel->setObjectName(QStringLiteral("mnuTitel_Startzeit"));
    add(titel, "mnu_Set_Start", QStringLiteral("&Startzeit setzen"), QKeySequence(Qt::CTRL | Qt::Key_S),
        &Form1::mnu_Set_Start_Click);

    bar->addAction(QString())->setObjectName(QStringLiteral("leer"));
    QAction* info = bar->addAction(QStringLiteral("&?"));
    info->setObjectName(QStringLiteral("mnu_Info"));
    connect(info, &QAction::triggered, this, &Form1::mnu_Info_Click);
    // The guide on F1, without a menu entry of its own: the described menus stay as they are.
    auto* guide = new QAction(this);
    guide->setObjectName(QStringLiteral("Anleitung"));
    guide->setShortcut(QKeySequence::HelpContents);
    connect(guide, &QAction::triggered, this, &Form1::showGuide);
    addAction(guide);
    auto* keyList = new QAction(this);
    keyList->setObjectName(QStringLiteral("Tastenuebersicht"));
    keyList->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    connect(keyList, &QAction::triggered, this, &Form1::showKeyOverview);
    addAction(keyList);
}

void Form1::showKeyOverview() {
    if (!m_keyOverview) // a new window reads the keys itself
        m_keyOverview = new KeyOverview(*this, *m_keys, services().printer);
    else
        m_keyOverview->refresh();
    m_keyOverview->show();
    m_keyOverview->raise();
    m_keyOverview->activateWindow();
}

QMenu* Form1::buttonMenu(int index) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("Knopfmenue"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QString title = m_keys->titleOf(index);
    QAction* give = menu->addAction(QStringLiteral("Taste &zuweisen …"));
    give->setObjectName(QStringLiteral("TasteZuweisen"));
    give->setEnabled(!title.isEmpty());
    connect(give, &QAction::triggered, this, [this, index] {
        auto* dialog = new KeyAssignDialog(
            board->button(index)->caption(), [this, index](const QString& key) { return m_keys->assign(index, key); },
            services().ticks, this);
        dialog->open();
    });
    QAction* take = menu->addAction(QStringLiteral("Taste &entfernen"));
    take->setObjectName(QStringLiteral("TasteEntfernen"));
    take->setEnabled(!m_keys->keyOf(index).isEmpty());
    connect(take, &QAction::triggered, this, [this, index] { m_keys->removeKey(index); });
    if (MediaCommands* headphones = services().outputs ? services().outputs->prelistenMedia() : nullptr) {
        menu->addSeparator();
        QAction* listen = menu->addAction(QStringLiteral("&Vorhören"));
        listen->setObjectName(QStringLiteral("Vorhoeren"));
        listen->setEnabled(!title.isEmpty());
        connect(listen, &QAction::triggered, this, [this, index, headphones] {
            // The headphones' own engine and alias: the hall's title, level and marks stay as they are.
            const auto t = PressDispatch::titleFor(index, programDir(), m_settings.sMannschaft, m_lists);
            if (t && !TitlePlayer(*headphones).play(t->path, MyAlias, PressDispatch::mainOffsetText(index, t->storedOffset)))
                notice().tellNews(QStringLiteral("„%1“ kann nicht vorgehört werden.").arg(QFileInfo(t->path).fileName()));
        });
        QAction* end = menu->addAction(QStringLiteral("Vorhören &beenden"));
        end->setObjectName(QStringLiteral("VorhoerenBeenden"));
        connect(end, &QAction::triggered, this, [headphones] { TitlePlayer(*headphones).stop(MyAlias); });
    }
    return menu;
}

void Form1::mnuProtokoll_Click() {
    if (!m_playLogWindow) // a new window reads the day itself
        m_playLogWindow = new PlayLogWindow(*services().playLog, programDir(), services().printer);
    else
        m_playLogWindow->refresh();
    m_playLogWindow->show();
    m_playLogWindow->raise();
    m_playLogWindow->activateWindow();
}

PlayLogWindow* Form1::playLogWindow() const {
    return m_playLogWindow;
}

void Form1::showGuide() {
    if (!m_guide)
        m_guide = new GuideWindow();
    m_guide->show();
    m_guide->raise();
    m_guide->activateWindow();
}

bool Form1::Form_Load() {
    if (!StartupCheck::run(services(), [this] { endProgramNow(ExitStartFailed); }))
        return false;
    loadCommon(Label17);
    if (services().outputs)
        applyOutputs(Ini_Read(m_settings.sIniFile, OutputSection, QStringLiteral("Halle")),
                     Ini_Read(m_settings.sIniFile, OutputSection, QStringLiteral("Vorhören")));
    if (!LoadBoard())
        return false;
    const bool asked = services().remotePort > 0;
    const int stored = Ini_Read(m_settings.sIniFile, RemoteSection, QStringLiteral("Port")).toInt();
    startRemote(asked || Ini_Read(m_settings.sIniFile, RemoteSection, QStringLiteral("An")) == QLatin1String("1"),
                asked ? services().remotePort : stored > 0 && stored < 65536 ? stored : DefaultRemotePort);
    return true;
}

void Form1::startRemote(bool on, int port) {
    if (!on) {
        m_remote->stop();
        notice().setHint(QStringLiteral("Fernbedienung"), QString());
        return;
    }
    QString pin = Ini_Read(m_settings.sIniFile, RemoteSection, QStringLiteral("PIN"));
    static const QRegularExpression fourDigits(QStringLiteral("^\\d{4}$"));
    if (!fourDigits.match(pin).hasMatch())
        pin = RemoteDesk::newPin();
    if (m_remote->running() && m_remote->port() == port)
        return;
    if (!m_remote->start(static_cast<quint16>(port), pin)) {
        const QString told =
            QStringLiteral("Die Fernbedienung kann Port %1 nicht öffnen (belegt?): Sie ist aus.").arg(port);
        std::fprintf(stderr, "klangwart: %s\n", qUtf8Printable(told));
        notice().setHint(QStringLiteral("Fernbedienung"), told);
        return;
    }
    notice().setHint(QStringLiteral("Fernbedienung"), QString());
    std::printf("Fernbedienung: %s PIN %s\n", qUtf8Printable(m_remote->urls().first()), qUtf8Printable(pin));
    std::fflush(stdout);
}

void Form1::mnuFernbedienung_Click() {
    const int stored = Ini_Read(m_settings.sIniFile, RemoteSection, QStringLiteral("Port")).toInt();
    auto* dialog = new RemoteDialog(*m_remote, m_remote->running(),
                                    m_remote->running() ? m_remote->port() : stored > 0 ? stored : DefaultRemotePort,
                                    this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const QString what = QStringLiteral("Die Fernbedienung wurde nicht gespeichert");
        if (m_settings.writeSetting(RemoteSection, QStringLiteral("An"),
                                    dialog->on() ? QStringLiteral("1") : QStringLiteral("0"), what))
            m_settings.writeSetting(RemoteSection, QStringLiteral("Port"), QString::number(dialog->port()), what);
        startRemote(dialog->on(), dialog->port());
        if (dialog->on() && m_remote->running()) { // shown again with the address and PIN to scan
            auto* again = new RemoteDialog(*m_remote, true, m_remote->port(), this);
            again->setAttribute(Qt::WA_DeleteOnClose);
            again->open();
        }
    });
    dialog->open();
}

bool Form1::loudnessMatched() const {
    return Ini_Read(m_settings.sIniFile, LoudnessSection, m_settings.sMannschaft) == QLatin1String("1");
}

double Form1::loudnessTarget() const {
    bool ok = false;
    const double stored =
        Ini_Read(m_settings.sIniFile, LoudnessSection, m_settings.sMannschaft + QStringLiteral("_Ziel")).toDouble(&ok);
    return ok && stored >= -40 && stored <= -5 ? stored : DefaultTargetLufs;
}

void Form1::storeLoudness(const QString& key, const QString& value) {
    m_settings.writeSetting(LoudnessSection, key, value,
                            QStringLiteral("Die Lautstärke-Angleichung wurde nicht gespeichert"));
}

void Form1::mnuLautheit_Click() {
    storeLoudness(m_settings.sMannschaft, loudnessMatched() ? QStringLiteral("0") : QStringLiteral("1"));
    matchLoudness();
}

void Form1::setLoudnessTarget(int lufs) {
    storeLoudness(m_settings.sMannschaft + QStringLiteral("_Ziel"), QString::number(lufs));
    matchLoudness();
}

void Form1::matchLoudness() {
    TitleLoudness* loudness = services().loudness;
    if (!loudness)
        return;
    const bool on = loudnessMatched();
    const double target = loudnessTarget();
    m_matchAction->setChecked(on);
    for (QAction* a : m_targetActions->actions())
        a->setChecked(a->data().toInt() == static_cast<int>(target));
    std::vector<TitleLoudness::Title> titles;
    if (on)
        for (int i = 0; i < BoardWidgets::TitleButtons; ++i)
            if (const auto t = PressDispatch::titleFor(i, programDir(), m_settings.sMannschaft, m_lists))
                if (const auto start = MediaCommandInterpreter::startOf(PressDispatch::mainOffsetText(i, t->storedOffset)))
                    titles.push_back({t->path, *start});
    loudness->setBoard(titles, on, target);
}

void Form1::mnuTonausgabe_Click() {
    auto* dialog = new OutputDialog(*services().outputs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const QString hall = dialog->hall();
        const QString prelisten = dialog->prelisten();
        const QString what = QStringLiteral("Die Tonausgabe wurde nicht gespeichert");
        if (m_settings.writeSetting(OutputSection, QStringLiteral("Halle"), hall, what))
            m_settings.writeSetting(OutputSection, QStringLiteral("Vorhören"), prelisten, what);
        applyOutputs(hall, prelisten);
    });
    dialog->open();
}

void Form1::applyOutputs(const QString& hall, const QString& prelisten) {
    services().outputs->choose(hall, prelisten);
    if (!m_outputWatch) {
        m_outputWatch = new QTimer(this);
        connect(m_outputWatch, &QTimer::timeout, this, &Form1::watchOutputs);
    }
    // Looked at only while something is chosen: the desk as it was needs no timer for it.
    if (hall.isEmpty() && prelisten.isEmpty()) {
        m_outputWatch->stop();
    } else {
        m_outputWatch->start(NoticeLine::kPollMs);
    }
    watchOutputs();
}

void Form1::watchOutputs() {
    SoundOutputs& outputs = *services().outputs;
    notice().setHint(QStringLiteral("Tonausgabe Halle"),
                     outputs.hallStandingIn()
                         ? QStringLiteral("Das Gerät „%1“ fehlt: Die Halle spielt über das Standardgerät, bis es "
                                          "wieder da ist.")
                               .arg(outputs.hall())
                         : QString());
    notice().setHint(QStringLiteral("Tonausgabe Vorhören"),
                     outputs.prelistenMissing()
                         ? QStringLiteral("Das Gerät „%1“ zum Vorhören fehlt: Im Kopfhörer ist nichts zu hören.")
                               .arg(outputs.prelisten())
                         : QString());
}

void Form1::boardLoaded() {
    m_keys->boardLoaded();
    matchLoudness();
    if (m_keyOverview)
        m_keyOverview->refresh();
    // Every board load shows the current team as a whole: after a team switch its own fade time and rest
    // level are in effect, on the panel and in the tips, not those of the team loaded before.
    loadFadeSettings();
    frm_aus->showFadeSettings();
}

void Form1::applyPicture(const QString& path) {
    // A path that names a missing or unreadable file shows no picture, like an empty one.
    QPixmap pixmap;
    if (path.isEmpty() || !pixmap.load(path)) {
        m_picture->clear();
        m_picture->hide();
        return;
    }
    m_picture->setPixmap(pixmap);
    m_picture->resize(pixmap.size());
    m_picture->lower();
    m_picture->show();
}

void Form1::showPressLook() {
    transport->showStarted(true);
    Label17->show();
}

bool Form1::startTitle(int Index, const QString& path, const QString& storedOffset) {
    sStartPos = PressDispatch::mainOffsetText(Index, storedOffset);
    return MP3_Play(path, MyAlias);
}

void Form1::showStatus(const QString& marker, std::int32_t color) {
    // A title that could not start stays told as such through Pause and Resume: nothing sounds.
    Label17->setText(sTitel + (m_titleFailed ? ErrorMarker : marker));
    Label17->setForeColor(m_titleFailed ? VbColor::Red : color);
}

void Form1::showPressed(bool started) {
    m_titleFailed = !started;
    showStatus(PlayMarker, PlayingText);
    transport->cmd2->setFocus();
}

void Form1::cmd2_Click() {
    ConsoleWindow::cmd2_Click();
    Label17->hide();
    // Off the board: with the transport hidden, Space or Enter must not start the next title.
    m_central->setFocus();
}

void Form1::cmd5_Click() {
    ConsoleWindow::cmd5_Click();
    showStatus(WaitMarker, VbColor::Red);
}

void Form1::cmd6_Click() {
    ConsoleWindow::cmd6_Click();
    transport->showFadeControls();
    showStatus(PlayMarker, PlayingText);
}

void Form1::selectTeam(const QString& team) {
    // Stored only once its board is built: a slip to a team whose music is missing or does not fit its runs
    // leaves the desk on the team it has, in the settings file and on the board, with the music going on.
    if (!loadBoard(team))
        return;
    m_settings.chooseTeam(team); // a team that could not be stored is told and played all the same
    if (m_editor)
        m_editor->keepUnstoredTeam(m_settings.unstoredTeam());
}

void Form1::mnu_Männer_Click() {
    selectTeam(QStringLiteral("Männer"));
}
void Form1::mnu_Damen_Click() {
    selectTeam(QStringLiteral("Damen"));
}
void Form1::mnu_Jugend_Click() {
    selectTeam(QStringLiteral("Jugend"));
}

void Form1::openTeamFolder(const QString& team) {
    // The team folder inside the program directory, whatever the working directory is.
    FolderView::show(services(), ProgramPaths::teamFolder(programDir(), team), QStringLiteral("Musikordner"));
}

void Form1::mnu_DBMänner_Click() {
    openTeamFolder(QStringLiteral("Männer"));
}
void Form1::mnu_DBDamen_Click() {
    openTeamFolder(QStringLiteral("Damen"));
}
void Form1::mnu_DBJugend_Click() {
    openTeamFolder(QStringLiteral("Jugend"));
}

void Form1::mnuAusblend_Click() {
    frm_format->show();
    frm_format->raise();
    frm_aus->show();
    frm_aus->raise();
}

void Form1::mnu_Format_Click() {
    frm_format->show();
    frm_format->raise();
    frm_aus->hide();
}

void Form1::Command6_Click() {
    frm_format->hide();
}

void Form1::mnu_Set_Start_Click() {
    if (!m_editor) {
        Services* editorServices = &services();
        if (SoundOutputs* outputs = services().outputs) {
            m_editorServices.reset(new Services{outputs->editorMedia(), outputs->editorLevel(),
                                                services().dialogs, services().launcher, services().clock,
                                                services().ticks, services().programDir,
                                                &outputs->editorStatus(), services().titleCheck,
                                                services().printer, services().playLog, outputs,
                                                services().loudness});
            editorServices = m_editorServices.get();
        }
        m_editor = new Form2(*editorServices, aboutBox());
        m_editor->setAttribute(Qt::WA_DeleteOnClose);
        // One title for the whole desk: when the editor stops it, a fade of it here ends too.
        connect(m_editor, &ConsoleWindow::titleStopped, this, [this] {
            if (!services().outputs || services().outputs->prelisten().isEmpty())
                endRamp();
        });
        connect(m_editor, &ConsoleWindow::startOffsetWritten, this, [this] {
            recheckBoard();
            matchLoudness(); // a new start is measured again
        });
        m_editor->keepUnstoredTeam(m_settings.unstoredTeam());
        m_editor->setPlayLog(m_playLog); // the editor plays in the hall
        m_editor->Form_Load();
    }
    m_editor->show();
    m_editor->raise();
    m_editor->activateWindow();
}

void Form1::mnu_Info_Click() {
    aboutBox().show(&m_settings.sVerein);
}

void Form1::mnuBeenden_Click() {
    endProgramNow();
}

void Form1::closeEvent(QCloseEvent* event) {
    MP3_Stop(MyAlias);
    aboutBox().unload();
    event->accept();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_central)
        return ConsoleWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        const bool files =
            drag->mimeData()->hasUrls() && !drag->mimeData()->urls().first().toLocalFile().isEmpty();
        if (files && board->categoryAt(drag->position().toPoint()))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        QStringList files;
        for (const QUrl& url : drop->mimeData()->urls())
            if (url.isLocalFile())
                files << url.toLocalFile();
        dropTitles(files, drop->position().toPoint());
        drop->acceptProposedAction();
        return true;
    }
    default:
        return ConsoleWindow::eventFilter(watched, event);
    }
}

void Form1::dropTitles(const QStringList& files, const QPoint& at) {
    const Category* category = board->categoryAt(at);
    if (!category || files.isEmpty())
        return;
    const MusicImport::Outcome outcome = MusicImport::copy(
        files, ProgramPaths::categoryFolder(programDir(), m_settings.sMannschaft, *category), *category);
    QString told = QStringLiteral("%1 Titel nach %2 kopiert")
                       .arg(outcome.copied.size())
                       .arg(QString::fromUtf8(category->folder));
    if (!outcome.refused.isEmpty())
        told += QStringLiteral("; nicht kopiert: ") + outcome.refused.join(QStringLiteral("; "));
    notice().tellNews(told + QLatin1Char('.'));
    if (!outcome.copied.isEmpty())
        LoadBoard();
}

Form2* Form1::editor() const {
    return m_editor;
}
