// SPDX-License-Identifier: GPL-3.0-or-later
// Which stored option selects which trail corner: the one table start-up, the preferences' opening
// and their closing all go by.
#pragma once

#include "trail_math.h"
#include "zorrit/settings/setting_names.h"

namespace zorrit::trail {

struct CornerSetting
{
    TrailCorner corner;
    settings::SettingKey key;
};

// In the order start-up tests them: the first selected one wins.
inline constexpr CornerSetting kCornerSettings[] = {
    {TrailCorner::BotRight, settings::kBotRight},
    {TrailCorner::BotLeft, settings::kBotLeft},
    {TrailCorner::TopRight, settings::kTopRight},
    {TrailCorner::TopLeft, settings::kTopLeft},
};

} // namespace zorrit::trail
