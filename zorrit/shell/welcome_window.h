// SPDX-License-Identifier: GPL-3.0-or-later
// The welcome window shown once, on a user's first start; closing it starts the trail.
#pragma once

#include <QDialog>

namespace zorrit::shell {

class WelcomeWindow final : public QDialog
{
    Q_OBJECT

public:
    explicit WelcomeWindow(QWidget *parent = nullptr);

Q_SIGNALS:
    // The window went away, by "&OK" or any other way; emitted once.
    void closed();

private:
    void finish();
    bool m_finished = false;
};

} // namespace zorrit::shell
