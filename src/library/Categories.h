#pragma once
#include <QString>
#include <array>

// The eight categories of a team's music: folder, file list, button run on the board, file limit.
struct Category {
    const char* folder; // folder name below the team folder
    int fileList;       // 0..7 for File1..File8
    int firstButton;    // first index of the run on the board
    int runSize;        // buttons in the run
    int limit;          // most files allowed; 0 = no check (only the first entry is used)
    int heading;        // index of the heading label, -1 for the fixed buttons
    bool firstEntryOnly() const { return limit == 0; }
};

namespace Categories {

// The fixed buttons below the board: always shown, each plays the first file of its folder.
constexpr int WischenButton = 30;
constexpr int EinlaufenButton = 126;

// In the order of the file lists File1..File8.
const std::array<Category, 8>& all();

// The order in which a board load fills its runs and checks their limits.
const std::array<int, 6>& fillOrder();

// Category whose run holds the button, or nullptr for buttons without a title (23-29, 36-52, 132, others).
const Category* forButton(int index);

// " befinden sich mehr als 15 Dateien !" and so on.
QString limitMessagePart(const Category& c);

} // namespace Categories
