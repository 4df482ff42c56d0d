#pragma once
#include "platform/WriteError.h"

#include <QString>

// The only access to INI files: the settings file and the start-offset files. File first, then section, key
// (and value); every read goes to the file, every write is on disk before the call returns. UI thread.

// The stored value, at most 254 characters (the 255-character buffer of the profile read, less its NUL);
// "" when the file, the section or the key is missing, or the value is empty.
QString Ini_Read(const QString& file, const QString& section, const QString& key);

// Non-zero when the value was written (the file is created when missing), 0 when it could not be.
long Ini_Write(const QString& file, const QString& section, const QString& key, const QString& value);
// The same write, telling why it failed (WriteError::None when written).
WriteError Ini_WriteChecked(const QString& file, const QString& section, const QString& key,
                            const QString& value);

// The 254-character cut of Ini_Read, for callers that read through a ProfileDocument themselves.
QString Ini_CutToBuffer(const QString& value);
