#pragma once
#include "settings/WriteOutcome.h"

#include <QLabel>
#include <QTimer>
#include <cstdint>
#include <map>
#include <utility>

class Clock;
class WaveOut;

// The notice line at the foot of a console window, told without a box to click away, since a match does not
// wait: while the desk has no sound output, and for a while that it is back; and which writes of settings or
// start offsets failed, with the file and why, until a later write of the same kind succeeds. The same
// failure told again changes nothing, so the operator is told once. UI thread.
class NoticeLine : public QLabel {
    Q_OBJECT
  public:
    static constexpr int kPollMs = 250;
    static constexpr std::int64_t kBackShownUs = 10000000;
    static const QString NoOutput;
    static const QString OutputBack;

    NoticeLine(WaveOut& output, Clock& clock, QWidget* parent);

    void reportWrite(const WriteOutcome& outcome);
    // Looks at the output now; the timer does it every kPollMs.
    void pollOutput();

  private:
    void refresh();

    WaveOut& m_output;
    Clock& m_clock;
    QTimer m_poll;
    bool m_hadDevice = true;
    std::int64_t m_backSinceUs = -1; // when the output came back; -1 while that is not being told
    std::map<std::pair<int, QString>, QString> m_failures; // (subject, file) -> what is told
};
