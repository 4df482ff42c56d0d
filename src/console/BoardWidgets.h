#pragma once
#include <QString>
#include <array>
#include <cstdint>

class QWidget;
class VbButton;
class ClickLabel;
class ShapeRect;
class QPoint;
struct ButtonLook;
struct Category;

// The sound board of a console window as designed: the button array Command1(0..132), the six category
// headings Label1(0..5), the run frames and the "CL Screen" button Command5.
class BoardWidgets {
  public:
    static constexpr int ButtonCount = 133;
    static constexpr int TitleButtons = 132; // 0..131; element 132 is never touched

    explicit BoardWidgets(QWidget* window);

    VbButton* button(int index) const { return Command1[static_cast<std::size_t>(index)]; }
    // The fixed row below the board: "&Einlaufen", "&Wischen" and "CL Screen".
    std::array<VbButton*, 3> fixedButtons() const;

    // Font name, size and bold for 0..131; name and bold for Command5; 18 points for the fixed three.
    void applyLook(const ButtonLook& look);
    // Hides every title button and shows the fixed three.
    void resetRuns();
    // The category whose frame holds the point (window coordinates); in the row of the fixed buttons the
    // category of the button above it. nullptr elsewhere.
    const Category* categoryAt(const QPoint& point) const;

    std::array<VbButton*, ButtonCount> Command1{};
    std::array<ClickLabel*, 6> Label1{};
    VbButton* Command5 = nullptr;

  private:
    std::array<ShapeRect*, 7> m_frames{};

    void buildRuns(QWidget* window);
    void buildFrames(QWidget* window);
    void buildHeadings(QWidget* window);
};
