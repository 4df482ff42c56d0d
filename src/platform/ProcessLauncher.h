#pragma once
#include "platform/Launcher.h"

// Starts a program detached, without a shell: arguments travel as they are, never parsed again. A folder is
// shown by whatever the desktop opens folders with.
class ProcessLauncher : public Launcher {
  public:
    bool start(const QString& program, const QStringList& arguments) override;
    bool openFolder(const QString& folder) override;
};
