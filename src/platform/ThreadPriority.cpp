#include "platform/ThreadPriority.h"

#ifdef __linux__
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <algorithm>

namespace ThreadPriority {

namespace {
// PulseAudio runs its own threads at 5; a client's output belongs just below the server that drains it.
constexpr int OutputPriority = 4;
} // namespace

long currentThread() {
#ifdef __linux__
    return static_cast<long>(syscall(SYS_gettid));
#else
    return 0;
#endif
}

bool isRealtime(long thread) {
#ifdef __linux__
    const int policy = sched_getscheduler(static_cast<pid_t>(thread)) & ~SCHED_RESET_ON_FORK;
    return policy == SCHED_FIFO || policy == SCHED_RR;
#else
    static_cast<void>(thread);
    return false;
#endif
}

void makeBackground() {
#ifdef __linux__
    sched_param param{};
    sched_setscheduler(0, SCHED_BATCH, &param);
#endif
}

bool makeRealtime(long thread) {
#ifdef __linux__
    sched_param param{};
    param.sched_priority = std::min(OutputPriority, sched_get_priority_max(SCHED_FIFO));
    // Reset on fork: a program the desk starts (the file manager) does not inherit it.
    return sched_setscheduler(static_cast<pid_t>(thread), SCHED_FIFO | SCHED_RESET_ON_FORK, &param) == 0;
#else
    static_cast<void>(thread);
    return false;
#endif
}

} // namespace ThreadPriority
