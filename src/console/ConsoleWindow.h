#pragma once
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

#include "platform/Services.h"

class AboutBoxHolder;
class BoardWidgets;
class TransportArea;
class QScrollBar;
class QProgressBar;
struct Category;

// What both console windows share: the board, the transport area, the hidden level holder HScroll1, the
// settings, media and volume routines and the board load. Each window overrides only where it differs.
class ConsoleWindow : public QMainWindow {
    Q_OBJECT
  public:
    static const QString MyAlias;

    ConsoleWindow(Services& services, AboutBoxHolder& about, QWidget* parent = nullptr);
    ~ConsoleWindow() override;

    // Window fields, filled at load and by every board load.
    QString sIniFile;
    QString sVerein;
    QString sMannschaft;
    QString vButtonFarbe;
    QString sTitel;
    std::int16_t iFadeStep = 0;
    std::int16_t iAnsageVol = 0;
    QString sFadeTimeText;           // what the fade time label shows ("ZEIT")
    QString sRestVolText;            // what the rest volume label shows ("Vol")
    std::array<QStringList, 8> File; // File1..File8: the listings of the category folders

    BoardWidgets* board = nullptr;
    TransportArea* transport = nullptr;
    QScrollBar* HScroll1 = nullptr;

    QString Ini_Read(const QString& file, const QString& section, const QString& key) const;
    long Ini_Write(const QString& file, const QString& section, const QString& key,
                   const QString& value) const;

    bool MP3_Play(const QString& sFile, const QString& sAlias);
    void MP3_Stop(const QString& sAlias);
    void MP3_Pause(const QString& sAlias);
    void MP3_Weiter(const QString& sAlias);

    void SetVolume();
    void SetVolume_Aus();
    void SetVolume_Ansage();
    void SetVolume_Ansage_End();

    // Rebuilds the board; false when the program was ended inside (missing folder, too many files).
    bool LoadBoard();

    virtual void Command1_Click(int Index) = 0;
    virtual void cmd2_Click();
    virtual void cmd5_Click();
    virtual void cmd6_Click();
    void Command2_Click();
    void cmdAnsage_Click();
    void Command5_Click();

    const QString& programDir() const { return m_services.programDir; }
    QString startOffsetFile() const;
    QString categoryFolder(const Category& c) const;
    // The title a button plays: its category's list entry ("" past the end of the list).
    QString fileNameFor(const Category& c, int index) const;
    // sTitel for a pressed sound button: its caption, but "Wischen" and "Einlaufen" without the access keys.
    QString titleTextFor(int Index) const;
    // Stop the media, unload the about box, end the program.
    void endProgramNow();
    // Tool tips of the fade and announcement buttons from the fade settings.
    void updateFadeTooltips();
    // Fade time and rest volume texts to iFadeStep and iAnsageVol.
    void applyFadeTime(const QString& text);
    void applyRestVolume(const QString& text);

    Services& services() const { return m_services; }
    AboutBoxHolder& aboutBox() const { return m_about; }

    // Where the two windows' board loads differ.
    // Background picture from the settings (main console) or none (editor).
    virtual void applyPicture(const QString& path) = 0;
    virtual bool boardSetsCaption() const = 0;
    virtual bool boardSeedsOffsets() const = 0;

  protected:
    // The start offset the play-from command carries.
    virtual QString playOffsetText() const = 0;
    // Full level: LargeChange 1000, Min 0, Max 10000, Value 10000, then SetVolume.
    void levelToFull();
    // The load steps both windows share: settings path, team look, screen fit, fonts, level, transport,
    // fade settings. statusFontTarget gets 26 points.
    void loadCommon(QWidget* statusWidget);
    void applyLevel(int volumeUnits);
    void runRamp(const std::vector<int>& levels, std::int64_t durationUs, QProgressBar* bar);

    QWidget* m_central = nullptr;

  private:
    Services& m_services;
    AboutBoxHolder& m_about;
};
