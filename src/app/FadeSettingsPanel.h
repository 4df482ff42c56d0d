#pragma once
#include <QFrame>
#include <array>

class TeamSettings;
class ClickLabel;
class ShapeRect;

// The fade and announcement settings panel frm_aus: fade time 1 to 3 seconds and the rest level of the
// music under an announcement, stored for the current team at the click that chooses them. UI thread.
class FadeSettingsPanel : public QFrame {
    Q_OBJECT
  public:
    FadeSettingsPanel(TeamSettings& settings, QWidget* parent);
    // Shows the fade time and rest volume texts of the settings in the panel's value labels.
    void showFadeSettings();

    // Fade time choice: 0, 1, 2 for 1, 2, 3 seconds.
    void Label9_Click(int Index);
    // Rest level choice: 0..5 for 5 to 30 per cent.
    void Label13_Click(int Index);

  signals:
    // A choice was stored and is in effect; the window's tool tips follow it.
    void chosen();

  private:
    std::array<ClickLabel*, 3> Label8{};  // headings and "Ansagelautstärke="
    std::array<ClickLabel*, 3> Label9{};  // fade time choices
    std::array<ClickLabel*, 3> Label11{}; // "Ausblendzeit =", "sec.", "%"
    std::array<ClickLabel*, 6> Label13{}; // rest level choices
    std::array<ShapeRect*, 2> Shape10{};  // red frames around the two value rows
    ClickLabel* Label10 = nullptr;        // fade time digit, the text stored as "ZEIT"
    ClickLabel* Label12 = nullptr;        // rest percentage, the text stored as "Vol"

    void buildFadeTime();
    void buildRestVolume();

    TeamSettings& m_settings;
};
