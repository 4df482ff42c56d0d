#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

class Dialogs;
class Launcher;

// Starting the system information program from the about box.

// The programs tried, in order, on this platform; the first found on the PATH is started.
QStringList sysInfoCandidates();

// Starts the first candidate found, else tells the operator "Systeminformationen sind momentan nicht
// verfügbar". Returns true when a program was started.
bool StartSysInfo(Dialogs& dialogs, Launcher& launcher);

// How a registry value becomes text on the Windows build: type 1 (string) is the text without a final
// NUL, type 4 (32-bit number) the signed decimal of its little-endian bytes; any other type leaves
// keyVal as it was. Returns false only for an empty value.
bool registryValueText(unsigned long type, const QByteArray& data, QString& keyVal);
