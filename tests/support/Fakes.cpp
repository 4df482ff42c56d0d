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

void FakeClock::sleepUntilUs(std::int64_t deadlineUs) {
    if (deadlineUs <= now)
        return;
    if (onSleep)
        onSleep(deadlineUs - now);
    slept += deadlineUs - now;
    now = deadlineUs;
}

bool FakeTickSource::tick() {
    if (m_interval <= 0 || !onTick)
        return false;
    onTick();
    return true;
}

std::unique_ptr<TickSource> FakeTickFactory::create() {
    auto t = std::make_unique<FakeTickSource>();
    created.push_back(t.get());
    return t;
}
