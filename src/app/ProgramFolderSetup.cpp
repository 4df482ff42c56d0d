#include "app/ProgramFolderSetup.h"

#include "library/Categories.h"
#include "library/ProgramPaths.h"
#include "platform/ProfileDocument.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Anything at the name counts, a dangling link too: it is the operator's, not ours to replace.
bool present(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

struct TeamDefaults {
    const char* team;
    int color; // &H00BBGGRR: a soft rose, a pale blue and a light green tell the teams apart at a glance
};

constexpr TeamDefaults Defaults[] = {{"Damen", 0xE5CCFF}, {"Männer", 0xEED7BD}, {"Jugend", 0xCCEECC}};

} // namespace

const QStringList& ProgramFolderSetup::teams() {
    static const QStringList names{QStringLiteral("Damen"), QStringLiteral("Männer"),
                                   QStringLiteral("Jugend")};
    return names;
}

QString ProgramFolderSetup::prepare(const QString& dir) {
    if (!QFileInfo(dir).isDir() && !QDir().mkpath(dir))
        return QStringLiteral("Der Programmordner %1 konnte nicht angelegt werden.").arg(dir);
    const QString settings = ProgramPaths::settingsFile(dir);
    if (!present(settings) && !writeSettings(settings))
        return QStringLiteral("Die Einstellungen %1 konnten nicht geschrieben werden.").arg(settings);
    for (const QString& team : teams()) {
        if (!present(ProgramPaths::teamFolder(dir, team)) && !makeTeam(dir, team))
            return QStringLiteral("Der Musikordner %1 konnte nicht angelegt werden.")
                .arg(ProgramPaths::teamFolder(dir, team));
    }
    return QString();
}

bool ProgramFolderSetup::writeSettings(const QString& file) {
    using namespace SettingsKeys;
    // A new document is Windows-1252 with CRLF line ends, as the desk's own files are; save() is atomic.
    ProfileDocument doc = ProfileDocument::load(file);
    const QString mannschaft = QString::fromLatin1(SectionMannschaft);
    doc.setValue(mannschaft, QString::fromLatin1(KeyMannschaft), teams().front());
    doc.setValue(mannschaft, QString::fromLatin1(KeyVerein), QString());
    for (const TeamDefaults& d : Defaults) {
        const QString team = QString::fromUtf8(d.team);
        auto set = [&](const char* suffix, const char* key, const QString& value) {
            doc.setValue(teamSection(team, suffix), QString::fromLatin1(key), value);
        };
        set(SuffixHintergrundBild, KeyMetaFile, QString());
        set(SuffixButtonColor, KeyFarbe, QString::number(d.color));
        set(SuffixFontStyle, KeySize, QStringLiteral("10"));
        set(SuffixFontStyle, KeyArt, QStringLiteral("Arial"));
        set(SuffixFontStyle, KeyBold, QStringLiteral("1"));
        set(SuffixAusblend, KeyZeit, QStringLiteral("2"));
        set(SuffixAusblend, KeyVol, QStringLiteral("20"));
    }
    return doc.save();
}

bool ProgramFolderSetup::makeTeam(const QString& dir, const QString& team) {
    for (const Category& c : Categories::all()) {
        if (!QDir().mkpath(ProgramPaths::categoryFolder(dir, team, c)))
            return false;
    }
    return true;
}
