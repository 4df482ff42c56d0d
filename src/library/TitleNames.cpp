#include "library/TitleNames.h"

namespace TitleNames {

QString caption(const QString& fileName) {
    if (fileName.size() <= 6)
        return QString();
    return fileName.mid(2, fileName.size() - 6);
}

QString join(const QString& dir, const QString& name) {
    if (dir.endsWith(QLatin1Char('/')))
        return dir + name;
    return dir + QLatin1Char('/') + name;
}

QString titlePath(const QString& programDir, const QString& team, const QString& folder,
                  const QString& fileName) {
    return join(join(join(programDir, team), folder), fileName);
}

} // namespace TitleNames
