#pragma once
#include "console/ConsoleWindow.h"
#include "editor/TitleStopwatch.h"
#include "settings/WriteOutcome.h"

#include <QPalette>
#include <cstdint>

class FinePanel;
class QLineEdit;
class VbButton;

// The start-time editor: a second console whose sound buttons open a title for editing. It plays the title
// from its stored start offset, times it with a stopwatch and stores a new offset from the stopwatch or the
// fine slider, or sets it back to the beginning. Everything runs on the UI thread.
class Form2 : public ConsoleWindow {
    Q_OBJECT
  public:
    static const QString IdleCaption;

    Form2(Services& services, AboutBoxHolder& about);
    ~Form2() override;

    // Load; false when the program was ended during the board load.
    bool Form_Load();

    void cmd2_Click() override;
    void cmd5_Click() override;
    void cmd6_Click() override;
    void Command7_Click();
    void mnuTitel_Startzeit_Click();
    void mnu_Info_Click();
    void cmd_Speichern_Click();
    void cmd_Reset_Click();
    // Stops the title and unloads the about box; the window is deleted after its frame closes it.
    void Form_Unload();

    const TitleStopwatch& stopwatch() const { return m_stopwatch; }

  protected:
    void showPressLook() override;
    bool startTitle(int Index, const QString& path, const QString& storedOffset) override;
    void showPressed(bool started) override;
    QString playOffsetText() const override { return QString::number(lStartPos); }
    void applyPicture(const QString&) override {}
    bool isMainConsole() const override { return false; }
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    // Text1 = sTitel + "   " + " Time: " + Titel.
    void writeStatusLine();
    // Fore colour (Text) or back colour (Base) of the status line, as &H00BBGGRR.
    void setStatusColor(QPalette::ColorRole role, std::int32_t vbColor);
    // Stores the open title's offset and tells a failure; what names the failure ("... wurde nicht
    // gespeichert").
    WriteOutcome writeStartOffset(const QString& text, const QString& what) const;

    QLineEdit* Text1 = nullptr;
    std::int64_t m_matchedStartMs = 0; // where the main console starts the title: what its loudness is of
    void showLoudness();
    VbButton* cmd_Speichern = nullptr;
    VbButton* cmd_Reset = nullptr;
    VbButton* Command7 = nullptr;
    FinePanel* frm_Fein = nullptr;
    QString sTitelPfad;
    QString m_titleTeam; // the team whose board the title was opened from
    std::int32_t lStartPos = 0;
    TitleStopwatch m_stopwatch;
};
