// The folders under src/ stand in one order, and each includes only folders below it: a window may use the
// board, the board never the window; the platform's stand-ins include nothing of the desk.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(FolderOrder, EveryIncludeGoesDownTheOrderAndEveryFolderHasItsPlace) {
    const QStringList order{"app",        "remote",   "keys",    "editor", "console", "playback", "log",
                            "volume",     "appearance", "settings", "library", "about",  "widgets", "audio",    "platform"};
    const QString src = QStringLiteral(KLANGWART_SOURCE_DIR "/src");
    const QRegularExpression include(QStringLiteral(R"(^\s*#\s*include\s+"([^"/]+)/)"),
                                     QRegularExpression::MultilineOption);
    int files = 0;
    for (QDirIterator it(src, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        const QString folder = path.mid(src.size() + 1).section(QLatin1Char('/'), 0, 0);
        ASSERT_TRUE(order.contains(folder)) << "src/" << folder.toStdString() << " has no place in the order";
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (auto m = include.globalMatch(text); m.hasNext();) {
            const QString target = m.next().captured(1);
            if (order.contains(target) && target != folder) {
                EXPECT_GT(order.indexOf(target), order.indexOf(folder))
                    << path.toStdString() << " includes " << target.toStdString() << ", which stands above it";
            }
        }
        ++files;
    }
    EXPECT_GT(files, 100);
}
