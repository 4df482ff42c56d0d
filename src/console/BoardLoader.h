#pragma once
#include <QString>

class ConsoleWindow;
struct Category;

// Builds a console's board from the settings file and the current team's folders, in the order the
// desk has always done it: look, folder checks, caption, listings, seeding, runs with their limits.
class BoardLoader {
  public:
    explicit BoardLoader(ConsoleWindow& window);
    // false when the program was ended on the way (missing folder, over-full category).
    bool run();

  private:
    void readLook();
    bool folderPresent(const QString& folder, const QString& name);
    void pointLists();
    void seedStartOffsets();
    void fillRun(const Category& c);
    bool withinLimit(const Category& c);

    ConsoleWindow& w;
};
