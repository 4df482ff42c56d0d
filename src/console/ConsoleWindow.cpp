#include "console/ConsoleWindow.h"

#include "about/AboutBoxHolder.h"
#include "app/ScreenFit.h"
#include "appearance/ButtonLook.h"
#include "console/BoardLoader.h"
#include "console/BoardWidgets.h"
#include "console/ClickLabel.h"
#include "console/TransportArea.h"
#include "console/Twips.h"
#include "console/VbButton.h"
#include "library/Categories.h"
#include "library/TitleNames.h"
#include "platform/Dialogs.h"
#include "platform/MediaCommands.h"
#include "platform/ShortPath.h"
#include "platform/WaveOut.h"
#include "settings/IniAccess.h"
#include "settings/NumberText.h"
#include "settings/SettingsKeys.h"
#include "volume/Level.h"
#include "volume/RampPacer.h"
#include "volume/Ramps.h"

#include <QMenuBar>
#include <QProgressBar>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

const QString ConsoleWindow::MyAlias = QStringLiteral("MyAlias");

ConsoleWindow::ConsoleWindow(Services& services, AboutBoxHolder& about, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_about(about) {
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("client"));
    m_central->setAutoFillBackground(true);
    QPalette pal = m_central->palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    m_central->setPalette(pal);
    m_central->setFont(QFont(QStringLiteral("Comic Sans MS"), 7));
    setCentralWidget(m_central);
    Twips::place(this, 0, 0, 18960, 10875);

    board = new BoardWidgets(m_central);
    transport = new TransportArea(m_central);
    HScroll1 = new QScrollBar(Qt::Horizontal, m_central);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    Twips::place(HScroll1, 17640, 120, 855, 135);
    HScroll1->setEnabled(false);
    HScroll1->hide();

    connect(transport->cmd2, &QPushButton::clicked, this, [this] { cmd2_Click(); });
    connect(transport->cmd5, &QPushButton::clicked, this, [this] { cmd5_Click(); });
    connect(transport->cmd6, &QPushButton::clicked, this, [this] { cmd6_Click(); });
    connect(transport->Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(transport->cmdAnsage, &QPushButton::clicked, this, [this] { cmdAnsage_Click(); });
    connect(board->Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    for (int i = 0; i < BoardWidgets::ButtonCount; ++i)
        connect(board->button(i), &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
}

ConsoleWindow::~ConsoleWindow() = default;

QString ConsoleWindow::Ini_Read(const QString& file, const QString& section, const QString& key) const {
    return ::Ini_Read(file, section, key);
}

long ConsoleWindow::Ini_Write(const QString& file, const QString& section, const QString& key,
                              const QString& value) const {
    return ::Ini_Write(file, section, key, value);
}

bool ConsoleWindow::MP3_Play(const QString& sFile, const QString& sAlias) {
    const QString shortPath = shortPathName(sFile);
    if (shortPath.isEmpty())
        return false;
    // There is no blank-free short form here, so a path with blanks travels in double quotes.
    const QString path =
        shortPath.contains(QLatin1Char(' ')) ? QLatin1Char('"') + shortPath + QLatin1Char('"') : shortPath;
    if (m_services.media.send(QStringLiteral("open ") + path + QStringLiteral(" type MPEGVideo alias ") +
                              sAlias) != 0)
        return false;
    return m_services.media.send(QStringLiteral("play ") + sAlias + QStringLiteral(" from ") +
                                 playOffsetText()) == 0;
}

void ConsoleWindow::MP3_Stop(const QString& sAlias) {
    m_services.media.send(QStringLiteral("stop ") + sAlias);
    m_services.media.send(QStringLiteral("close ") + sAlias);
}

void ConsoleWindow::MP3_Pause(const QString& sAlias) {
    m_services.media.send(QStringLiteral("pause ") + sAlias);
}

void ConsoleWindow::MP3_Weiter(const QString& sAlias) {
    m_services.media.send(QStringLiteral("play ") + sAlias);
}

void ConsoleWindow::SetVolume() {
    m_services.waveOut.setVolume(Level::packed(HScroll1->value()));
}

void ConsoleWindow::applyLevel(int volumeUnits) {
    HScroll1->setValue(volumeUnits);
    SetVolume();
}

void ConsoleWindow::levelToFull() {
    HScroll1->setPageStep(1000);
    HScroll1->setMinimum(0);
    HScroll1->setMaximum(10000);
    HScroll1->setValue(10000);
    SetVolume();
}

void ConsoleWindow::runRamp(const std::vector<int>& levels, std::int64_t durationUs, QProgressBar* bar) {
    RampPacer pacer(
        m_services.clock,
        [this, bar](int level) {
            applyLevel(level);
            bar->setValue(level);
        },
        [bar] { bar->repaint(); });
    pacer.run(levels, durationUs);
}

void ConsoleWindow::SetVolume_Aus() {
    const std::vector<int> levels = Ramps::fadeOut(iFadeStep);
    runRamp(levels, Ramps::fadeDurationUs(iFadeStep, levels.size()), transport->ProgressBar1);
    cmd2_Click();
}

void ConsoleWindow::SetVolume_Ansage() {
    const std::vector<int> levels = Ramps::duck(iAnsageVol);
    runRamp(levels, Ramps::duckDurationUs(levels.size()), transport->ProgressBar2);
}

void ConsoleWindow::SetVolume_Ansage_End() {
    const std::vector<int> levels = Ramps::restore(iAnsageVol);
    runRamp(levels, Ramps::duckDurationUs(levels.size()), transport->ProgressBar2);
}

bool ConsoleWindow::LoadBoard() {
    return BoardLoader(*this).run();
}

void ConsoleWindow::cmd2_Click() {
    MP3_Stop(MyAlias);
    transport->hideAll();
}

void ConsoleWindow::cmd5_Click() {
    MP3_Pause(MyAlias);
    transport->cmd5->hide();
    transport->cmd6->show();
    transport->Command2->hide();
}

void ConsoleWindow::cmd6_Click() {
    MP3_Weiter(MyAlias);
    transport->cmd6->hide();
    transport->cmd5->show();
}

void ConsoleWindow::Command2_Click() {
    transport->ProgressBar1->show();
    SetVolume_Aus();
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
}

void ConsoleWindow::Command5_Click() {
    LoadBoard();
}

QString ConsoleWindow::startOffsetFile() const {
    return TitleNames::join(programDir(), sMannschaft + QStringLiteral(".ini"));
}

QString ConsoleWindow::categoryFolder(const Category& c) const {
    return TitleNames::join(TitleNames::join(programDir(), sMannschaft), QString::fromUtf8(c.folder));
}

QString ConsoleWindow::fileNameFor(const Category& c, int index) const {
    const QStringList& list = File[static_cast<std::size_t>(c.fileList)];
    const int pos = index - c.firstButton;
    return pos >= 0 && pos < list.size() ? list[pos] : QString();
}

QString ConsoleWindow::titleTextFor(int Index) const {
    if (Index == BoardWidgets::Wischen)
        return QStringLiteral("Wischen");
    if (Index == BoardWidgets::Einlaufen)
        return QStringLiteral("Einlaufen");
    return board->button(Index)->caption();
}

void ConsoleWindow::endProgramNow() {
    MP3_Stop(MyAlias);
    m_about.unload();
    m_services.dialogs.endProgram();
}

void ConsoleWindow::applyFadeTime(const QString& text) {
    sFadeTimeText = text;
    const double v = NumberText::leadingValue(text);
    if (v == 1)
        iFadeStep = 12;
    else if (v == 2)
        iFadeStep = 8;
    else if (v == 3)
        iFadeStep = 4;
}

void ConsoleWindow::applyRestVolume(const QString& text) {
    sRestVolText = text;
    // A hand-edited value outside 0..100 per cent would overflow the 16-bit level: keep it in range.
    const double v = std::nearbyint(NumberText::leadingValue(text) * 100.0);
    iAnsageVol = static_cast<std::int16_t>(std::clamp(v, 0.0, 10000.0));
}

void ConsoleWindow::updateFadeTooltips() {
    transport->cmdAnsage->setToolTip(sRestVolText + QStringLiteral(" %"));
    transport->Command2->setToolTip(sFadeTimeText + QStringLiteral(" Sec."));
}

void ConsoleWindow::loadCommon(QWidget* statusWidget) {
    sIniFile = TitleNames::join(programDir(), QString::fromLatin1(SettingsKeys::SettingsFileName));
    sVerein = Ini_Read(sIniFile, SettingsKeys::SectionMannschaft, SettingsKeys::KeyVerein);
    sMannschaft = Ini_Read(sIniFile, SettingsKeys::SectionMannschaft, SettingsKeys::KeyMannschaft);
    applyPicture(
        Ini_Read(sIniFile, sMannschaft + SettingsKeys::SuffixHintergrundBild, SettingsKeys::KeyMetaFile));
    const ButtonLook look = ButtonLook::read(sIniFile, sMannschaft);
    vButtonFarbe = look.colorText;

    FitToScreen(this, true, true);
    // The designed size is the client area; the menu bar comes on top of it.
    resize(width(), height() + menuBar()->sizeHint().height());

    board->applyLook(look);
    QFont status = statusWidget->font();
    status.setPointSizeF(26);
    statusWidget->setFont(status);
    for (auto* heading : board->Label1) {
        QFont f = heading->font();
        f.setPointSizeF(16);
        heading->setFont(f);
        heading->adjustSize();
    }
    levelToFull();
    transport->cmd2->hide();
    transport->cmd5->hide();
    transport->cmd6->hide();

    const QString ausblend = sMannschaft + SettingsKeys::SuffixAusblend;
    applyFadeTime(Ini_Read(sIniFile, ausblend, SettingsKeys::KeyZeit));
    applyRestVolume(Ini_Read(sIniFile, ausblend, SettingsKeys::KeyVol));
    updateFadeTooltips();
}
