#pragma once
#include "about/AboutBoxHolder.h"
#include "platform/Services.h"
#include "support/Fakes.h"

#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <memory>

class Form1;

// A program directory of its own in a temporary folder (settings file, team folders, title files) and
// recording stand-ins for every system service, so a test can start the real desk on it.
class DeskFixture {
  public:
    DeskFixture();
    ~DeskFixture();

    // The program directory (links resolved, as the desk sees it).
    QString dir() const { return services.programDir; }
    QString iniFile() const { return dir() + QStringLiteral("/Klangwart.ini"); }
    // One settings value, written the way the desk writes them.
    void setIni(const QString& section, const QString& key, const QString& value);
    QString readIni(const QString& section, const QString& key) const;
    // The settings file byte for byte.
    QByteArray iniBytes() const;
    // The team's look and fade settings, all filled in.
    void writeTeamSettings(const QString& team, const QString& color = QStringLiteral("12632256"),
                           const QString& zeit = QStringLiteral("2"),
                           const QString& vol = QStringLiteral("25"));
    // All eight category folders of the team, with the files named for each category folder.
    void makeTeam(const QString& team, const std::map<QString, QStringList>& files = {});
    // Writes a small file (or the given bytes) as a title.
    QString addFile(const QString& team, const QString& category, const QString& name,
                    const QByteArray& bytes = QByteArray("title"));
    QString titlePath(const QString& team, const QString& category, const QString& name) const;
    QString startOffsetFile(const QString& team) const { return dir() + '/' + team + QStringLiteral(".ini"); }
    // The stored start offset of a title of the team, and storing one.
    QString offset(const QString& team, const QString& title) const;
    void setOffset(const QString& team, const QString& title, const QString& value);

    // "01Titel 1.mp3" .. n titles in name order.
    static QStringList numbered(int n);
    // Every run full: 15 + 8 + 5 + 8 + 65 + 5 titles and the two single ones, 108 in all.
    static std::map<QString, QStringList> fullBoard();

    // Builds the main console on this directory and runs its load (windows are not shown).
    std::unique_ptr<Form1> startMain();

  private:
    QTemporaryDir m_dir; // first: the services below name it

  public:
    RecordingDialogs dialogs;
    RecordingLauncher launcher;
    RecordingPrinter printer;
    RecordingMedia media;
    RecordingWaveOut waveOut;
    FakeClock clock;
    FakeTickFactory ticks{clock};
    Services services;
    AboutBoxHolder about;
};
