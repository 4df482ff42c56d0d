#pragma once
#include <QFrame>
#include <QString>
#include <cstdint>

class QLabel;
class QSlider;
class VbButton;

// The fine-adjustment panel frm_Fein of the start-time editor: a slider that moves the start offset by up to
// two seconds either way in tenths, the label of the chosen change, the start time of the title being edited
// and the "X" that closes it. While it is shown the editor saves and resets by the slider. UI thread.
class FinePanel : public QFrame {
    Q_OBJECT
  public:
    static constexpr int MinPosition = 0;
    static constexpr int MaxPosition = 40;
    static constexpr int Centre = 20;

    // The change of a slider position in milliseconds: (p - 20) x 100.
    static int changeMs(int position);
    // What lbl_Wert shows for a position: "0 sec.", "-1,5 sec.", "+ 0,1 sec." (locale decimal separator).
    static QString changeCaption(int position);
    // What LBL_Slider shows for a start offset: "Startzeit: 12,5 sec.".
    static QString startTimeCaption(std::int32_t startMs);

    // beenden is the editor's "Beenden" button, which opening the panel hides and "X" shows again.
    FinePanel(QWidget* parent, QWidget* beenden);

    // The slider refresh: sFeinWert and lbl_Wert from the present position.
    void refresh();
    void mnu_fein_Click();
    void mnu_feinEnde_Click();
    void Command8_Click();

    // Slider back to the centre; the refresh follows it, so lbl_Wert always names the present position.
    void centre();
    // Fine mode: the panel is shown (within the editor, whether or not the editor itself is on screen).
    bool fineMode() const { return !isHidden(); }
    // The change of the present position, what a save in fine mode adds.
    int change() const;
    void showStartTime(std::int32_t startMs);

    const QString& sFeinWert() const { return m_sFeinWert; }

  private:
    QLabel* LBL_Slider = nullptr;
    QLabel* lbl_Wert = nullptr;
    QSlider* Slider1 = nullptr;
    VbButton* Command8 = nullptr;
    QString m_sFeinWert = QStringLiteral("0");
    QWidget* m_beenden;
};
