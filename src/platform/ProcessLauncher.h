#pragma once
#include "platform/Launcher.h"

// Starts a program detached, without a shell: arguments travel as they are, never parsed again.
class ProcessLauncher : public Launcher {
  public:
    bool start(const QString& program, const QStringList& arguments) override;
};
