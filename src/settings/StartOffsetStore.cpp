#include "settings/StartOffsetStore.h"

#include "library/ProgramPaths.h"
#include "platform/ProfileDocument.h"
#include "settings/IniAccess.h"
#include "settings/SettingsKeys.h"

namespace {
const QString kKey = QString::fromLatin1(SettingsKeys::KeyStartOffset);
const QString kSeedValue = QStringLiteral("0");
} // namespace

StartOffsetStore::StartOffsetStore(const QString& programDir, const QString& team)
    : m_file(ProgramPaths::startOffsetFile(programDir, team)) {}

QString StartOffsetStore::read(const QString& titlePath) const {
    return Ini_Read(m_file, titlePath, kKey);
}

bool StartOffsetStore::write(const QString& titlePath, const QString& text) const {
    return writeChecked(titlePath, text) == WriteError::None;
}

WriteError StartOffsetStore::writeChecked(const QString& titlePath, const QString& text) const {
    return Ini_WriteChecked(m_file, titlePath, kKey, text);
}

StartOffsetStore::Seeding StartOffsetStore::seed(const QStringList& titlePaths) const {
    ProfileDocument doc = ProfileDocument::load(m_file);
    Seeding result;
    for (const QString& title : titlePaths) {
        // The same test Ini_Read would make: a missing key and an empty value both read as "".
        if (!doc.value(title, kKey).isEmpty())
            continue;
        doc.setValue(title, kKey, kSeedValue);
        result.unwritten << title;
    }
    if (result.unwritten.isEmpty())
        return result;
    result.error = doc.saveChecked();
    if (result.error == WriteError::None) {
        result.seeded = static_cast<int>(result.unwritten.size());
        result.unwritten.clear();
    }
    return result;
}
