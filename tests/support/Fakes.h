#pragma once
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/MediaCommands.h"
#include "platform/TickSource.h"
#include "platform/WaveOut.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Stand-ins that record what the desk asks of the system, so tests neither block nor exit.

struct RecordedBox {
    QString text;
    int style;
    QString title;
};

class RecordingDialogs : public Dialogs {
  public:
    int msgBox(const QString& text, int style, const QString& title) override;
    void endProgram() override { ++ends; }

    std::vector<RecordedBox> boxes;
    std::deque<int> answers;     // answers to give, in order; Ok (or Cancel) when empty
    std::function<void()> onBox; // runs while a box is "shown"
    int ends = 0;
};

class RecordingLauncher : public Launcher {
  public:
    bool start(const QString& program, const QStringList& arguments) override;
    std::vector<std::pair<QString, QStringList>> started;
    bool result = true;
};

// Records every command; answers from a forward target when one is set, else 0 (or failFor).
class RecordingMedia : public MediaCommands {
  public:
    int send(const QString& command) override;
    QStringList commands;
    MediaCommands* forward = nullptr;
    std::function<int(const QString&)> answer;
    QStringList takeCommands();
};

class RecordingWaveOut : public WaveOut {
  public:
    int setVolume(std::uint32_t packedLevel) override;
    int deviceCount() const override { return forward ? forward->deviceCount() : devices; }
    std::vector<std::uint32_t> levels;
    WaveOut* forward = nullptr;
    int devices = 1; // without a forward target: the output devices the desk sees
};

// Time moves only when a test moves it (or the desk waits for it).
class FakeClock : public Clock {
  public:
    std::int64_t nowUs() override { return now; }
    void sleepUntilUs(std::int64_t deadlineUs) override { advanceTo(deadlineUs); }
    // Moves the time forward; onAdvance first hears by how much (a test renders that much audio).
    void advanceTo(std::int64_t us);
    std::int64_t now = 1000000;
    std::function<void(std::int64_t)> onAdvance;
};

class FakeTickSource : public TickSource {
  public:
    explicit FakeTickSource(const FakeClock* clock) : m_clock(clock) {}
    void setInterval(int ms) override;
    int interval() const override { return m_interval; }
    // One tick, delivered only while the interval is set, as a window timer would.
    bool tick();
    std::int64_t dueUs() const { return m_due; }

  private:
    const FakeClock* m_clock;
    int m_interval = 0;
    std::int64_t m_due = 0;
};

// Timers on the fake clock: advance() moves the clock and delivers every tick that falls due, in time order.
class FakeTickFactory : public TickSourceFactory {
  public:
    explicit FakeTickFactory(FakeClock& clock) : m_clock(clock) {}
    std::unique_ptr<TickSource> create() override;
    void advance(std::int64_t us);
    std::vector<FakeTickSource*> created;

  private:
    FakeClock& m_clock;
    std::vector<std::weak_ptr<bool>> m_alive; // which of the created sources still exist
};
