#include "about/GuideWindow.h"

#include <QFile>

// Resources of a static library are not linked in unless something names them.
static void initGuideResource() {
    Q_INIT_RESOURCE(guide);
}

GuideWindow::GuideWindow(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("Bedienungsanleitung"));
    setWindowTitle(QStringLiteral("Klangwart – Bedienungsanleitung"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setOpenExternalLinks(false);
    setMarkdown(markdown());
    resize(900, 700);
}

QString GuideWindow::markdown() {
    initGuideResource();
    QFile guide(QStringLiteral(":/guide/Bedienung.md"));
    return guide.open(QIODevice::ReadOnly) ? QString::fromUtf8(guide.readAll()) : QString();
}
