#include "remote/RemoteDialog.h"

#include "remote/RemoteDesk.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>

#include <qrencode.h>

RemoteDialog::RemoteDialog(RemoteDesk& remote, bool on, int port, QWidget* parent)
    : QDialog(parent), m_remote(remote) {
    setObjectName(QStringLiteral("Fernbedienung"));
    setWindowTitle(QStringLiteral("Fernbedienung"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral("Ein Tablet, ein Telefon oder eine Tastenbox im Netz der Halle bedient "
                                            "das Pult über eine Seite im Browser. Wer die PIN nicht kennt, kommt "
                                            "nicht hinein."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    m_on = new QCheckBox(QStringLiteral("Fernbedienung &einschalten"), this);
    m_on->setObjectName(QStringLiteral("An"));
    m_on->setChecked(on);
    m_port = new QSpinBox(this);
    m_port->setObjectName(QStringLiteral("Port"));
    m_port->setRange(1024, 65535);
    m_port->setValue(port);
    form->addRow(m_on);
    form->addRow(QStringLiteral("&Port:"), m_port);
    layout->addLayout(form);
    m_where = new QLabel(this);
    m_where->setObjectName(QStringLiteral("Adresse"));
    m_where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_where->setWordWrap(true);
    layout->addWidget(m_where);
    m_code = new QLabel(this);
    m_code->setObjectName(QStringLiteral("QR"));
    m_code->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_code);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    showRunning();
}

bool RemoteDialog::on() const {
    return m_on->isChecked();
}

int RemoteDialog::port() const {
    return m_port->value();
}

void RemoteDialog::showRunning() {
    if (!m_remote.running()) {
        m_where->setText(QStringLiteral("Die Fernbedienung ist aus."));
        m_code->clear();
        return;
    }
    const QStringList urls = m_remote.urls();
    m_where->setText(QStringLiteral("<p>Im Browser öffnen:<br><b>%1</b></p><p>PIN: <b style=\"font-size:20pt\">%2</b></p>")
                         .arg(urls.join(QStringLiteral("<br>")).toHtmlEscaped(), m_remote.pin()));
    m_code->setPixmap(QPixmap::fromImage(qrCode(urls.first(), 6)));
}

QImage RemoteDialog::qrCode(const QString& text, int scale) {
    QRcode* code = QRcode_encodeString(text.toUtf8().constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
    if (!code)
        return {};
    constexpr int quiet = 4;
    const int size = (code->width + 2 * quiet) * scale;
    QImage image(size, size, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < code->width; ++y)
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1)
                for (int dy = 0; dy < scale; ++dy)
                    std::fill_n(image.scanLine((y + quiet) * scale + dy) + (x + quiet) * scale, scale, uchar(0));
    QRcode_free(code);
    return image;
}
