// SPDX-License-Identifier: GPL-3.0-or-later
// SIGTERM, SIGINT and SIGHUP arrive on the event loop instead of ending the process.
#include "platform/end_signals.h"

#include "support/wait.h"

#include <csignal>

#include <gtest/gtest.h>

TEST(EndSignals, EachEndSignalArrivesOnTheEventLoop)
{
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        platform::EndSignals endSignals;
        QList<int> received;
        QObject::connect(&endSignals, &platform::EndSignals::received,
                         [&](int number) { received << number; });
        ASSERT_EQ(::raise(signalNumber), 0); // without the handler, the test would end here
        EXPECT_TRUE(received.isEmpty());     // nothing runs inside the handler
        EXPECT_TRUE(testsupport::waitFor([&] { return !received.isEmpty(); }));
        EXPECT_EQ(received, QList<int>{signalNumber});
    }
}
