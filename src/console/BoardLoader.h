#pragma once
#include <QString>
#include <cstdint>
#include <functional>

class BoardWidgets;
class Dialogs;
class Launcher;
class TeamSettings;
struct CategoryLists;
struct Category;
struct Services;

// Builds a console's board from the settings file and a team's folders: look, folder checks, caption,
// listings, seeding, runs with their limits. At the desk's start a missing folder or an over-full category
// ends the program, as it always did; any later load (a team switch, "CL Screen", the format panel, the
// editor) checks the folders and their limits first and, when they do not fit, tells the operator and leaves
// the board, the team and every file as they were: the match goes on. UI thread.
class BoardLoader {
  public:
    // What a console hands to its board load.
    struct Console {
        BoardWidgets& board;
        CategoryLists& lists;
        TeamSettings& settings;
        Services& services;
        std::int32_t fixedColor; // the fixed buttons take the fade-out button's colour
        bool seedsOffsets;       // only the main console seeds missing start offsets
        bool mayEnd; // the desk's start: no board to keep, so a missing or over-full folder ends it
        std::function<void(const QString&)> applyPicture;
        std::function<void()> endProgram;
        std::function<void(const QString&)> setCaption = {}; // none: the caption stays as it is
        QString team = {};                                   // the team to load; empty: the stored one
    };

    // The folders a team's board needs: the team folder and its eight category folders. A missing one is told
    // in a box whose "Wiederholen" checks again; false when the operator gave up ("Abbrechen", "Weiter").
    static bool teamFoldersPresent(const QString& programDir, const QString& team, Dialogs& dialogs);

    explicit BoardLoader(const Console& console);
    // True when the board was built; false when the program was ended on the way (at the start) or the board
    // was left as it was (later), the reason told either way.
    bool run();

  private:
    bool runAtStart();
    bool runDuringMatch();
    void applyLook();
    void listFolders(CategoryLists& lists) const;
    void seedStartOffsets();
    void fillRun(const Category& c);
    // The first category of the fill order that holds more files than its run, or nullptr.
    static const Category* overfull(const CategoryLists& lists);
    // The limit message, then the folder shown in the file manager (or named, when none can show it).
    void tellOverfull(const Category& c);
    QString categoryFolder(const Category& c) const;

    const Console& m_console;
    QString m_team;
    std::int32_t m_teamColor = 0;
};
