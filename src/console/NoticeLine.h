#pragma once
#include "settings/WriteOutcome.h"

#include <QLabel>
#include <QStringList>
#include <QTimer>
#include <cstdint>
#include <map>
#include <vector>

class Clock;
class MediaStatus;
class WaveOut;

// The notice line at the foot of a console window, told without a box to click away, since a match does not
// wait: while the desk has no sound output (and whether the title runs on silently or waits), and for a while
// that it is back; which writes of settings or start offsets failed, with the file and why, until that file
// is written successfully; lasting hints; and short news above all of these. Several lasting notices take
// turns, each shown whole, and the tool tip lists them all. The same failure told again changes nothing, so
// the operator is told once. UI thread.
class NoticeLine : public QLabel {
    Q_OBJECT
  public:
    static constexpr int kPollMs = 250;
    static constexpr std::int64_t kBackShownUs = 10000000; // "back" is told this long
    static constexpr std::int64_t kTurnUs = 4000000;       // each of several notices is shown this long
    static constexpr std::int64_t kNewsUs = 4000000;       // news is shown this long
    static const QString NoOutput;
    static const QString NoOutputPaused;
    static const QString OutputBack;

    // title: tells whether the title under alias plays or waits; may be null.
    NoticeLine(WaveOut& output, Clock& clock, MediaStatus* title, const QString& alias, QWidget* parent);

    void reportWrite(const WriteOutcome& outcome);
    // A lasting notice under a name of its own; an empty text takes it back.
    void setHint(const QString& name, const QString& text);
    // Told at once, before the lasting notices, for kNewsUs.
    void tellNews(const QString& text);
    // Shown large instead of everything else while it is set (what the operator is typing).
    void setEntry(const QString& text);
    // Looks at the output and the clock now; the timer does it every kPollMs.
    void pollOutput();
    // Every lasting notice there is now, in the order they take turns.
    QStringList notices() const;

  private:
    struct Notice {
        QString text;
        const char* color;
    };
    std::vector<Notice> lasting() const;
    void show();

    WaveOut& m_output;
    Clock& m_clock;
    MediaStatus* m_title;
    QString m_alias;
    QTimer m_poll;
    bool m_hadDevice = true;
    bool m_titleWaits = false;
    std::int64_t m_backSinceUs = -1; // when the output came back; -1 while that is not being told
    std::map<QString, std::map<int, QString>> m_failures; // file -> subject -> what is told
    std::map<QString, QString> m_hints;
    QString m_news;
    std::int64_t m_newsUntilUs = 0;
    QString m_entry;
    int m_turn = 0;
    std::int64_t m_turnSinceUs = 0;
};
