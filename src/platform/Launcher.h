#pragma once
#include <QString>
#include <QStringList>

// Starts another program without a shell and without waiting for it.
class Launcher {
  public:
    virtual ~Launcher() = default;
    // Returns true when the program was started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
    // Shows a folder in the desktop's file manager.
    bool openFolder(const QString& folder) { return start(QStringLiteral("xdg-open"), {folder}); }
};
