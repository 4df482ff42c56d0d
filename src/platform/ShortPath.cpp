#include "platform/ShortPath.h"

#include <QFileInfo>

QString shortPathName(const QString& longPath) {
    if (longPath.isEmpty() || !QFileInfo::exists(longPath)) {
        return QString();
    }
    return longPath;
}
