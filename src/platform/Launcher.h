#pragma once
#include <QString>
#include <QStringList>

// Starts another program without a shell and without waiting for it, and shows folders in the file manager.
class Launcher {
  public:
    virtual ~Launcher() = default;
    // Returns true when the program was started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
    // Shows a folder in the desktop's file manager; false when nothing on the machine can show it.
    virtual bool openFolder(const QString& folder) = 0;
};
