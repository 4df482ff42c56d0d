// SIGTERM, SIGINT and SIGHUP reach the desk as a notice on the event loop, never as work inside the handler.
#include "platform/TerminationSignals.h"

#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>

TEST(TerminationSignalsTest, SignalIsToldOnTheEventLoopAndTheOldActionComesBack) {
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        {
            TerminationSignals signalsOfDesk;
            ASSERT_TRUE(signalsOfDesk.active());
            QSignalSpy spy(&signalsOfDesk, &TerminationSignals::received);
            ASSERT_EQ(::raise(number), 0);
            // The handler has run and returned (raise delivers at once); nothing has ended the desk yet, so a
            // write that was running when the signal came can finish.
            EXPECT_EQ(spy.count(), 0) << number;
            ASSERT_TRUE(spy.wait(5000)) << number;
            EXPECT_EQ(spy.count(), 1);
            EXPECT_EQ(spy.takeFirst().at(0).toInt(), number);
        }
        struct sigaction now {};
        ::sigaction(number, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_DFL) << number;
    }
}
