#pragma once
#include <QString>

// The folder the desk works on: settings, start offsets and music lie there. A folder given on the command
// line wins; otherwise the folder that holds the executable (links resolved), wherever a copy of the desk
// lies; but the installed desk, started from the install's binary folder, works on ~/Klangwart.
class ProgramDirectory {
  public:
    static constexpr char HomeFolderName[] = "Klangwart";

    // The folder named on the command line; an error when it is not a folder.
    static ProgramDirectory given(const QString& dir);
    // Without a folder on the command line. executable: the running program file. installedBinDir: the folder
    // the install puts the executable in. home: the user's home folder.
    static ProgramDirectory ofProgram(const QString& executable, const QString& installedBinDir,
                                      const QString& home);

    bool ok() const { return m_error.isEmpty(); }
    // Absolute, links resolved where the folder exists; ends with "/" only when it is the root.
    QString path() const { return m_path; }
    // True for the installed desk's ~/Klangwart, which is set up on first use.
    bool isHomeFolder() const { return m_home; }
    // A one-line German reason when there is no usable folder.
    QString error() const { return m_error; }

  private:
    static ProgramDirectory failure(const QString& error);

    QString m_path;
    bool m_home = false;
    QString m_error;
};
