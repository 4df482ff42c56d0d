#pragma once
#include "platform/Dialogs.h"

// Message boxes on the desktop and the real end of the program.
class SystemDialogs : public Dialogs {
  public:
    int msgBox(const QString& text, int style, const QString& title) override;
    [[noreturn]] void endProgram(int status = 0) override;
};
