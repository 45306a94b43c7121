// SPDX-License-Identifier: GPL-3.0-or-later
// The rule that empties a text field's initial text the first time the user goes into it.
#pragma once

#include <QString>

namespace vandrel {

struct ClearOnce
{
    QString initial;
    bool cleared = false;

    // Called on focus or a mouse press. Returns the field's new text: empty when the field still
    // shows its initial text exactly and was never cleared, otherwise the text unchanged.
    QString apply(const QString &text)
    {
        if (cleared || text != initial)
            return text;
        cleared = true;
        return QString();
    }
};

} // namespace vandrel
