// Build tool: the operator's guide, written in Markdown, as a page of HTML for the documentation folder, read
// by the same Markdown reader the desk's F1 window uses. Usage: GuideToHtml Bedienung.md Bedienung.html
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: GuideToHtml GUIDE.md OUT.html\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QFile in(QString::fromLocal8Bit(argv[1]));
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    QTextDocument doc;
    doc.setMarkdown(QString::fromUtf8(in.readAll()));
    doc.setMetaInformation(QTextDocument::DocumentTitle, QStringLiteral("Klangwart – Bedienungsanleitung"));
    return out.write(doc.toHtml().toUtf8()) < 0 ? 1 : 0;
}
