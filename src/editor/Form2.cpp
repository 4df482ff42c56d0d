#include "editor/Form2.h"

#include "about/AboutBoxHolder.h"
#include "audio/MediaCommandInterpreter.h"
#include "console/NoticeLine.h"
#include "console/TransportArea.h"
#include "editor/FinePanel.h"
#include "platform/TitleLoudness.h"
#include "playback/PressDispatch.h"
#include "settings/StartOffsetStore.h"
#include "widgets/ShapeRect.h"
#include "widgets/Twips.h"
#include "widgets/VbButton.h"
#include "widgets/VbColor.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>

namespace {
constexpr std::int32_t Black = 0x00000000;
constexpr std::int32_t Grey = 0x00C0C0C0;
constexpr std::int32_t Yellow = 0x0000FFFF;
constexpr std::int32_t Orange = 0x000080FF;
constexpr std::int32_t LightBlue = 0x00FF8080;

VbButton* makeButton(QWidget* parent, const char* name, const QString& caption, std::int32_t color,
                     const QFont& font, double left) {
    auto* b = new VbButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setCaption(caption);
    b->setBackColor(color);
    b->setFont(font);
    Twips::place(b, left, 9720, 2175, 855);
    b->hide();
    return b;
}

// The offset a save stores: the slider's change in fine mode, the stopwatch seconds otherwise, both counted
// from the offset the title was started with. Wide enough that 32767 seconds on a large offset cannot wrap.
qint64 offsetToSave(bool fineMode, int sliderChangeMs, int stopwatchSeconds, std::int32_t lStartPos) {
    if (fineMode)
        return static_cast<qint64>(lStartPos) + sliderChangeMs;
    return static_cast<qint64>(stopwatchSeconds) * 1000 + lStartPos;
}
} // namespace

const QString Form2::IdleCaption = QStringLiteral("Titeleditor:  Startzeitpunkt editieren.");

Form2::Form2(Services& services, AboutBoxHolder& about)
    : ConsoleWindow(services, about), m_stopwatch(services.ticks, [this] { writeStatusLine(); }) {
    setObjectName(QStringLiteral("Form2"));
    buildControls();
    buildMenus();
}

Form2::~Form2() = default;

