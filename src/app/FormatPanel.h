#pragma once
#include <QWidget>
#include <array>
#include <cstdint>

class BoardWidgets;
class TeamSettings;
class TransportArea;
class ClickLabel;
class ShapeRect;
class VbButton;
class QFont;

// The format panel: colour swatches, font and size choices and the preview button cmd_Test, which
// applies the look to the board and stores it for the current team. It fills the frame frm_format of
// the main console, under the fade settings panel. UI thread.
class FormatPanel : public QWidget {
    Q_OBJECT
  public:
    // The board, the transport area and the status line are restyled by an apply.
    FormatPanel(TeamSettings& settings, BoardWidgets& board, TransportArea& transport, QWidget* statusLine,
                QWidget* parent);

    // Index 6..11: a colour swatch; 0..5 are the board's category headings and do nothing.
    void Label1_Click(int Index);
    void Label2_Click(); // "Comic Sans MS"
    void Label3_Click(); // "Arial"
    void Label4_Click(); // "Courier New"
    // Size choice 0..4: 7 to 11 points.
    void Label5_Click(int Index);
    // Stores the preview's look for the current team and restyles the board; the window then reloads it.
    void cmd_Test_Click();

  signals:
    // The look was stored and applied: the window closes the panel and reloads its board.
    void applied();

  private:
    // The swatch Label1(Index) for Index 6..11, nullptr otherwise.
    ClickLabel* swatch(int Index) const;

    ShapeRect* Shape9 = nullptr;
    std::array<ClickLabel*, 2> Label6{}; // headings
    ClickLabel* Label2 = nullptr;
    ClickLabel* Label3 = nullptr;
    ClickLabel* Label4 = nullptr;
    std::array<ClickLabel*, 5> Label5{};
    VbButton* cmd_Test = nullptr;

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

    TeamSettings& m_settings;
    BoardWidgets& m_board;
    TransportArea& m_transport;
    QWidget* m_statusLine;
    std::array<ClickLabel*, 6> m_swatches{}; // Label1(6..11)
};
