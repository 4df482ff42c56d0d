#pragma once
// Puts the real audio engine (pull mode) behind a desk fixture's media commands and wave output level, and
// renders exactly the frames of the time the desk waits for on its fake clock, so that a ramp reaches the
// output as it would in real time. Shared by the engine-level fade tests and the fade benchmark.
#include "audio/AudioEngine.h"
#include "platform/EngineWaveOut.h"
#include "platform/MediaCommandInterpreter.h"
#include "support/DeskFixture.h"

#include <QByteArray>
#include <cmath>
#include <vector>

class EnginePullRig {
  public:
    static constexpr float ProbeLevel = 0.5f;
    static constexpr int ProbeHz = 1000; // 48 frames a cycle

    explicit EnginePullRig(DeskFixture& fx)
        : engine(fx.clock, AudioEngine::Output::Pull), media(engine), level(engine), m_fx(fx) {
        fx.media.forward = &media;
        fx.waveOut.forward = &level;
    }
    ~EnginePullRig() {
        m_fx.clock.onSleep = nullptr;
        m_fx.media.forward = nullptr;
        m_fx.waveOut.forward = nullptr;
    }
    EnginePullRig(const EnginePullRig&) = delete;
    EnginePullRig& operator=(const EnginePullRig&) = delete;

    // A 48 kHz stereo WAV: the left channel a constant ProbeLevel, so each output sample is the gain times
    // ProbeLevel; the right channel a ProbeHz sine of the same amplitude, an envelope to listen to.
    static QByteArray probeWav(double seconds) {
        const auto frames = static_cast<std::uint32_t>(seconds * AudioEngine::kSampleRate);
        QByteArray data;
        data.reserve(static_cast<int>(frames * 4));
        const auto amplitude = static_cast<qint16>(ProbeLevel * 32768.0f);
        for (std::uint32_t i = 0; i < frames; ++i) {
            const double phase = 2.0 * M_PI * ProbeHz * static_cast<double>(i) / AudioEngine::kSampleRate;
            appendLe16(data, amplitude);
            appendLe16(data, static_cast<qint16>(std::lround(amplitude * std::sin(phase))));
        }
        QByteArray wav("RIFF");
        appendLe32(wav, static_cast<std::uint32_t>(36 + data.size()));
        wav += "WAVEfmt ";
        appendLe32(wav, 16);
        appendLe16(wav, 1); // PCM
        appendLe16(wav, 2);
        appendLe32(wav, AudioEngine::kSampleRate);
        appendLe32(wav, AudioEngine::kSampleRate * 4);
        appendLe16(wav, 4);
        appendLe16(wav, 16);
        wav += "data";
        appendLe32(wav, static_cast<std::uint32_t>(data.size()));
        return wav + data;
    }

    // Test thread (standing in for the device): renders frames now and keeps them.
    void render(std::int64_t frames) {
        std::vector<float> buffer(static_cast<std::size_t>(frames) * 2);
        engine.render(buffer.data(), static_cast<int>(frames));
        for (std::int64_t i = 0; i < frames; ++i) {
            left.push_back(buffer[static_cast<std::size_t>(2 * i)]);
            right.push_back(buffer[static_cast<std::size_t>(2 * i + 1)]);
        }
    }

    // From now on every wait of the desk renders the frames of the time waited, counted from now.
    void followClock() {
        const std::int64_t origin = m_fx.clock.now;
        std::int64_t done = 0;
        m_fx.clock.onSleep = [this, origin, done](std::int64_t us) mutable {
            const std::int64_t due = (m_fx.clock.now + us - origin) * AudioEngine::kSampleRate / 1000000;
            if (due > done) {
                render(due - done);
                done = due;
            }
        };
    }
    void stopFollowing() { m_fx.clock.onSleep = nullptr; }

    // The gain each left sample got.
    double gainAt(std::size_t i) const { return left[i] / ProbeLevel; }

    std::vector<float> left;
    std::vector<float> right;
    AudioEngine engine;
    MediaCommandInterpreter media;
    EngineWaveOut level;

  private:
    static void appendLe16(QByteArray& out, qint16 v) {
        const auto u = static_cast<quint16>(v);
        out.append(static_cast<char>(u & 0xFF));
        out.append(static_cast<char>(u >> 8));
    }
    static void appendLe32(QByteArray& out, std::uint32_t v) {
        for (int b = 0; b < 4; ++b)
            out.append(static_cast<char>((v >> (8 * b)) & 0xFF));
    }

    DeskFixture& m_fx;
};
