#pragma once
// Puts the real audio engine (pull mode) behind a desk fixture's media commands and wave output level, and
// renders exactly the frames of the time that passes on its fake clock, so that a ramp reaches the output as
// it would in real time. Shared by the engine-level fade tests and the fade benchmark.
#include "audio/AudioEngine.h"
#include "audio/EngineWaveOut.h"
#include "audio/MediaCommandInterpreter.h"
#include "support/DeskFixture.h"

#include <QByteArray>
#include <QDataStream>
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
        m_fx.clock.onAdvance = nullptr;
        m_fx.media.forward = nullptr;
        m_fx.waveOut.forward = nullptr;
    }
    EnginePullRig(const EnginePullRig&) = delete;
    EnginePullRig& operator=(const EnginePullRig&) = delete;

    // A 48 kHz stereo WAV: the left channel a constant ProbeLevel, so each output sample is the gain times
    // ProbeLevel; the right channel a ProbeHz sine of the same amplitude, an envelope to listen to.
    static QByteArray probeWav(double seconds) {
        constexpr quint32 rate = AudioEngine::kSampleRate;
        const auto frames = static_cast<quint32>(seconds * rate);
        QByteArray wav;
        QDataStream out(&wav, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData("RIFF", 4);
        out << quint32(36 + frames * 4);
        out.writeRawData("WAVEfmt ", 8);
        out << quint32(16) << quint16(1) << quint16(2) << rate << rate * 4 << quint16(4) << quint16(16);
        out.writeRawData("data", 4);
        out << frames * 4;
        const auto amplitude = static_cast<qint16>(ProbeLevel * 32768.0f);
        for (quint32 i = 0; i < frames; ++i)
            out << amplitude
                << static_cast<qint16>(std::lround(amplitude * std::sin(2.0 * M_PI * ProbeHz * i / rate)));
        return wav;
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

    // From now on every move of the desk's clock renders the frames of the time passed, counted from now.
    void followClock() {
        const std::int64_t origin = m_fx.clock.now;
        std::int64_t done = 0;
        m_fx.clock.onAdvance = [this, origin, done](std::int64_t us) mutable {
            const std::int64_t due = (m_fx.clock.now + us - origin) * AudioEngine::kSampleRate / 1000000;
            if (due > done) {
                render(due - done);
                done = due;
            }
        };
    }
    void stopFollowing() { m_fx.clock.onAdvance = nullptr; }

    // The gain each left sample got.
    double gainAt(std::size_t i) const { return left[i] / ProbeLevel; }

    std::vector<float> left;
    std::vector<float> right;
    AudioEngine engine;
    MediaCommandInterpreter media;
    EngineWaveOut level;

  private:
    DeskFixture& m_fx;
};
