// SPDX-License-Identifier: GPL-3.0-or-later
// The busy (hourglass) pointer for as long as an object holds it; the arrow returns on every path.
#pragma once

#include <QApplication>

namespace zorrit::update {

class BusyPointer
{
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { release(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;

    void release()
    {
        if (m_held)
            QApplication::restoreOverrideCursor();
        m_held = false;
    }

private:
    bool m_held = true;
};

} // namespace zorrit::update
