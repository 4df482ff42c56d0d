#pragma once
// Stand-ins that record what the desk asks of the system, so tests neither block nor exit, and a clock and
// timers that move only when a test moves them. Header only.
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Launcher.h"
#include "platform/MediaCommands.h"
#include "platform/Printer.h"
#include "platform/TickSource.h"
#include "platform/WaveOut.h"

#include <QStringList>
#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

struct RecordedBox {
    QString text;
    int style;
    QString title;
};

class RecordingDialogs : public Dialogs {
  public:
    int msgBox(const QString& text, int style, const QString& title) override {
        boxes.push_back({text, style, title});
        if (onBox)
            onBox();
        if (answers.empty())
            return (style & 0x0F) == 0 ? Ok : Cancel;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void endProgram(int status) override {
        ++ends;
        lastStatus = status;
    }

    std::vector<RecordedBox> boxes;
    std::deque<int> answers;     // answers to give, in order; Ok (or Cancel) when empty
    std::function<void()> onBox; // runs while a box is "shown"
    int ends = 0;
    int lastStatus = -1;
};

class RecordingLauncher : public Launcher {
  public:
    bool start(const QString& program, const QStringList& arguments) override {
        started.emplace_back(program, arguments);
        return true;
    }
    bool openFolder(const QString& folder) override {
        folders << folder;
        return canShowFolders;
    }
    std::vector<std::pair<QString, QStringList>> started;
    QStringList folders;
    bool canShowFolders = true; // false: no file manager on the machine
};

// Records every command; answer decides the result when set, else the forward target (or 0).
class RecordingMedia : public MediaCommands {
  public:
    int send(const QString& command) override {
        commands << command;
        return answer ? answer(command) : forward ? forward->send(command) : 0;
    }
    QStringList takeCommands() { return std::exchange(commands, {}); }
    QStringList commands;
    MediaCommands* forward = nullptr;
    std::function<int(const QString&)> answer;
};

class RecordingWaveOut : public WaveOut {
  public:
    int setVolume(std::uint32_t packedLevel) override {
        levels.push_back(packedLevel);
        return forward ? forward->setVolume(packedLevel) : 0;
    }
    int deviceCount() const override { return forward ? forward->deviceCount() : devices; }
    std::vector<std::uint32_t> levels;
    WaveOut* forward = nullptr;
    int devices = 1; // without a forward target: the output devices the desk sees
};

// Keeps what would have gone to paper or into a PDF, as plain text.
class RecordingPrinter : public Printer {
  public:
    bool print(const QTextDocument& document, const QString&, QWidget*) override;
    bool exportPdf(const QTextDocument& document, const QString& file) override;
    QStringList printed;
    std::vector<std::pair<QString, QString>> pdfs; // file, text
};

class FakeClock : public Clock {
  public:
    std::int64_t nowUs() override { return now; }
    void sleepUntilUs(std::int64_t deadlineUs) override { advanceTo(deadlineUs); }
    // Moves the time forward; onAdvance first hears by how much (a test renders that much audio).
    void advanceTo(std::int64_t us) {
        if (us <= now)
            return;
        if (onAdvance)
            onAdvance(us - now);
        now = us;
    }
    std::int64_t now = 1000000;
    std::function<void(std::int64_t)> onAdvance;
};

class FakeTickFactory;

// A window timer on the fake clock: it ticks when a test ticks it or moves the clock past its period.
class FakeTickSource : public TickSource {
  public:
    FakeTickSource(FakeClock& clock, std::vector<FakeTickSource*>& all) : m_clock(clock), m_all(all) {
        m_all.push_back(this);
    }
    ~FakeTickSource() override { m_all.erase(std::find(m_all.begin(), m_all.end(), this)); }
    void setInterval(int ms) override {
        m_interval = ms;
        m_due = m_clock.now + 1000LL * ms;
    }
    int interval() const override { return m_interval; }
    // One tick, delivered only while the interval is set. Like a window timer, the next one is due a period
    // from now: ticks missed while the event loop was held up come as one late tick, never replayed.
    bool tick() {
        if (m_interval <= 0 || !onTick)
            return false;
        m_due = m_clock.now + 1000LL * m_interval;
        onTick();
        return true;
    }
    std::int64_t dueUs() const { return m_due; }

  private:
    FakeClock& m_clock;
    std::vector<FakeTickSource*>& m_all;
    int m_interval = 0;
    std::int64_t m_due = 0;
};

class FakeTickFactory : public TickSourceFactory {
  public:
    explicit FakeTickFactory(FakeClock& clock) : m_clock(clock) {}
    std::unique_ptr<TickSource> create() override {
        return std::make_unique<FakeTickSource>(m_clock, created);
    }
    // Moves the clock by us, delivering every tick that falls due on the way, in time order.
    void advance(std::int64_t us) {
        const std::int64_t end = m_clock.now + us;
        for (;;) {
            FakeTickSource* next = nullptr;
            for (FakeTickSource* t : created)
                if (t->interval() > 0 && t->dueUs() <= end && (!next || t->dueUs() < next->dueUs()))
                    next = t;
            if (!next)
                break;
            m_clock.advanceTo(next->dueUs());
            next->tick();
        }
        m_clock.advanceTo(end);
    }
    // Every timer that runs ticks once, as the event loop would deliver them.
    void tickAll() {
        for (FakeTickSource* t : std::vector<FakeTickSource*>(created))
            t->tick();
    }
    std::vector<FakeTickSource*> created; // the sources that exist, in the order they were made

  private:
    FakeClock& m_clock;
};

#include <QTextDocument>
inline bool RecordingPrinter::print(const QTextDocument& document, const QString&, QWidget*) {
    printed << document.toPlainText();
    return true;
}
inline bool RecordingPrinter::exportPdf(const QTextDocument& document, const QString& file) {
    pdfs.emplace_back(file, document.toPlainText());
    return true;
}
