#pragma once
#include <QString>
#include <QStringList>

// What the desk was asked on its command line: run on a program directory (given or not), show the help or
// the version, or refuse with a one-line German error. Read before any window exists, so a terminal without a
// display gets its answer too.
class CommandLine {
  public:
    enum class Action { Run, Help, Version, Error };

    // The arguments after the program name.
    static CommandLine parse(const QStringList& arguments);

    Action action() const { return m_action; }
    // The folder named by "DIR" or "--dir DIR"; empty when none was given.
    QString dir() const { return m_dir; }
    // "--remote" or "--remote=PORT": the remote on for this run; 0 when not asked, else the port.
    int remotePort() const { return m_remotePort; }
    static constexpr int DefaultRemotePort = 8765;
    // The one-line reason for Action::Error, without the program name in front.
    QString error() const { return m_error; }

    static QString helpText();
    static QString versionText();

  private:
    static CommandLine failure(const QString& error);
    bool takeDir(const QString& dir);

    Action m_action = Action::Run;
    QString m_dir;
    QString m_error;
    int m_remotePort = 0;
};
