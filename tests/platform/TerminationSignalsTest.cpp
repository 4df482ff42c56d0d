// A signal is told from the event loop with its number, never acted on inside the handler, and the old
// actions come back once nobody listens. That the desk then ends as "Beenden" does, for SIGTERM, SIGINT and
// SIGHUP, shows DeskProcessTest.
#include "platform/TerminationSignals.h"

#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>

TEST(TerminationSignals, SignalIsToldOnTheEventLoopAndTheOldActionComesBack) {
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        {
            TerminationSignals caught;
            QSignalSpy spy(&caught, &TerminationSignals::received);
            ::raise(number); // delivered at once: the handler has run, and a running write can still finish
            EXPECT_EQ(spy.count(), 0);
            ASSERT_TRUE(spy.wait(5000));
            EXPECT_EQ(spy.at(0).at(0).toInt(), number);
        }
        struct sigaction now {};
        ::sigaction(number, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_DFL) << number;
    }
}
