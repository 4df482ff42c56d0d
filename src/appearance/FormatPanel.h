#pragma once
#include <QWidget>
#include <array>
#include <cstdint>

class Form1;
class ClickLabel;
class ShapeRect;
class VbButton;
class QFont;

// The format panel: colour swatches, font and size choices and the preview button cmd_Test, which
// applies the look to the board and stores it for the current team. It fills the frame frm_format of
// the main console, under the fade settings panel.
class FormatPanel : public QWidget {
    Q_OBJECT
  public:
    FormatPanel(Form1& window, QWidget* parent);

    // UI thread. Index 6..11: a colour swatch; 0..5 are the board's category headings and do nothing.
    void Label1_Click(int Index);
    void Label2_Click(); // "Comic Sans MS"
    void Label3_Click(); // "Arial"
    void Label4_Click(); // "Courier New"
    // UI thread. Size choice 0..4: 7 to 11 points.
    void Label5_Click(int Index);
    // UI thread. Stores the preview's look for the current team, restyles the board and reloads it.
    void cmd_Test_Click();

    // The swatch Label1(Index) for Index 6..11, nullptr otherwise.
    ClickLabel* swatch(int Index) const;

    ShapeRect* Shape9 = nullptr;
    std::array<ClickLabel*, 2> Label6{}; // headings
    ClickLabel* Label2 = nullptr;
    ClickLabel* Label3 = nullptr;
    ClickLabel* Label4 = nullptr;
    std::array<ClickLabel*, 5> Label5{};
    VbButton* cmd_Test = nullptr;

  private:
    void buildHeadings();
    void buildSwatches();
    void buildFontChoices();
    void buildPreview();
    void connectClicks();
    void takeFace(const ClickLabel* choice);
    void applyColor();
    void storeFont();
    void restyleBoard(const QFont& preview);
    void restyleFixedControls();

    Form1& m_window;
    std::array<ClickLabel*, 6> m_swatches{}; // Label1(6..11)
};
