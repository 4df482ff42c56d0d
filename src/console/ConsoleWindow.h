#pragma once
#include "library/CategoryLists.h"
#include "platform/Services.h"
#include "playback/TitlePlayer.h"
#include "settings/TeamSettings.h"
#include "volume/LevelControl.h"

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class AboutBoxHolder;
class BoardCheck;
class BoardWidgets;
class TitleTimeStrip;
class NoticeLine;
class TransportArea;
class QProgressBar;
class PlayLogFollower;

// What both console windows share: the board, the transport area, the team's settings, the level control, the
// title player and the press routine. The described routines are thin forwarders over those members; each
// window overrides only where it differs. UI thread.
class ConsoleWindow : public QMainWindow {
    Q_OBJECT
  public:
    static const QString MyAlias;
    // The exit status of a desk that could not start (a settings file or music folder the operator must
    // mend).
    static constexpr int ExitStartFailed = 1;

    ConsoleWindow(Services& services, AboutBoxHolder& about, QWidget* parent = nullptr);
    ~ConsoleWindow() override;

    bool MP3_Play(const QString& sFile, const QString& sAlias);
    void MP3_Stop(const QString& sAlias);
    void MP3_Pause(const QString& sAlias);
    void MP3_Weiter(const QString& sAlias);

    void SetVolume();
    void SetVolume_Aus();
    void SetVolume_Ansage();
    void SetVolume_Ansage_End();

    // Rebuilds the board from the stored team; false when it was not: the program was ended inside at the
    // start (missing folder, too many files), or later the folders did not fit and the board stayed as it
    // was.
    bool LoadBoard();

    // A sound button: full level, the old title stopped, the title found, played and marked.
    void Command1_Click(int Index);
    virtual void cmd2_Click();
    virtual void cmd5_Click();
    virtual void cmd6_Click();
    void Command2_Click();
    void cmdAnsage_Click();
    void Command5_Click();

    // Ends a fade or announcement ramp at once, where it stands; it never touches the level again.
    void endRamp();
    // Looks at the board's titles again in the background (after a board load, or a start offset written).
    void recheckBoard();

    const TeamSettings& settings() const { return m_settings; }
  signals:
    // The one title of the desk was stopped from this window: the other window ends its ramp on it.
    void titleStopped();

  public:
    const LevelControl& level() const { return m_level; }
    const QString& programDir() const { return m_services.programDir; }
    // For the desk's keys and remote, which press through the very controls a click reaches.
    BoardWidgets& boardWidgets() const { return *board; }
    TransportArea& transportArea() const { return *transport; }
    NoticeLine& notice() const { return *m_notice; }
    const CategoryLists& categoryLists() const { return m_lists; }
    // The title the status line names now ("" before the first press).
    const QString& statusTitle() const { return sTitel; }
    // A press of the title that runs within this time of its start does nothing (0: off). Main console only.
    void setRepressGuard(int ms) { m_repressGuardUs = static_cast<std::int64_t>(ms) * 1000; }
    // A team the other console chose but could not store: this one goes on with it too.
    void keepUnstoredTeam(const QString& team) { m_settings.keepUnstoredTeam(team); }
    // Where the titles this window plays in the hall are logged; null where they are not (the editor while it
    // plays in the headphones).
    void setPlayLog(PlayLogFollower* log) { m_playLog = log; }

  signals:
    // A start offset was written in this window; the other console's board holds the title too.
    void startOffsetWritten();

  protected:
    // Where the two windows differ.
    // The transport area's look at a press (playing in the main console, editing in the editor).
    virtual void showPressLook() = 0;
    // Plays the pressed title from what its stored offset means to this window; false when it did not start.
    virtual bool startTitle(int Index, const QString& path, const QString& storedOffset) = 0;
    // The status after a press, once sTitel and the played mark are set.
    virtual void showPressed(bool started) = 0;
    // The start offset the play-from command carries.
    virtual QString playOffsetText() const = 0;
    // Background picture from the settings (main console) or none (editor).
    virtual void applyPicture(const QString& path) = 0;
    // The main console shows team and club in its caption and seeds missing start offsets; the editor not.
    virtual bool isMainConsole() const = 0;
    // After every board load, whether it ended the program or not.
    virtual void boardLoaded() {}

    // The load steps both windows share: team, screen fit, fonts, level, transport. statusWidget gets 26
    // points.
    void loadCommon(QWidget* statusWidget);
    // The team's fade time and rest level into the settings, and the tool tips that show them.
    void loadFadeSettings();
    // Tool tips of the fade and announcement buttons from the fade settings.
    void updateFadeTooltips();
    // The keyboard focus after a transport action: Stop while it is shown, else the window's client area.
    void parkFocus();
    // LoadBoard for a team the caller stores once the board is built (empty: the stored team).
    bool loadBoard(const QString& team);
    // Stop the media, unload the about box, end the program with the exit status.
    void endProgramNow(int status = 0);
    // After a start offset was written: this board and the other console's look at the title again.
    void offsetWritten();

    Services& services() const { return m_services; }
    AboutBoxHolder& aboutBox() const { return m_about; }

    TeamSettings m_settings;
    LevelControl m_level;
    CategoryLists m_lists;
    BoardWidgets* board = nullptr;
    TransportArea* transport = nullptr;
    QWidget* m_central = nullptr;
    QString sTitel; // the title text of the status line

  private:
    // Runs a ramp on the level with bar following it; then onEnd.
    void runRamp(std::vector<int> levels, std::int64_t durationUs, QProgressBar* bar,
                 std::function<void()> onEnd = {});

    Services& m_services;
    AboutBoxHolder& m_about;
    TitlePlayer m_player;
    std::unique_ptr<BoardCheck> m_boardCheck;
    TitleTimeStrip* m_titleTime = nullptr;
    bool m_hasBoard = false;        // a board was built once: from now on a load that does not fit keeps it
    // The re-press guard: the last title started from the main console, when, under which open of the alias.
    std::int64_t m_repressGuardUs = 0;
    QString m_startedPath;
    std::int64_t m_startedUs = 0;
    std::uint64_t m_startedSerial = 0;
    bool repressed(int Index) const;
    NoticeLine* m_notice = nullptr; // lost sound output, failed writes
    PlayLogFollower* m_playLog = nullptr;
    // The log while this window plays in the hall (the editor not while it plays in the headphones).
    PlayLogFollower* hallLog() const;
    void logStarted(int Index, const QString& path);
};
