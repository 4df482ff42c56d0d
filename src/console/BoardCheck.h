#pragma once
#include "console/BoardWidgets.h"
#include "platform/TitleCheck.h"

#include <QString>
#include <array>
#include <memory>
#include <vector>

class TickSource;
class TickSourceFactory;
struct CategoryLists;

// The look at a console's board before the match: after every board load its titles go to the title check,
// which works in the background; a title that cannot play gets a red caption and a tool tip naming the fault
// before anyone presses it, and loses both when a later board load finds it healthy. The button keeps its
// colour, and a press does what it always does. Findings are fetched by a poll on the UI thread. UI thread.
class BoardCheck {
  public:
    static constexpr int PollMs = 40;

    // check may be null (no engine behind the media commands): then nothing is checked.
    BoardCheck(BoardWidgets& board, TitleCheck* check, TickSourceFactory& ticks);
    ~BoardCheck();
    BoardCheck(const BoardCheck&) = delete;
    BoardCheck& operator=(const BoardCheck&) = delete;

    // After a board load: the shown title buttons with their paths and the starts this console plays them
    // from. Marks of buttons that now hold another title go at once; the others wait for the findings.
    void boardLoaded(const CategoryLists& lists, const QString& programDir, const QString& team,
                     bool mainConsole);

    // The tool tip of a marked button.
    static QString faultText(const TitleCheck::Finding& finding);

  private:
    void poll();
    void mark(int button, const TitleCheck::Finding& finding);
    void unmark(int button);

    BoardWidgets& m_board;
    TitleCheck* m_check;
    std::unique_ptr<TickSource> m_poll;
    std::array<QString, BoardWidgets::ButtonCount> m_markedPath; // "" for an unmarked button
};
