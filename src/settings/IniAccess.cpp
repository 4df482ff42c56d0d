#include "settings/IniAccess.h"

#include "platform/Profile.h"

namespace {
constexpr int kBufferSize = 255;
} // namespace

QString Ini_CutToBuffer(const QString& value) {
    constexpr int maxChars = kBufferSize - 1;
    if (value.size() <= maxChars)
        return value;
    // Never leave half of a character outside the Basic Multilingual Plane at the end.
    const int cut = value.at(maxChars - 1).isHighSurrogate() ? maxChars - 1 : maxChars;
    return value.left(cut);
}

QString Ini_Read(const QString& file, const QString& section, const QString& key) {
    return Ini_CutToBuffer(Profile::readString(file, section, key));
}

long Ini_Write(const QString& file, const QString& section, const QString& key, const QString& value) {
    return Ini_WriteChecked(file, section, key, value) == WriteError::None ? 1 : 0;
}

WriteError Ini_WriteChecked(const QString& file, const QString& section, const QString& key,
                            const QString& value) {
    return Profile::writeStringChecked(file, section, key, value);
}
