#pragma once
#include <QString>
#include <cstdint>
#include <optional>

struct CategoryLists;

// From a pressed sound button to what it plays, the same for both consoles: the title path from the button
// index and the category lists, the stored start offset of that title, and the title text of the status line.
// Each console only decides what the stored offset becomes. UI thread.
namespace PressDispatch {

struct Title {
    QString path;         // program directory / team / category folder / file name
    QString storedOffset; // "Zeit_01" of the title in the team's start-offset file, "" when none
};

// The title of a sound button; nothing for the buttons that carry no title (23 to 29, 36 to 52, 132). A title
// whose seed could not be written at the board load reads "0", as it would after the seed.
std::optional<Title> titleFor(int index, const QString& programDir, const QString& team,
                              const CategoryLists& lists);
// Only the path of titleFor, without reading the start offset.
std::optional<QString> pathFor(int index, const QString& programDir, const QString& team,
                               const CategoryLists& lists);

// What the main console sends as the start: the stored text, except that button 55 (the third "Auszeit"
// title) starts 1.5 seconds early when it is stored above 3000. A value that is no number goes as it is.
QString mainOffsetText(int index, const QString& stored);

// Where the editor starts a title: the stored whole number; 0 for none or one that is no whole number.
std::int32_t editorOffset(const QString& stored);

// What the play-from command of a console carries for a stored offset: mainOffsetText in the main console,
// editorOffset written in decimal in the editor.
QString playedOffsetText(bool mainConsole, int index, const QString& stored);

// The status title: "Wischen" and "Einlaufen" for the fixed buttons (without their access keys), the
// button's caption otherwise.
QString titleText(int index, const QString& caption);

} // namespace PressDispatch
