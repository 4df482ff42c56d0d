#include "platform/ProcessLauncher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool ProcessLauncher::start(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool ProcessLauncher::openFolder(const QString& folder) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}
