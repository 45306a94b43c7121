// SPDX-License-Identifier: GPL-3.0-or-later
// The one-shot notice timer: 300 ms after it is started it beeps and shows the not-found dialog,
// so that the theme code that started it can finish first.
#pragma once

#include <QObject>
#include <QTimer>

namespace platform {
class Dialogs;
}

namespace zorrit::shell {

class NotFoundNotice final : public QObject
{
    Q_OBJECT

public:
    explicit NotFoundNotice(platform::Dialogs &dialogs, QObject *parent = nullptr);

    QTimer &reportTimer() { return m_timer; }
    void start() { m_timer.start(); }

private:
    void fire();

    platform::Dialogs &m_dialogs;
    QTimer m_timer;
};

} // namespace zorrit::shell
