#include "app/OutputDialog.h"

#include "platform/SoundOutputs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

const QString OutputDialog::SystemDefault = QStringLiteral("Standardgerät des Systems");
const QString OutputDialog::Off = QStringLiteral("aus");

namespace {

// Every device there is; a chosen one that is missing stays on the list, marked. The item's data is the name.
void fill(QComboBox* box, const QString& first, const QStringList& devices, const QString& chosen) {
    box->addItem(first, QString());
    for (const QString& d : devices)
        box->addItem(d, d);
    if (!chosen.isEmpty() && !devices.contains(chosen))
        box->addItem(chosen + QStringLiteral(" (fehlt)"), chosen);
    box->setCurrentIndex(std::max(0, box->findData(chosen)));
}

} // namespace

OutputDialog::OutputDialog(SoundOutputs& outputs, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Tonausgabe"));
    setWindowTitle(QStringLiteral("Tonausgabe"));
    const QStringList devices = outputs.devices();
    auto* form = new QFormLayout;
    m_hall = new QComboBox(this);
    m_hall->setObjectName(QStringLiteral("Halle"));
    fill(m_hall, SystemDefault, devices, outputs.hall());
    m_prelisten = new QComboBox(this);
    m_prelisten->setObjectName(QStringLiteral("Vorhoeren"));
    fill(m_prelisten, Off, devices, outputs.prelisten());
    form->addRow(QStringLiteral("&Halle:"), m_hall);
    form->addRow(QStringLiteral("&Vorhören:"), m_prelisten);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto* hint = new QLabel(QStringLiteral("Mit einem Gerät zum Vorhören spielt der Titeleditor nur dort, und "
                                           "„Vorhören“ im Menü eines Knopfs spielt dessen Titel im Kopfhörer; "
                                           "die Halle läuft ungestört weiter."),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    m_told = new QLabel(this);
    m_told->setObjectName(QStringLiteral("Gesagt"));
    m_told->setStyleSheet(QStringLiteral("color: #C00000;"));
    layout->addWidget(m_told);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OutputDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QString OutputDialog::hall() const {
    return m_hall->currentData().toString();
}

QString OutputDialog::prelisten() const {
    return m_prelisten->currentData().toString();
}

void OutputDialog::accept() {
    // Headphones on the hall's device would put the editor over the speakers.
    if (!prelisten().isEmpty() && prelisten() == hall()) {
        m_told->setText(QStringLiteral("Halle und Vorhören brauchen verschiedene Geräte."));
        return;
    }
    QDialog::accept();
}
