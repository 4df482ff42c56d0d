#pragma once
#include "platform/WriteError.h"

#include <QString>

// What became of one write to the settings file or a start-offset file, in the words the operator is told:
// what was to be stored, the file, and why it failed. UI thread.
struct WriteOutcome {
    // What the write was for; a later write for the same subject and file that succeeds clears the failure.
    enum class Subject { Team, Setting, StartOffsets, StartOffset, Keys, PlayLog };

    Subject subject = Subject::Setting;
    QString what; // "Die Mannschaft Männer wurde nicht gespeichert", told only when the write failed
    QString file;
    WriteError error = WriteError::None;

    bool ok() const { return error == WriteError::None; }
    // "Die Mannschaft Männer wurde nicht gespeichert (/pfad/Klangwart.ini: die Datei ist schreibgeschützt)."
    QString notice() const;
    // Why, in German: "die Datei ist schreibgeschützt", "der Datenträger ist voll", ...; "" for None.
    static QString reason(WriteError error);
};
