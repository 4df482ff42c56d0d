#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Caught[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int CaughtCount = sizeof(Caught) / sizeof(Caught[0]);

// The write end for the handler; -1 while no instance is active.
volatile sig_atomic_t writeEnd = -1;
struct sigaction previous[CaughtCount];

// Any thread, in signal context: only async-signal-safe calls. A full pipe drops the byte, which is fine:
// one pending byte is enough to end the desk.
extern "C" void onSignal(int number) {
    const int savedErrno = errno;
    const int fd = writeEnd;
    if (fd >= 0) {
        const unsigned char byte = static_cast<unsigned char>(number);
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

bool makePipe(int fds[2]) {
    if (::pipe(fds) != 0)
        return false;
    for (int i = 0; i < 2; ++i) {
        ::fcntl(fds[i], F_SETFD, FD_CLOEXEC);
        ::fcntl(fds[i], F_SETFL, ::fcntl(fds[i], F_GETFL) | O_NONBLOCK);
    }
    return true;
}

} // namespace

// UI thread.
TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (writeEnd >= 0 || !makePipe(m_pipe))
        return;
    m_notifier = new QSocketNotifier(static_cast<qintptr>(m_pipe[0]), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::drain);
    writeEnd = m_pipe[1];
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // a read or write the signal interrupts goes on instead of failing
    m_active = true;
    for (int i = 0; i < CaughtCount; ++i)
        m_active = ::sigaction(Caught[i], &action, &previous[i]) == 0 && m_active;
}

// UI thread.
TerminationSignals::~TerminationSignals() {
    if (m_pipe[1] < 0)
        return;
    for (int i = 0; i < CaughtCount; ++i)
        ::sigaction(Caught[i], &previous[i], nullptr);
    writeEnd = -1;
    delete m_notifier;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

// UI thread, from the event loop.
void TerminationSignals::drain() {
    unsigned char numbers[16];
    ssize_t n;
    while ((n = ::read(m_pipe[0], numbers, sizeof numbers)) > 0) {
        for (ssize_t i = 0; i < n; ++i)
            emit received(numbers[i]);
    }
}

#else

// Other systems end the desk through their own session messages; nothing to catch here.
TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}
TerminationSignals::~TerminationSignals() = default;
void TerminationSignals::drain() {}

#endif
