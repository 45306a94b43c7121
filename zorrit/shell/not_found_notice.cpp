// SPDX-License-Identifier: GPL-3.0-or-later
// The not-found notice timer.
#include "not_found_notice.h"

#include "platform/dialogs.h"
#include "theme_not_found_dialog.h"

namespace zorrit::shell {

NotFoundNotice::NotFoundNotice(platform::Dialogs &dialogs, QObject *parent)
    : QObject(parent)
    , m_dialogs(dialogs)
{
    m_timer.setInterval(300);
    connect(&m_timer, &QTimer::timeout, this, &NotFoundNotice::fire);
}

void NotFoundNotice::fire()
{
    m_timer.stop(); // fires once
    m_dialogs.beep();
    ThemeNotFoundDialog dialog;
    m_dialogs.exec(dialog);
}

} // namespace zorrit::shell
