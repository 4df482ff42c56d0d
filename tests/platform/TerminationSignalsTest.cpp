// SIGTERM, SIGINT and SIGHUP reach the desk as a notice on the event loop, never as work inside the handler.
#include "platform/TerminationSignals.h"

#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>

namespace {
// In a child process: a handler that ended the process itself would end a test program with status 0, unseen.
[[noreturn]] void raiseAndReport(int number) {
    TerminationSignals caught;
    QSignalSpy spy(&caught, &TerminationSignals::received);
    ::raise(number);
    // The handler has run (raise delivers at once) and nothing has ended: a running write can finish. The
    // notice comes from the event loop.
    const bool deferred = spy.count() == 0 && spy.wait(5000) && spy.at(0).at(0).toInt() == number;
    std::_Exit(deferred ? 3 : 4);
}
} // namespace

TEST(TerminationSignalsDeathTest, SignalIsToldOnTheEventLoopAndTheOldActionComesBack) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        EXPECT_EXIT(raiseAndReport(number), ::testing::ExitedWithCode(3), "") << number;
        { TerminationSignals caught; }
        struct sigaction now {};
        ::sigaction(number, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_DFL) << number;
    }
}
