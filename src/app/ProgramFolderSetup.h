#pragma once
#include <QString>
#include <QStringList>

// Lays out the installed desk's program directory on first use: the folder, a Klangwart.ini with sensible
// defaults for the three teams, and each team's folder with its eight empty category folders, so the desk
// starts on an empty board. Only what is missing is made; nothing that exists is ever written again.
class ProgramFolderSetup {
  public:
    // "Damen", "Männer", "Jugend": the teams the menus offer.
    static const QStringList& teams();

    // Empty when the folder is ready; otherwise one German sentence naming what could not be made.
    static QString prepare(const QString& dir);

  private:
    static bool writeSettings(const QString& file);
    static bool makeTeam(const QString& dir, const QString& team);
};
