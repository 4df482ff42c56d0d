#include "audio/DeskOutputs.h"

#include "audio/SdlOutput.h"

struct DeskOutputs::Prelisten {
    AudioEngine engine;
    MediaCommandInterpreter media{engine};
    EngineWaveOut level{engine};
    Prelisten(Clock& clock, std::unique_ptr<OutputBackend> backend) : engine(clock, std::move(backend)) {}
};

DeskOutputs::DeskOutputs(AudioEngine& hallEngine, MediaCommands& hallMedia, MediaStatus& hallStatus,
                         WaveOut& hallLevel, Clock& clock, BackendFactory prelistenBackend, DeviceList devices)
    : m_hallEngine(hallEngine), m_hallMedia(hallMedia), m_hallStatus(hallStatus), m_hallLevel(hallLevel),
      m_clock(clock),
      m_backend(std::move(prelistenBackend)), m_devices(std::move(devices)) {
    if (!m_backend)
        m_backend = [](const std::string&) { return std::make_unique<SdlOutput>(); };
    if (!m_devices)
        m_devices = [] {
            QStringList names;
            for (const std::string& n : SdlOutput::deviceNames())
                names << QString::fromStdString(n);
            return names;
        };
}

DeskOutputs::~DeskOutputs() = default;

QStringList DeskOutputs::devices() {
    return m_devices();
}

void DeskOutputs::choose(const QString& hall, const QString& prelisten) {
    if (hall != m_hall) {
        m_hall = hall;
        m_hallEngine.preferOutput(hall.toStdString(), true);
    }
    if (prelisten != m_prelistenName) {
        // What played in the headphones ends with their engine; the hall's title is never touched.
        m_prelisten.reset();
        m_prelistenName = prelisten;
        if (!prelisten.isEmpty()) {
            std::unique_ptr<OutputBackend> backend = m_backend(prelisten.toStdString());
            backend->prefer(prelisten.toStdString(), false); // never the default: it may be the hall
            m_prelisten = std::make_unique<Prelisten>(m_clock, std::move(backend));
        }
    }
}

bool DeskOutputs::hallStandingIn() const {
    return !m_hall.isEmpty() && m_hallEngine.outputStandingIn();
}

bool DeskOutputs::prelistenMissing() const {
    return m_prelisten && !m_prelisten->engine.hasDevice();
}

MediaCommands* DeskOutputs::prelistenMedia() {
    return m_prelisten ? &m_prelisten->media : nullptr;
}

int DeskOutputs::EditorMedia::send(const QString& command) {
    if (outputs.m_prelisten)
        return outputs.m_prelisten->media.send(command);
    return outputs.m_hallMedia.send(command);
}

MediaStatus::Status DeskOutputs::EditorMedia::status(const QString& alias) const {
    if (outputs.m_prelisten)
        return outputs.m_prelisten->media.status(alias);
    return outputs.m_hallStatus.status(alias);
}

int DeskOutputs::EditorLevel::setVolume(std::uint32_t packedLevel) {
    if (outputs.m_prelisten)
        return outputs.m_prelisten->level.setVolume(packedLevel);
    return outputs.m_hallLevel.setVolume(packedLevel);
}

int DeskOutputs::EditorLevel::deviceCount() const {
    if (outputs.m_prelisten)
        return outputs.m_prelisten->level.deviceCount();
    return outputs.m_hallLevel.deviceCount();
}

void DeskOutputs::EditorLevel::operatorActive() {
    outputs.m_hallLevel.operatorActive();
    if (outputs.m_prelisten)
        outputs.m_prelisten->level.operatorActive();
}
