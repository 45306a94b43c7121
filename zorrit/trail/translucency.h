// SPDX-License-Identifier: GPL-3.0-or-later
// The translucent trail: every sprite window gets the same opacity from two settings.
#pragma once

#include "zorrit/trail/trail_math.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>

namespace platform {
class Dialogs;
class WindowSystem;
} // namespace platform

namespace zorrit::settings {
class SettingsStore;
}

namespace zorrit::trail {

class SpriteWindow;

// The opacity level a "transslid" text asks for: the number at its start (none: 0), rounded to
// the nearest whole number with halves going to the even neighbour. Nothing when it does not fit
// a 16-bit integer.
std::optional<int> translucencyLevel(const QString &transslid);

class Translucency final : public QObject
{
    Q_OBJECT

public:
    Translucency(settings::SettingsStore &store, platform::WindowSystem &windowSystem,
                 platform::Dialogs &dialogs, std::array<SpriteWindow *, kSpriteCount> windows);

    // Reads "transon" and "transslid" and gives all five windows the same opacity; when the
    // trail cannot be made translucent, reports it and switches the setting off.
    void apply();

    static QString failureText()
    {
        return tr("Sorry, but the translucid trail only works with a compositing window manager.");
    }

Q_SIGNALS:
    // The failure path ran (and switched the setting off); an open preferences dialog unticks
    // its box.
    void failed();

private:
    void setOpacity(double opacity);

    settings::SettingsStore &m_store;
    platform::WindowSystem &m_windowSystem;
    platform::Dialogs &m_dialogs;
    std::array<SpriteWindow *, kSpriteCount> m_windows;
};

} // namespace zorrit::trail
