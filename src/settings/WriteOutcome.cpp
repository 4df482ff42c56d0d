#include "settings/WriteOutcome.h"

QString WriteOutcome::notice() const {
    return what + QStringLiteral(" (") + file + QStringLiteral(": ") + reason(error) + QStringLiteral(").");
}

QString WriteOutcome::reason(WriteError error) {
    switch (error) {
    case WriteError::None:
        return QString();
    case WriteError::FolderMissing:
        return QStringLiteral("der Ordner fehlt");
    case WriteError::IsFolder:
        return QStringLiteral("dort liegt ein Ordner");
    case WriteError::ReadOnlyFile:
        return QStringLiteral("die Datei ist schreibgeschützt");
    case WriteError::ReadOnlyMedium:
        return QStringLiteral("der Datenträger ist schreibgeschützt");
    case WriteError::NoPermission:
        return QStringLiteral("keine Schreibberechtigung");
    case WriteError::DiskFull:
        return QStringLiteral("der Datenträger ist voll");
    case WriteError::Unreadable:
        return QStringLiteral("die Datei kann nicht gelesen werden");
    case WriteError::Failed:
        break;
    }
    return QStringLiteral("Schreibfehler");
}
