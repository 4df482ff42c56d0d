#pragma once
#include <map>
#include "audio/AudioError.h"
#include "audio/HeadCache.h"
#include "audio/Mixer.h"
#include "audio/OutputFormat.h"
#include "audio/VoiceReaper.h"
#include "audio/VoiceState.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class Clock;
class OutputBackend;
class OutputDevice;
class Voice;

// The desk's sound: open titles (voices), exact starts, pause and resume, the master gain, and one
// output (a device, the silent clock, or none at all for tests that pull the output themselves).
// Every public function is for the UI thread unless it says otherwise.
class AudioEngine {
  public:
    static constexpr int kSampleRate = OutputFormat::SampleRate;
    static constexpr int kPeriodFrames = OutputFormat::PeriodFrames;

    enum class Output {
        Device, // SDL device; the silent clock when there is none
        Pull,   // no output at all: the caller renders with render()
    };
    using VoiceId = int;

    // A start position past this (24.8 days) is refused: no title is that long, and every position
    // computation stays far from overflow even at absurd sample rates.
    static constexpr std::int64_t kMaxPositionMs = 0x7FFFFFFF;

    // clock: reads the time of first samples and paces the silent clock.
    explicit AudioEngine(Clock& clock, Output output = Output::Device);
    // Device output through the given device in place of SDL's (tests hand in a stand-in).
    AudioEngine(Clock& clock, std::unique_ptr<OutputBackend> device);
    ~AudioEngine();
    AudioEngine(const AudioEngine&) = delete;
    AudioEngine& operator=(const AudioEngine&) = delete;

    // A file with a ready head, unchanged since, is opened by its voice's own thread while the head plays.
    AudioError open(const QString& path, VoiceId& id);
    // Starts at positionMs (negative counts as 0); the first samples are ready when this returns: the
    // title's head when one is ready for this start, else decoded right here.
    AudioError playFrom(VoiceId id, std::int64_t positionMs);
    // Continues a paused or stopped voice where it was held; starts an opened one from the beginning.
    AudioError resume(VoiceId id);
    AudioError pause(VoiceId id);
    AudioError stop(VoiceId id);
    // Returns at once; the voice ends on a thread of its own.
    AudioError close(VoiceId id);

    // The title heads presses start with; filled by a HeadPreparer. Any thread.
    HeadCache& heads() { return heads_; }

    // UI thread: each title's own linear gain by path (loudness matching); a title not named plays as it is.
    // Titles open now glide to their new gain; titles opened later start with it.
    void setTitleGains(std::map<QString, float> gains);

    // Master linear gain per channel for all voices, smoothed over a few milliseconds.
    void setGain(float left, float right);

    // Queries (UI thread; the counters behind them are written by the output side).
    VoiceState state(VoiceId id) const;
    std::int64_t durationMs(VoiceId id) const;     // -1 when unknown or not open
    std::int64_t positionFrames(VoiceId id) const; // title position of the next frame out, -1 when not open
    std::int64_t firstSampleUs(VoiceId id) const;  // clock time the current start was first heard, -1 before
    std::int64_t headFrames(VoiceId id) const;     // frames of the current start served from a head

    // Pull output only (the calling thread stands in for the device): the next frames, exactly as the
    // device would get them. With a device, it fills silence and leaves the voices alone.
    void render(float* interleavedStereo, int frames);

    // Any thread: whether the sound reaches a device right now (false while the silent clock stands in).
    bool hasDevice() const;
    // True exactly once when no sound device could be opened at start-up.
    bool takeNoDeviceNotice();
    // UI thread: the operator is at the desk; a resting output opens in the background.
    void operatorActive();
    // Any thread: whether the output rests (closed while nothing plays and nobody is at the desk).
    bool outputResting() const;
    // Any thread: whether the device's render thread runs real-time.
    bool realtimeOutput() const;
    // UI thread: the output device by name from now on (empty: the default); see OutputDevice::prefer.
    void preferOutput(const std::string& name, bool fallBack);
    // Any thread: the default plays because the chosen device is missing.
    bool outputStandingIn() const;

  private:
    AudioEngine(Clock& clock, Output output, std::unique_ptr<OutputBackend> device);
    Voice* find(VoiceId id) const;
    void wakeOutput();

    const Output output_;
    HeadCache heads_;
    Mixer mixer_;
    std::array<std::unique_ptr<Voice>, Mixer::kMaxVoices> voices_;
    std::unique_ptr<OutputDevice> device_;
    std::map<QString, float> titleGains_; // UI thread
    float titleGain(const QString& path) const;
    VoiceReaper reaper_; // last: it ends the voices closed on the way out
};
