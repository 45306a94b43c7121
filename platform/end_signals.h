// SPDX-License-Identifier: GPL-3.0-or-later
// SIGTERM, SIGINT and SIGHUP as a Qt signal on the event loop, so that a log-out, `kill` or a
// service manager ends the program the way its own quit command does.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace platform {

class EndSignals final : public QObject
{
    Q_OBJECT

public:
    // Takes over the three signals for as long as it lives (one object per process).
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

Q_SIGNALS:
    // On the event loop, once per signal that arrived. After the first, a repeated signal acts
    // as it would without this object: a program stuck in its ending can still be ended.
    void received(int signalNumber);

private:
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace platform
