#pragma once
#include <QString>

// The folder the desk works on: settings, start offsets and music lie there. A folder given on the command
// line wins; otherwise the folder that holds the executable (links resolved), wherever a copy of the desk
// lies; but the installed desk, which finds the install's marker beside its data, works on ~/Klangwart.
class ProgramDirectory {
  public:
    static constexpr char HomeFolderName[] = "Klangwart";
    // The file the install puts into its data folder; found there, the executable is the installed desk.
    static constexpr char InstallMarker[] = "installiert";

    // The folder named on the command line: a program folder (it holds Klangwart.ini), or an empty folder to
    // lay out as one; an error when it is no folder, or holds other things but no Klangwart.ini.
    static ProgramDirectory given(const QString& dir);
    // Without a folder on the command line. executable: the running program file. dataFromBin: where the
    // install puts its data, relative to the executable's folder. home: the user's home folder.
    static ProgramDirectory ofProgram(const QString& executable, const QString& dataFromBin,
                                      const QString& home);

    bool ok() const { return m_error.isEmpty(); }
    // Absolute, links resolved where the folder exists; ends with "/" only when it is the root.
    QString path() const { return m_path; }
    // True for the installed desk's ~/Klangwart, which is set up on first use.
    bool isHomeFolder() const { return m_home; }
    // True for an empty folder given on the command line, to be laid out like ~/Klangwart.
    bool isEmpty() const { return m_empty; }
    // A one-line German reason when there is no usable folder.
    QString error() const { return m_error; }

  private:
    static ProgramDirectory failure(const QString& error);

    QString m_path;
    bool m_home = false;
    bool m_empty = false;
    QString m_error;
};
