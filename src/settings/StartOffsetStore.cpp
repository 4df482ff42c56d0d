#include "settings/StartOffsetStore.h"

#include "library/ProgramPaths.h"
#include "platform/Profile.h"
#include "platform/ProfileDocument.h"
#include "settings/IniAccess.h"
#include "settings/SettingsKeys.h"

#include <algorithm>

namespace {
const QString kKey = QString::fromLatin1(SettingsKeys::KeyStartOffset);
const QString kSeedValue = QStringLiteral("0");
} // namespace

StartOffsetStore::StartOffsetStore(const QString& programDir, const QString& team)
    : m_file(ProgramPaths::startOffsetFile(programDir, team)) {}

QString StartOffsetStore::read(const QString& titlePath) const {
    return Ini_Read(m_file, titlePath, kKey);
}

QStringList StartOffsetStore::readAll(const QStringList& titlePaths) const {
    QStringList values = Profile::readStrings(m_file, titlePaths, kKey);
    for (QString& v : values)
        v = Ini_CutToBuffer(v);
    return values;
}

bool StartOffsetStore::write(const QString& titlePath, const QString& text) const {
    return writeChecked(titlePath, text) == WriteError::None;
}

WriteError StartOffsetStore::writeChecked(const QString& titlePath, const QString& text) const {
    return Ini_WriteChecked(m_file, titlePath, kKey, text);
}

StartOffsetStore::Seeding StartOffsetStore::seed(const QStringList& titlePaths) const {
    Seeding result;
    // Mostly every title has its entry: then the file is only looked at, not parsed again.
    const QStringList present = Profile::readStrings(m_file, titlePaths, kKey);
    if (std::none_of(present.begin(), present.end(), [](const QString& v) { return v.isEmpty(); }))
        return result;
    ProfileDocument doc = ProfileDocument::load(m_file);
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
