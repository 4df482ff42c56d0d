#include "keys/KeyFile.h"

#include "library/ProgramPaths.h"
#include "platform/ProfileDocument.h"
#include "settings/NumberText.h"

#include <QKeySequence>
#include <QRegularExpression>

namespace {

const QString Keypad = QStringLiteral("Ziffernblock");
const QString General = QStringLiteral("Allgemein");

// A hand-written key in the one spelling the desk uses ("shift+q" is "Shift+Q"); "" for what is no single
// key.
QString normalized(const QString& written) {
    const QKeySequence key = QKeySequence::fromString(written.trimmed(), QKeySequence::PortableText);
    return key.count() == 1 ? key.toString(QKeySequence::PortableText) : QString();
}

} // namespace

KeyFile::KeyFile(const QString& programDir)
    : m_path(ProgramPaths::join(programDir, QString::fromLatin1(FileName))) {}

std::map<QString, QString> KeyFile::buttonKeys(const QString& team) const {
    std::map<QString, QString> keys;
    for (const auto& [written, title] : ProfileDocument::load(m_path).entries(team)) {
        const QString key = normalized(written);
        if (!key.isEmpty() && !title.isEmpty() && !keys.count(key))
            keys[key] = title;
    }
    return keys;
}

WriteOutcome KeyFile::assign(const QString& team, const QString& key, const QString& title) const {
    ProfileDocument doc = ProfileDocument::load(m_path);
    // The key as it is written already, in whatever case, keeps its line.
    QString written = key;
    for (const auto& [existing, value] : doc.entries(team))
        if (normalized(existing) == key)
            written = existing;
    WriteError error = WriteError::None;
    if (doc.setValue(team, written, title))
        error = doc.saveChecked();
    return {WriteOutcome::Subject::Keys, QStringLiteral("Die Taste %1 wurde nicht gespeichert").arg(key),
            m_path, error};
}

std::map<QString, KeyFile::Transport> KeyFile::transportKeys() const {
    const ProfileDocument doc = ProfileDocument::load(m_path);
    const std::pair<const char*, std::pair<Transport, const char*>> actions[] = {
        {"Pause", {Transport::PauseOrResume, "Num+/"}},
        {"Ansage", {Transport::AnnounceOrMusic, "Num+*"}},
        {"Ausblenden", {Transport::FadeOut, "Num+-"}},
        {"Stop", {Transport::Stop, "Num+, Num+. Num+Del"}}};
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    std::map<QString, Transport> keys;
    for (const auto& [name, action] : actions) {
        QString written = doc.value(Keypad, QString::fromLatin1(name));
        if (written.isEmpty())
            written = QString::fromLatin1(action.second);
        for (const QString& one : written.split(blanks, Qt::SkipEmptyParts))
            if (const QString key = normalized(one); !key.isEmpty())
                keys[key] = action.first;
    }
    return keys;
}

int KeyFile::repressGuardMs() const {
    const QString written = ProfileDocument::load(m_path).value(General, QStringLiteral("Wiederholsperre"));
    const auto ms = NumberText::wholeNumber(written);
    return ms && *ms >= 0 ? static_cast<int>(std::min<long>(*ms, 10000)) : DefaultGuardMs;
}
