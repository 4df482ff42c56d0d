#pragma once
#include <QString>

class MediaCommands;
class WaveOut;
class Dialogs;
class Launcher;
class Clock;
class TickSourceFactory;
class MediaStatus;
class TitleCheck;
class Printer;
class PlayLog;
class SoundOutputs;
class TitleLoudness;

// The operating-system services a console window uses, built once by main() (or by a test) and
// handed to the windows by reference. No window reaches the system any other way.
struct Services {
    MediaCommands& media;
    WaveOut& waveOut;
    Dialogs& dialogs;
    Launcher& launcher;
    Clock& clock;
    TickSourceFactory& ticks;
    QString programDir; // absolute, links resolved; ends with "/" only when it is the root
    // Where the engine behind the media commands can tell more than the command strings: the running title's
    // position, and the titles of a board looked at before any press. Null where no engine is behind them.
    MediaStatus* mediaStatus = nullptr;
    TitleCheck* titleCheck = nullptr;
    // Paper and PDF (the key overview, the play log); null where nothing is printed.
    Printer* printer = nullptr;
    // The day's list of what sounded in the hall; null where nothing is logged.
    PlayLog* playLog = nullptr;
    // The hall's and the pre-listen's devices as chosen in the desk; null where they cannot be chosen.
    SoundOutputs* outputs = nullptr;
    // Loudness matching of the board's titles; null where titles play only as they are.
    TitleLoudness* loudness = nullptr;
    // The remote asked for on the command line for this run (its port); 0: as the settings say.
    int remotePort = 0;
};
