#pragma once
#include "console/ConsoleWindow.h"

#include <QPointer>

class ClickLabel;
class QFrame;
class QLabel;
class FadeSettingsPanel;
class FormatPanel;
class Form2;
class GuideWindow;
class KeyOverview;
class KeyRouter;
class QMenu;
class QTimer;
class QAction;
class QActionGroup;
struct Services;
class PlayLogFollower;
class PlayLogWindow;
class RemoteDesk;

// The main console: the board an operator plays from, its menu bar, the status line Label17, the fade
// and announcement controls and the two settings panels. UI thread.
class Form1 : public ConsoleWindow {
    Q_OBJECT
  public:
    Form1(Services& services, AboutBoxHolder& about);
    ~Form1() override;

    // Start-up; false when the program was ended during it.
    bool Form_Load();

    void cmd2_Click() override;
    void cmd5_Click() override;
    void cmd6_Click() override;

    void mnu_Männer_Click();
    void mnu_Damen_Click();
    void mnu_Jugend_Click();
    void mnu_DBMänner_Click();
    void mnu_DBDamen_Click();
    void mnu_DBJugend_Click();
    void mnuAusblend_Click();
    void mnu_Format_Click();
    void mnu_Set_Start_Click();
    void mnu_Info_Click();
    void mnuBeenden_Click();
    void Command6_Click();

    // The start-time editor while it is loaded.
    Form2* editor() const;
    // F1: the operator's guide in a window of its own.
    void showGuide();
    // The context menu of a board button (right click, or the menu key while it has the focus): "Taste zuweisen
    // …" and "Taste entfernen". Built, not shown.
    QMenu* buttonMenu(int index);
    // Umschalt+F1: every key of the team.
    void showKeyOverview();
    KeyRouter& keys() const { return *m_keys; }
    // Files dropped at a point of the board: copied into the category whose frame is there, then the board
    // is loaded again. What was not copied, and why, is told on the notice line.
    void dropTitles(const QStringList& files, const QPoint& at);
    // "Datei" > "Protokoll …": the day's list of what sounded in the hall (null until it was opened once).
    void mnuProtokoll_Click();
    PlayLogWindow* playLogWindow() const;
    // "Bearbeiten" > "Tonausgabe …": the hall's and the pre-listen's device, stored in Klangwart.ini.
    void mnuTonausgabe_Click();
    // "Datei" > "Fernbedienung …": the remote on or off, its port, address, PIN and QR code.
    void mnuFernbedienung_Click();
    RemoteDesk& remote() const { return *m_remote; }
    // The chosen devices into effect (at the start, and after the dialog); tells a missing one.
    void applyOutputs(const QString& hall, const QString& prelisten);
    // "Bearbeiten" > "Lautstärke angleichen" and its target, per team in Klangwart.ini.
    void mnuLautheit_Click();
    void setLoudnessTarget(int lufs);
    bool loudnessMatched() const;
    double loudnessTarget() const;

  protected:
    void showPressLook() override;
    bool startTitle(int Index, const QString& path, const QString& storedOffset) override;
    void showPressed(bool started) override;
    QString playOffsetText() const override { return sStartPos; }
    void applyPicture(const QString& path) override;
    bool isMainConsole() const override { return true; }
    void boardLoaded() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildMenus();
    void buildPanels();
    void selectTeam(const QString& team);
    void openTeamFolder(const QString& team);
    // Label17 = sTitel + marker in color, or the error marker in red after a press that failed.
    void showStatus(const QString& marker, std::int32_t color);

    ClickLabel* Label17 = nullptr;
    QFrame* frm_format = nullptr;
    FadeSettingsPanel* frm_aus = nullptr;
    FormatPanel* formatPanel = nullptr;
    QString sStartPos;
    bool m_titleFailed = false; // the last press could not start its title: the status keeps saying so
    QLabel* m_picture = nullptr;
    QPointer<Form2> m_editor;
    QPointer<GuideWindow> m_guide;
    KeyRouter* m_keys = nullptr;
    QPointer<KeyOverview> m_keyOverview;
    PlayLogFollower* m_playLog = nullptr;
    QPointer<PlayLogWindow> m_playLogWindow;
    std::unique_ptr<Services> m_editorServices; // the editor's media, level and status: hall or headphones
    QTimer* m_outputWatch = nullptr;
    void watchOutputs();
    void matchLoudness();
    // The remote as the command line or the settings ask; told on standard output and the notice line.
    void startRemote(bool on, int port);
    RemoteDesk* m_remote = nullptr;
    QAction* m_matchAction = nullptr;
    QActionGroup* m_targetActions = nullptr;
    void storeLoudness(const QString& key, const QString& value);
};
