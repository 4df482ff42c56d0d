#include "about/frmAbout.h"

#include "KlangwartVersion.h"

#include "about/SysInfo.h"
#include "widgets/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

// The box's picture: a small drawn loudspeaker, so the box needs no image file next to the program.
QPixmap speakerPicture(QSize size) {
    QPixmap pm(size);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), h = size.height();
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(w * 0.12, h * 0.38, w * 0.18, h * 0.24));
    p.drawPolygon(QPolygonF({QPointF(w * 0.30, h * 0.38), QPointF(w * 0.55, h * 0.18),
                             QPointF(w * 0.55, h * 0.82), QPointF(w * 0.30, h * 0.62)}));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x00, 0x80, 0x00), w * 0.05, Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= 3; ++i) {
        const double r = w * 0.1 * i;
        p.drawArc(QRectF(w * 0.55 - r, h * 0.5 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
    return pm;
}

} // namespace

frmAbout::frmAbout(Dialogs& dialogs, Launcher& launcher, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_launcher(launcher) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Steuerung zur Hallenklangwart"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setFixedSize(382, 237); // 5730 x 3555 twips
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8, QFont::Bold));

    auto* picture = new QLabel(this);
    Twips::place(picture, 240, 120, 1680, 1875);
    picture->setPixmap(speakerPicture(picture->size()));

    lblTitle = label(QStringLiteral("Klangwartsoftware"), 2520, 0, 3885, 480);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setFont(QFont(QStringLiteral("MS Sans Serif"), 13, QFont::Bold));
    lblVersion0 = label(versionText(), 2640, 600, 1200, 225);
    lblVersion0->setObjectName(QStringLiteral("lblVersion_0"));
    lblVersion4 = label(QStringLiteral("Verein:"), 2640, 1320, 645, 225);
    lblVersion5 = label(QStringLiteral("Verein"), 3600, 1320, 2085, 225);
    lblVersion5->setObjectName(QStringLiteral("lblVersion_5"));
    lblDisclaimer = label(
        QStringLiteral("Warnung: Der Hersteller trägt keine Verantwortung für die genutzten Musiktitel."),
        120, 2520, 3855, 465);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setStyleSheet(QStringLiteral("color: #FF0000"));
    label(QStringLiteral("Freie Software: GNU GPL 3 oder neuer, ohne Garantie"), 120, 3240, 4000, 225)
        ->setObjectName(QStringLiteral("lblDescription_1"));
    label(QStringLiteral("Hallensprecher-Tonpult für Handball"), 2400, 1800, 3300, 225);
    label(QStringLiteral("Anleitung: Taste F1"), 2400, 2040, 3000, 225);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    Twips::place(line, 90, 2400, 5565, 60);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    Twips::place(cmdOK, 4245, 2625, 1260, 345);
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(QStringLiteral("&Systeminfo..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    Twips::place(cmdSysInfo, 4260, 3075, 1245, 345);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    // Esc presses OK too: the dialog's reject is routed to the same unload.
    connect(this, &QDialog::rejected, this, &frmAbout::cmdOK_Click);
}

QLabel* frmAbout::label(const QString& text, double left, double top, double width, double height) {
    auto* l = new QLabel(text, this);
    Twips::place(l, left, top, width, height);
    return l;
}

QString frmAbout::versionText() {
    return QStringLiteral("Version " KLANGWART_VERSION);
}

void frmAbout::setClub(const QString& club) {
    lblVersion5->setText(club);
}

void frmAbout::cmdOK_Click() {
    // Unloading: the holder's pointer clears itself when the box is gone.
    hide();
    deleteLater();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo(m_dialogs, m_launcher);
}
