#include "support/Fakes.h"

int RecordingDialogs::msgBox(const QString& text, int style, const QString& title) {
    boxes.push_back({text, style, title});
    if (onBox)
        onBox();
    if (!answers.empty()) {
        const int a = answers.front();
        answers.pop_front();
        return a;
    }
    return (style & 0x0F) == 0 ? Ok : Cancel;
}

bool RecordingLauncher::start(const QString& program, const QStringList& arguments) {
    started.emplace_back(program, arguments);
    return result;
}

int RecordingMedia::send(const QString& command) {
    commands << command;
    if (answer)
        return answer(command);
    return forward ? forward->send(command) : 0;
}

QStringList RecordingMedia::takeCommands() {
    QStringList c = commands;
    commands.clear();
    return c;
}

int RecordingWaveOut::setVolume(std::uint32_t packedLevel) {
    levels.push_back(packedLevel);
    return forward ? forward->setVolume(packedLevel) : 0;
}

void FakeClock::advanceTo(std::int64_t us) {
    if (us <= now)
        return;
    if (onAdvance)
        onAdvance(us - now);
    now = us;
}

void FakeTickSource::setInterval(int ms) {
    m_interval = ms;
    m_due = m_clock->now + 1000LL * ms;
}

bool FakeTickSource::tick() {
    if (m_interval <= 0 || !onTick)
        return false;
    m_due += 1000LL * m_interval;
    onTick();
    return true;
}

namespace {
// A source that tells its factory when it is gone.
class TrackedTickSource : public FakeTickSource {
  public:
    using FakeTickSource::FakeTickSource;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};
} // namespace

std::unique_ptr<TickSource> FakeTickFactory::create() {
    auto t = std::make_unique<TrackedTickSource>(&m_clock);
    created.push_back(t.get());
    m_alive.push_back(t->alive);
    return t;
}

void FakeTickFactory::advance(std::int64_t us) {
    const std::int64_t end = m_clock.now + us;
    for (;;) {
        FakeTickSource* next = nullptr;
        for (std::size_t i = 0; i < created.size(); ++i)
            if (!m_alive[i].expired() && created[i]->interval() > 0 && created[i]->dueUs() <= end &&
                (!next || created[i]->dueUs() < next->dueUs()))
                next = created[i];
        if (!next)
            break;
        m_clock.advanceTo(next->dueUs());
        next->tick();
    }
    m_clock.advanceTo(end);
}
