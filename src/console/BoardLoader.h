#pragma once
#include <QString>
#include <cstdint>
#include <functional>

class BoardWidgets;
class Dialogs;
class TeamSettings;
struct CategoryLists;
struct Category;
struct Services;

// Builds a console's board from the settings file and the current team's folders, in the order the desk has
// always done it: look, folder checks, caption, listings, seeding, runs with their limits. UI thread.
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
        std::function<void(const QString&)> applyPicture;
        std::function<void()> endProgram;
        std::function<void(const QString&)> setCaption = {}; // none: the caption stays as it is
    };

    // The folders a team's board needs: the team folder and its eight category folders. A missing one is told
    // in a box whose "Wiederholen" checks again; false when the operator gave up ("Abbrechen", "Weiter").
    static bool teamFoldersPresent(const QString& programDir, const QString& team, Dialogs& dialogs);

    explicit BoardLoader(const Console& console);
    // false when the program was ended on the way (missing folder, over-full category).
    bool run();

  private:
    void readLook();
    void pointLists();
    void seedStartOffsets();
    void fillRun(const Category& c);
    bool withinLimit(const Category& c);
    QString categoryFolder(const Category& c) const;

    const Console& w;
    std::int32_t m_teamColor = 0;
};
