#pragma once
#include "audio/AudioEngine.h"
#include "audio/EngineWaveOut.h"
#include "audio/MediaCommandInterpreter.h"
#include "platform/MediaCommands.h"
#include "platform/MediaStatus.h"
#include "platform/SoundOutputs.h"
#include "platform/WaveOut.h"

#include <functional>
#include <memory>

class Clock;
class OutputBackend;

// The hall's engine and, while one is chosen, a second engine of its own on the pre-listen device: its own
// voices, aliases, level and output thread, so nothing the editor or a pre-listen plays can reach the hall's
// mix, and its device never falls back to the default (which may be the hall). UI thread.
class DeskOutputs : public SoundOutputs {
  public:
    // Makes the pre-listen's output for a device name (SDL's in the desk; a stand-in in tests).
    using BackendFactory = std::function<std::unique_ptr<OutputBackend>(const std::string& name)>;
    using DeviceList = std::function<QStringList()>;

    DeskOutputs(AudioEngine& hallEngine, MediaCommands& hallMedia, MediaStatus& hallStatus, WaveOut& hallLevel,
                Clock& clock,
                BackendFactory prelistenBackend = {}, DeviceList devices = {});
    ~DeskOutputs() override;

    QStringList devices() override;
    void choose(const QString& hall, const QString& prelisten) override;
    QString hall() const override { return m_hall; }
    QString prelisten() const override { return m_prelistenName; }
    bool hallStandingIn() const override;
    bool prelistenMissing() const override;
    MediaCommands& editorMedia() override { return m_editorMedia; }
    MediaStatus& editorStatus() override { return m_editorMedia; }
    WaveOut& editorLevel() override { return m_editorLevel; }
    MediaCommands* prelistenMedia() override;

  private:
    struct Prelisten;
    // The editor's side: whichever of hall and pre-listen is in effect now.
    struct EditorMedia : MediaCommands, MediaStatus {
        DeskOutputs& outputs;
        explicit EditorMedia(DeskOutputs& o) : outputs(o) {}
        int send(const QString& command) override;
        Status status(const QString& alias) const override;
    };
    struct EditorLevel : WaveOut {
        DeskOutputs& outputs;
        explicit EditorLevel(DeskOutputs& o) : outputs(o) {}
        int setVolume(std::uint32_t packedLevel) override;
        int deviceCount() const override;
        void operatorActive() override;
    };

    AudioEngine& m_hallEngine;
    MediaCommands& m_hallMedia;
    MediaStatus& m_hallStatus;
    WaveOut& m_hallLevel;
    Clock& m_clock;
    BackendFactory m_backend;
    DeviceList m_devices;
    QString m_hall;
    QString m_prelistenName;
    std::unique_ptr<Prelisten> m_prelisten;
    EditorMedia m_editorMedia{*this};
    EditorLevel m_editorLevel{*this};
};
