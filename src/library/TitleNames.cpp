#include "library/TitleNames.h"

namespace TitleNames {

QString caption(const QString& fileName) {
    if (fileName.size() <= 6)
        return QString();
    return fileName.mid(2, fileName.size() - 6);
}

} // namespace TitleNames
