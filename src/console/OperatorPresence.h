#pragma once
#include <QObject>
#include <cstdint>

class Clock;
class WaveOut;

// Tells the sound output that the operator is at the desk, so that an output resting while nobody works the
// desk is running again before the press: when the pointer moves over a window of it, a key is pressed, a
// window comes to the front (at most once a second), and every few seconds while a window of the desk is the
// active one or lies under the pointer, where a hand may wait on a button for the next goal. UI thread.
class OperatorPresence : public QObject {
    Q_OBJECT
  public:
    static constexpr std::int64_t EveryUs = 1000000;
    static constexpr int LookMs = 5000;

    OperatorPresence(WaveOut& output, Clock& clock, QObject* parent);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void tell();
    void look();

    WaveOut& m_output;
    Clock& m_clock;
    std::int64_t m_toldUs = -EveryUs;
};
