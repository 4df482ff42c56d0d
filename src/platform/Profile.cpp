#include "platform/Profile.h"

#include "platform/ProfileCache.h"
#include "platform/ProfileDocument.h"

namespace {
// One for the process: the files are the same for every window that reads them.
ProfileCache& cache() {
    static ProfileCache instance;
    return instance;
}
} // namespace

QString Profile::readString(const QString& file, const QString& section, const QString& key) {
    return cache().value(file, section, key);
}

QStringList Profile::readStrings(const QString& file, const QStringList& sections, const QString& key) {
    return cache().values(file, sections, key);
}

bool Profile::writeString(const QString& file, const QString& section, const QString& key,
                          const QString& value) {
    return writeStringChecked(file, section, key, value) == WriteError::None;
}

WriteError Profile::writeStringChecked(const QString& file, const QString& section, const QString& key,
                                       const QString& value) {
    ProfileDocument doc = cache().document(file);
    // Like the Windows call, a value that is already there needs no write (and so succeeds on a read-only
    // file).
    if (!doc.setValue(section, key, value))
        return WriteError::None;
    const WriteError error = doc.saveChecked();
    if (error == WriteError::None)
        cache().saved(std::move(doc)); // an editor save: the next board load finds the file parsed
    return error;
}
