// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper: run the event loop until a condition holds or a generous time is up.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTest>

namespace testsupport {

template <typename Condition>
bool waitFor(Condition condition, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(10);
    }
    return true;
}

} // namespace testsupport