void Form2::buildControls() {
    transport->cmd5->setBackColor(LightBlue);

    Text1 = new QLineEdit(m_central);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    // Narrower than designed (9855): the title's time takes the right end of the frame.
    Twips::place(Text1, 8760, 8880, 7140, 615);
    Text1->hide();

    const QFont buttonFont(QStringLiteral("Arial"), 18);
    cmd_Speichern =
        makeButton(m_central, "cmd_Speichern", QStringLiteral("Speichern"), Yellow, buttonFont, 13920);
    cmd_Reset = makeButton(m_central, "cmd_Reset", QStringLiteral("Reset"), Orange, buttonFont, 16440);
    QFont beendenFont(QStringLiteral("Arial"));
    beendenFont.setPointSizeF(15.75);
    beendenFont.setBold(true);
    Command7 = makeButton(m_central, "Command7", QStringLiteral("Beenden"), VbColor::Red, beendenFont, 16440);

    frm_Fein = new FinePanel(m_central, Command7);

    connect(cmd_Speichern, &QPushButton::clicked, this, [this] { cmd_Speichern_Click(); });
    connect(cmd_Reset, &QPushButton::clicked, this, [this] { cmd_Reset_Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
}

void Form2::buildMenus() {
    QMenuBar* bar = menuBar();
    auto add = [this](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu ? menu->addAction(caption) : menuBar()->addAction(caption);
        a->setObjectName(QString::fromUtf8(name));
        return a;
    };
    QMenu* mnu = bar->addMenu(QStringLiteral("Bearbeiten"));
    mnu->setObjectName(QStringLiteral("mnu"));
    connect(add(mnu, "mnu_fein", QStringLiteral("&Feineinstellung")), &QAction::triggered, frm_Fein,
            &FinePanel::mnu_fein_Click);
    add(mnu, "line", QString(32, QLatin1Char('-')));
    connect(add(mnu, "mnu_feinEnde", QStringLiteral("&Feineinstellung - Beenden")), &QAction::triggered,
            frm_Fein, &FinePanel::mnu_feinEnde_Click);
    add(nullptr, "leer2", QString());
    connect(add(nullptr, "mnuTitel_Startzeit", QStringLiteral("&Beenden")), &QAction::triggered, this,
            &Form2::mnuTitel_Startzeit_Click);
    add(nullptr, "leer", QString());
    connect(add(nullptr, "mnu_Info", QStringLiteral("&?")), &QAction::triggered, this,
            &Form2::mnu_Info_Click);
}

bool Form2::Form_Load() {
    loadCommon(Text1);
    loadFadeSettings(); // read once; the editor never shows its fade and announcement buttons
    setWindowTitle(IdleCaption);
    const bool loaded = LoadBoard();
    Command7->show();
    return loaded;
}

void Form2::setStatusColor(QPalette::ColorRole role, std::int32_t vbColor) {
    QPalette pal = Text1->palette();
    pal.setColor(role, VbColor::toQColor(vbColor));
    Text1->setPalette(pal);
}

void Form2::writeStatusLine() {
    Text1->setText(sTitel + QStringLiteral("   ") + QStringLiteral(" Time: ") + m_stopwatch.Titel());
}

void Form2::showPressLook() {
    cmd_Speichern->show();
    cmd_Reset->show();
    Command7->hide();
    transport->showStarted(false);
    Text1->show();
    setStatusColor(QPalette::Base, Grey);
}

bool Form2::startTitle(int Index, const QString& path, const QString& storedOffset) {
    m_matchedStartMs =
        MediaCommandInterpreter::startOf(PressDispatch::mainOffsetText(Index, storedOffset)).value_or(0);
    // A hand-edited value that is no whole number leaves the title editable from its beginning.
    lStartPos = PressDispatch::editorOffset(storedOffset);
    const bool started = MP3_Play(path, MyAlias); // a title that does not start is edited all the same
    sTitelPfad = path;
    m_titleTeam = m_settings.sMannschaft;
    m_stopwatch.cmd_Titelstop_Click();
    m_stopwatch.cmd_Titelstart_Click();
    return started;
}

void Form2::showPressed(bool) {
    transport->cmd5->setFocus();
    writeStatusLine();
    setStatusColor(QPalette::Text, Black);
    setWindowTitle(QStringLiteral(" Bearbeiten von :   ") + sTitel);
    frm_Fein->showStartTime(lStartPos);
    showLoudness();
}

void Form2::showLoudness() {
    TitleLoudness* loudness = services().loudness;
    if (!loudness || sTitelPfad.isEmpty())
        return;
    const auto number = [](double v, int decimals) {
        return QString::number(v, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(',')).replace(QLatin1Char('-'), QChar(0x2212));
    };
    const auto info = loudness->info(sTitelPfad, m_matchedStartMs);
    QString told = QStringLiteral("Lautheit: noch nicht gemessen (erst mit „Lautstärke angleichen“).");
    if (info)
        told = QStringLiteral("Lautheit: %1 LUFS, Spitze %2 dBTP; gespielt mit %3%4 dB.")
                   .arg(number(info->lufs, 1), number(info->truePeakDb, 1),
                        info->gainDb > 0 ? QStringLiteral("+") : QString(), number(info->gainDb, 1));
    notice().setHint(QStringLiteral("Lautheit"), told);
}

WriteOutcome Form2::writeStartOffset(const QString& text, const QString& what) const {
    // Only reachable with a title open; without one there is no section to write to.
    if (sTitelPfad.isEmpty())
        return {};
    // Into the file of the team the title was opened with, whatever board this window shows by now: the
    // section is that team's title path, and another team's file would hide it where nobody reads it.
    const StartOffsetStore store(programDir(), m_titleTeam);
    const WriteOutcome outcome{WriteOutcome::Subject::StartOffset, what, store.filePath(),
                               store.writeChecked(sTitelPfad, text)};
    m_settings.report(outcome);
    return outcome;
}

void Form2::cmd2_Click() {
    ConsoleWindow::cmd2_Click();
    Text1->hide();
    cmd_Speichern->hide();
    cmd_Reset->hide();
    setWindowTitle(IdleCaption);
    m_stopwatch.cmd_Titelstop_Click();
    Command7->show();
    Command7->setFocus();
}

void Form2::cmd5_Click() {
    ConsoleWindow::cmd5_Click();
    writeStatusLine();
    setStatusColor(QPalette::Text, VbColor::Red);
    setWindowTitle(QStringLiteral(" Pause von :   ") + sTitel);
    cmd_Speichern->setFocus();
    m_stopwatch.cmd_Titelpause_Click();
}

void Form2::cmd6_Click() {
    ConsoleWindow::cmd6_Click();
    writeStatusLine();
    setStatusColor(QPalette::Text, Black);
    m_stopwatch.cmd_Titelstart_Click();
    setWindowTitle(QStringLiteral(" Bearbeiten von :   ") + sTitel);
    transport->cmd5->setFocus();
}

void Form2::cmd_Speichern_Click() {
    const qint64 offset =
        offsetToSave(frm_Fein->fineMode(), frm_Fein->change(), m_stopwatch.seconds(), lStartPos);
    const WriteOutcome saved = writeStartOffset(
        QString::number(offset), QStringLiteral("Die Startzeit von %1 wurde nicht gespeichert").arg(sTitel));
    if (saved.ok())
        offsetWritten();
    // The caption never claims a save that did not happen.
    if (saved.ok())
        setWindowTitle(QStringLiteral("Gespeichert:  ") + sTitel + QStringLiteral(" bei   ") +
                       m_stopwatch.Titel() + QStringLiteral(" sec."));
    else
        setWindowTitle(QStringLiteral("Nicht gespeichert:  ") + sTitel + QStringLiteral(" – ") +
                       WriteOutcome::reason(saved.error));
    TransportArea& t = *transport;
    if (t.cmd5->isHidden() && t.cmd6->isHidden() && t.cmd2->isHidden())
        cmd_Speichern->hide();
    if (!t.cmd5->isHidden())
        t.cmd5->setFocus();
    else
        t.cmd6->setFocus();
    frm_Fein->centre();
}

void Form2::cmd_Reset_Click() {
    if (frm_Fein->fineMode()) {
        frm_Fein->centre();
        return;
    }
    const WriteOutcome reset = writeStartOffset(
        QStringLiteral("0"), QStringLiteral("Die Startzeit von %1 wurde nicht zurückgesetzt").arg(sTitel));
    if (reset.ok())
        offsetWritten();
    m_stopwatch.cmd_Titelstop_Click();
    writeStatusLine();
    MP3_Stop(MyAlias);
    if (reset.ok())
        setWindowTitle(sTitel + QStringLiteral("  wurde an den Liedanfang zurückgesetzt!"));
    else
        setWindowTitle(sTitel + QStringLiteral("  wurde nicht zurückgesetzt – ") +
                       WriteOutcome::reason(reset.error));
    transport->cmd2->hide();
    transport->cmd6->hide();
    transport->cmd5->hide();
    cmd_Speichern->hide();
    cmd_Reset->hide();
    Command7->show();
    Command7->setFocus();
}

void Form2::mnuTitel_Startzeit_Click() {
    // Only hidden: a title that plays goes on, and so does the stopwatch.
    hide();
    Command7->hide();
}

void Form2::Command7_Click() {
    frm_Fein->hide();
    mnuTitel_Startzeit_Click();
    MP3_Stop(MyAlias);
}

void Form2::mnu_Info_Click() {
    aboutBox().show(nullptr);
}

void Form2::Form_Unload() {
    MP3_Stop(MyAlias);
    aboutBox().unload();
}

void Form2::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}
