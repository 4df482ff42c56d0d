#include "library/MusicImport.h"

#include "library/Categories.h"
#include "library/FolderListing.h"
#include "library/ProgramPaths.h"

#include <QFile>
#include <QFileInfo>
#include <set>

namespace MusicImport {

namespace {

// The ordering number a name begins with, or -1.
int orderOf(const QString& name) {
    return name.size() > 2 && name[0].isDigit() && name[1].isDigit() ? name.left(2).toInt() : -1;
}

QString nextName(const QString& base, std::set<int>& used) {
    if (orderOf(base) >= 0) {
        used.insert(orderOf(base));
        return base;
    }
    int next = used.empty() ? 1 : *used.rbegin() + 1;
    for (int n = 1; next > 99 && n <= 99; ++n)
        if (!used.count(n))
            next = n;
    if (next > 99)
        return QString();
    used.insert(next);
    return QStringLiteral("%1").arg(next, 2, 10, QLatin1Char('0')) + base;
}

} // namespace

bool playable(const QString& file) {
    static const QStringList endings{"mp3", "wav", "flac", "fla", "ogg", "oga", "opus", "m4a", "aac", "wma"};
    return endings.contains(QFileInfo(file).suffix().toLower());
}

Outcome copy(const QStringList& files, const QString& folder, const Category& category) {
    Outcome out;
    const QStringList present = FolderListing::files(folder);
    std::set<int> used;
    for (const QString& name : present)
        if (orderOf(name) >= 0)
            used.insert(orderOf(name));
    const int room = category.firstEntryOnly() ? (present.isEmpty() ? 1 : 0)
                                               : category.limit - static_cast<int>(present.size());
    for (const QString& file : files) {
        const QString base = QFileInfo(file).fileName();
        const auto refuse = [&](const QString& why) { out.refused << base + QStringLiteral(": ") + why; };
        if (!QFileInfo(file).isFile() || !playable(file)) {
            refuse(QStringLiteral("keine Tondatei, die das Pult spielt"));
            continue;
        }
        if (static_cast<int>(out.copied.size()) >= room) {
            refuse(category.firstEntryOnly() ? QStringLiteral("der Ordner %1 hat schon seinen Titel")
                                                   .arg(QString::fromUtf8(category.folder))
                                             : QStringLiteral("der Ordner %1 fasst nur %2 Titel")
                                                   .arg(QString::fromUtf8(category.folder))
                                                   .arg(category.limit));
            continue;
        }
        const QString name = nextName(base, used);
        const QString target = ProgramPaths::join(folder, name);
        if (name.isEmpty() || QFileInfo::exists(target)) {
            refuse(QStringLiteral("eine Datei dieses Namens liegt schon im Ordner"));
            continue;
        }
        // Whole or not at all: the board's check and a press never see half a title.
        const QString partial =
            ProgramPaths::join(folder, QStringLiteral(".") + name + QStringLiteral(".kopie"));
        QFile::remove(partial);
        if (!QFile::copy(file, partial) || !QFile::rename(partial, target)) {
            QFile::remove(partial);
            refuse(QStringLiteral("konnte nicht kopiert werden"));
            continue;
        }
        out.copied << name;
    }
    return out;
}

} // namespace MusicImport
