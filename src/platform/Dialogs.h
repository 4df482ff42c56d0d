#pragma once
#include <QString>

// Modal message boxes and ending the program: the two things a test must record instead of suffering.
class Dialogs {
  public:
    // Answers, as the message box functions number them.
    enum Answer {
        Ok = 1,
        Cancel = 2,
        Abort = 3,
        Retry = 4,
        Ignore = 5,
        Yes = 6,
        No = 7,
        TryAgain = 10,
        Continue = 11
    };

    virtual ~Dialogs() = default;
    // Shows a modal box. style is the classic style word: buttons in the low nibble (0 OK, 1 OK/Cancel,
    // 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel, 6 Cancel/Try Again/Continue),
    // icon in 0x10 (critical), 0x20 (question), 0x30 (exclamation), 0x40 (information), default button in
    // 0x100/0x200.
    virtual int msgBox(const QString& text, int style, const QString& title) = 0;
    // Ends the program at once with the exit status. The real one does not return; a recording one does, so
    // every caller must return straight after it.
    virtual void endProgram(int status = 0) = 0;
};
