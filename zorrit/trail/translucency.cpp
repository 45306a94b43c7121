// SPDX-License-Identifier: GPL-3.0-or-later
// Applying the trail's opacity, and the fall-back when it cannot be seen.
#include "translucency.h"

#include "platform/dialogs.h"
#include "platform/window_system.h"
#include "sprite_window.h"
#include "zorrit/settings/settings_store.h"
#include "zorrit/texts/message_titles.h"

#include <cmath>
#include <limits>

namespace zorrit::trail {

std::optional<int> translucencyLevel(const QString &transslid)
{
    // The longest leading decimal number: optional blanks, sign, digits, point, digits.
    qsizetype i = 0;
    while (i < transslid.size()
           && (transslid[i] == QLatin1Char(' ') || transslid[i] == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < transslid.size()
        && (transslid[i] == QLatin1Char('-') || transslid[i] == QLatin1Char('+')))
        ++i;
    qsizetype digits = 0;
    while (i < transslid.size() && transslid[i].isDigit() && transslid[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < transslid.size() && transslid[i] == QLatin1Char('.')) {
        ++i;
        while (i < transslid.size() && transslid[i].isDigit() && transslid[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    bool ok = false;
    const double value = transslid.mid(start, i - start).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt; // digits that do not fit a double are far outside the range too
    const double rounded = std::nearbyint(value); // the default rounding mode: halves to even
    if (rounded < std::numeric_limits<qint16>::min()
        || rounded > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return int(rounded);
}

Translucency::Translucency(settings::SettingsStore &store, platform::WindowSystem &windowSystem,
                           platform::Dialogs &dialogs,
                           std::array<SpriteWindow *, kSpriteCount> windows)
    : m_store(store)
    , m_windowSystem(windowSystem)
    , m_dialogs(dialogs)
    , m_windows(windows)
{
}

void Translucency::apply()
{
    const QString slid = m_store.read(settings::kTransSlid);
    const QString on = m_store.read(settings::kTransOn);
    const std::optional<int> level = translucencyLevel(slid);

    if (settings::isOnForm(settings::kTransOn, on)) {
        const bool possible =
            level && *level >= 0 && *level <= 255 && m_windowSystem.compositorRunning();
        if (possible) {
            setOpacity(*level / 255.0);
            return;
        }
        // Switched off, the trail is opaque at once, not only at the next change.
        setOpacity(1.0);
        m_dialogs.critical(nullptr, zorrit::errorTitle(), failureText());
        Q_EMIT failed();
        m_store.writeFlag(settings::kTransOn, false);
        return;
    }
    setOpacity(1.0);
}

void Translucency::setOpacity(double opacity)
{
    if (platform::SpriteSurfaces *surfaces = m_windowSystem.spriteSurfaces()) {
        surfaces->setOpacity(opacity);
        return;
    }
    for (SpriteWindow *window : m_windows)
        window->setWindowOpacity(opacity);
    m_windowSystem.flush();
}

} // namespace zorrit::trail
