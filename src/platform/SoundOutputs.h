#pragma once
#include <QString>
#include <QStringList>

class MediaCommands;
class MediaStatus;
class WaveOut;

// The sound outputs the operator chooses: the hall's device and a pre-listen device (headphones), both by
// name. While a pre-listen device is chosen, the editor's media, level and status go there instead of the
// hall; otherwise they are the hall's own, exactly as before. UI thread.
class SoundOutputs {
  public:
    virtual ~SoundOutputs() = default;
    // The names of the output devices there are now.
    virtual QStringList devices() = 0;
    // hall: empty for the system's default; prelisten: empty for none ("aus").
    virtual void choose(const QString& hall, const QString& prelisten) = 0;
    virtual QString hall() const = 0;
    virtual QString prelisten() const = 0;
    // The chosen hall device is missing and the default plays meanwhile.
    virtual bool hallStandingIn() const = 0;
    // A pre-listen device is chosen but not there: the headphones stay silent (never the hall instead).
    virtual bool prelistenMissing() const = 0;
    // What the editor plays through: the pre-listen while one is chosen, else the hall.
    virtual MediaCommands& editorMedia() = 0;
    virtual MediaStatus& editorStatus() = 0;
    virtual WaveOut& editorLevel() = 0;
    // The pre-listen's own commands (board buttons' "Vorhören"); null while none is chosen.
    virtual MediaCommands* prelistenMedia() = 0;
};
