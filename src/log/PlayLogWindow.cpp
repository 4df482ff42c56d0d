#include "log/PlayLogWindow.h"

#include "platform/Printer.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

QString cell(const QString& text) {
    return QStringLiteral("<td>%1</td>").arg(text.toHtmlEscaped());
}

QString secondsShown(double s) {
    if (s < 0)
        return QStringLiteral("?");
    const int whole = static_cast<int>(s + 0.5);
    return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

PlayLogWindow::PlayLogWindow(PlayLog& log, const QString& programDir, Printer* printer)
    : QWidget(nullptr, Qt::Window), m_log(log), m_dir(programDir), m_printer(printer) {
    setObjectName(QStringLiteral("Protokoll"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    m_page = new QTextBrowser(this);
    layout->addWidget(m_page);
    m_told = new QLabel(this);
    m_told->setObjectName(QStringLiteral("Gesagt"));
    m_told->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_told);
    auto* row = new QHBoxLayout;
    auto* update = new QPushButton(QStringLiteral("&Aktualisieren"), this);
    update->setObjectName(QStringLiteral("Aktualisieren"));
    connect(update, &QPushButton::clicked, this, &PlayLogWindow::refresh);
    auto* pdf = new QPushButton(QStringLiteral("Als &PDF speichern"), this);
    pdf->setObjectName(QStringLiteral("PDF"));
    pdf->setEnabled(m_printer != nullptr);
    connect(pdf, &QPushButton::clicked, this, [this] { exportPdf(); });
    auto* print = new QPushButton(QStringLiteral("&Drucken …"), this);
    print->setObjectName(QStringLiteral("Drucken"));
    print->setEnabled(m_printer != nullptr);
    connect(print, &QPushButton::clicked, this, [this] {
        refresh();
        QTextDocument doc;
        doc.setHtml(m_html);
        m_printer->print(doc, windowTitle(), this);
    });
    row->addWidget(update);
    row->addStretch();
    row->addWidget(pdf);
    row->addWidget(print);
    layout->addLayout(row);
    resize(960, 640);
    refresh();
}

void PlayLogWindow::refresh() {
    m_log.flush();
    m_day = QDate::currentDate();
    setWindowTitle(QStringLiteral("Protokoll – ") + m_day.toString(QStringLiteral("dd.MM.yyyy")));
    m_html = html(PlayLog::readDay(m_dir, m_day), m_day);
    m_page->setHtml(m_html);
}

QString PlayLogWindow::exportPdf() {
    refresh();
    QString file = PlayLog::fileFor(m_dir, m_day);
    file.replace(file.size() - 4, 4, QStringLiteral(".pdf"));
    QTextDocument doc;
    doc.setHtml(m_html);
    const bool ok = QDir().mkpath(PlayLog::folder(m_dir)) && m_printer->exportPdf(doc, file);
    m_told->setText(ok ? QStringLiteral("Gespeichert: ") + QDir::toNativeSeparators(file)
                       : QStringLiteral("Die PDF-Datei %1 konnte nicht geschrieben werden.")
                             .arg(QDir::toNativeSeparators(file)));
    return ok ? file : QString();
}

QString PlayLogWindow::html(const std::vector<PlayLog::Entry>& entries, const QDate& day) {
    QString page = QStringLiteral("<h2>Gespielte Titel am %1</h2>").arg(day.toString(QStringLiteral("dd.MM.yyyy")));
    if (entries.empty())
        return page + QStringLiteral("<p>Heute ist noch kein Titel in der Halle gelaufen.</p>");
    page += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr><th>Uhrzeit</th>"
                           "<th>Mannschaft</th><th>Kategorie</th><th>Titel</th><th>Gehört</th><th>Interpret</th>"
                           "<th>Titel laut Datei</th><th>Komponist</th></tr>");
    for (const PlayLog::Entry& e : entries)
        page += QStringLiteral("<tr>") + cell(e.started.time().toString(QStringLiteral("HH:mm:ss"))) +
                cell(e.team) + cell(e.category) + cell(QString(e.caption).remove(QLatin1Char('&'))) +
                cell(secondsShown(e.heardS)) + cell(e.artist) + cell(e.title) + cell(e.composer) +
                QStringLiteral("</tr>");
    return page + QStringLiteral("</table><p>%1 Titel.</p>").arg(entries.size());
}
