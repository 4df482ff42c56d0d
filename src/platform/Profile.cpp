#include "platform/Profile.h"

#include "platform/ProfileDocument.h"

QString Profile::readString(const QString& file, const QString& section, const QString& key) {
    return ProfileDocument::load(file).value(section, key);
}

bool Profile::writeString(const QString& file, const QString& section, const QString& key,
                          const QString& value) {
    return writeStringChecked(file, section, key, value) == WriteError::None;
}

WriteError Profile::writeStringChecked(const QString& file, const QString& section, const QString& key,
                                       const QString& value) {
    ProfileDocument doc = ProfileDocument::load(file);
    // Like the Windows call, a value that is already there needs no write (and so succeeds on a read-only
    // file).
    if (!doc.setValue(section, key, value))
        return WriteError::None;
    return doc.saveChecked();
}
