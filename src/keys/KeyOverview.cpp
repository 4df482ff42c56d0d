#include "keys/KeyOverview.h"

#include "console/BoardWidgets.h"
#include "console/ConsoleWindow.h"
#include "keys/KeyNames.h"
#include "keys/KeyRouter.h"
#include "keys/NumberEntry.h"
#include "library/Categories.h"
#include "library/CategoryLists.h"
#include "platform/Printer.h"
#include "widgets/VbButton.h"

#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

QString row(const QString& keys, const QString& what) {
    return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
        .arg(keys.toHtmlEscaped(), what.toHtmlEscaped());
}

QString heading(const QString& text) {
    return QStringLiteral("<tr><td colspan=\"2\"><h3>%1</h3></td></tr>").arg(text.toHtmlEscaped());
}

} // namespace

KeyOverview::KeyOverview(const ConsoleWindow& desk, const KeyRouter& keys, Printer* printer)
    : QWidget(nullptr, Qt::Window), m_desk(desk), m_keys(keys), m_printer(printer) {
    setObjectName(QStringLiteral("Tastenuebersicht"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    m_page = new QTextBrowser(this);
    layout->addWidget(m_page);
    auto* print = new QPushButton(QStringLiteral("&Drucken …"), this);
    print->setObjectName(QStringLiteral("Drucken"));
    print->setEnabled(m_printer != nullptr);
    connect(print, &QPushButton::clicked, this, [this] {
        QTextDocument doc;
        doc.setHtml(html(m_desk, m_keys));
        m_printer->print(doc, windowTitle(), this);
    });
    layout->addWidget(print);
    resize(640, 720);
    refresh();
}

void KeyOverview::refresh() {
    setWindowTitle(QStringLiteral("Tasten – ") + m_desk.settings().sMannschaft);
    m_page->setHtml(html(m_desk, m_keys));
}

QString KeyOverview::html(const ConsoleWindow& desk, const KeyRouter& keys) {
    std::map<KeyFile::Transport, QStringList> keypad;
    for (const auto& [name, action] : keys.transportKeys())
        keypad[action] << KeyNames::shown(name);
    const auto with = [&](const QString& described, KeyFile::Transport action) {
        QStringList all;
        if (!described.isEmpty())
            all << described;
        all << keypad[action];
        return all.join(QStringLiteral(", "));
    };
    QString page = QStringLiteral("<h2>Tasten des Pults – %1</h2><table cellspacing=\"0\" cellpadding=\"3\">")
                       .arg(desk.settings().sMannschaft.toHtmlEscaped());
    page += heading(QStringLiteral("Der laufende Titel"));
    page += row(with(QStringLiteral("Alt+S"), KeyFile::Transport::Stop), QStringLiteral("Stop"));
    page += row(with(QStringLiteral("Alt+P"), KeyFile::Transport::PauseOrResume),
                QStringLiteral("Pause, und Weiter, wenn der Titel wartet"));
    page += row(with(QStringLiteral("Alt+A"), KeyFile::Transport::FadeOut), QStringLiteral("Ausblenden"));
    page += row(with(QString(), KeyFile::Transport::AnnounceOrMusic), QStringLiteral("Ansage und Musik"));
    page += row(QStringLiteral("Alt+E, Alt+W"),
                QStringLiteral("Einlaufen, Wischen (während einer Pause auch Weiter)"));
    page += heading(QStringLiteral("Rückennummern (Tormusik)"));
    page +=
        row(QStringLiteral("Ziffern, dann Eingabe"),
            QStringLiteral("spielt die Tormusik mit dieser Nummer; Rücktaste nimmt eine Ziffer zurück, Esc "
                           "verwirft die Nummer"));
    const Category& tormusik = *Categories::forButton(61);
    const QStringList& names = desk.categoryLists().of(tormusik);
    for (int number = 0; number <= 99; ++number) {
        QStringList titles;
        for (int pos : NumberEntry::titlesNumbered(names, number))
            if (pos < tormusik.runSize)
                titles << QString(desk.boardWidgets().button(61 + pos)->caption()).remove(QLatin1Char('&'));
        if (!titles.isEmpty())
            page += row(QString::number(number), titles.join(QStringLiteral(", ")));
    }
    page += heading(QStringLiteral("Knöpfe"));
    const std::vector<KeyRouter::ButtonKey> buttons = keys.buttonKeys();
    if (buttons.empty())
        page += row(QStringLiteral("–"),
                    QStringLiteral("Noch keine: Rechtsklick auf einen Knopf, „Taste zuweisen …“"));
    for (const KeyRouter::ButtonKey& k : buttons)
        page += row(KeyNames::shown(k.key),
                    k.button >= 0
                        ? QString(desk.boardWidgets().button(k.button)->caption()).remove(QLatin1Char('&'))
                        : QStringLiteral("fehlt: %1 ist nicht mehr da").arg(k.title));
    page += heading(QStringLiteral("Menüs"));
    page += row(QStringLiteral("Strg+D, Strg+M, Strg+N"), QStringLiteral("Mannschaft Damen, Männer, Jugend"));
    page += row(QStringLiteral("Strg+A"), QStringLiteral("Ausblendzeit und Ansagelautstärke"));
    page += row(QStringLiteral("Strg+S"), QStringLiteral("Titeleditor"));
    page += row(QStringLiteral("Strg+B"), QStringLiteral("Beenden"));
    page += row(QStringLiteral("F1, Umschalt+F1"), QStringLiteral("Bedienungsanleitung, diese Übersicht"));
    return page + QStringLiteral("</table>");
}
