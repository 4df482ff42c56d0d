#pragma once
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

class TickSource;
class TickSourceFactory;

// The editor's own stopwatch: the whole seconds a title has played since its sound button, held while paused,
// back to zero at Stop or Reset. Its count lives in the hidden text Titel, which is what everyone reads.
// Everything here runs on the UI thread; ticks arrive between handlers, also while the editor is hidden.
class TitleStopwatch {
  public:
    static constexpr int IntervalMs = 1000;
    // The 16-bit count cannot go past this; it stays there and the editor goes on working.
    static constexpr std::int16_t MaxCount = 32767;

    // onCount runs after every tick, once the new count is in Titel (the editor rewrites its status line).
    TitleStopwatch(TickSourceFactory& ticks, std::function<void()> onCount);
    ~TitleStopwatch();
    TitleStopwatch(const TitleStopwatch&) = delete;
    TitleStopwatch& operator=(const TitleStopwatch&) = delete;

    // The hidden buttons "Start", "Pause" and "Stop", only ever run from code.
    void cmd_Titelstart_Click();
    void cmd_Titelpause_Click();
    void cmd_Titelstop_Click();
    void Timer4_Timer();

    const QString& Titel() const { return m_titel; }
    // The number in Titel, as the save turns it into milliseconds.
    int seconds() const;

  private:
    std::unique_ptr<TickSource> Timer4;
    std::function<void()> m_onCount;
    std::int16_t m_count = 0;
    QString m_titel = QStringLiteral("0");
};
