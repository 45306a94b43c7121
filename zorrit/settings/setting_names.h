// SPDX-License-Identifier: GPL-3.0-or-later
// Every stored value: its name under the program's key and its default, declared once.
#pragma once

#include <QString>

namespace zorrit::settings {

struct SettingKey
{
    const char *name;
    const char *defaultValue;

    // The full value path callers address it by, e.g. "HKCU\Software\ReDiroriro\Data\Theme".
    QString path() const;
    QString fallback() const { return QString::fromLatin1(defaultValue); }
};

inline constexpr const char *kDataKey = "HKCU\\Software\\ReDiroriro\\Data\\";

inline constexpr SettingKey kTheme{"Theme", "default"};
inline constexpr SettingKey kAbove{"Above", "1"};
inline constexpr SettingKey kUnder{"Under", "0"};
inline constexpr SettingKey kMove{"Move", "0"};
inline constexpr SettingKey kFast{"Fast", "1"};
inline constexpr SettingKey kBotRight{"BotRight", "1"};
inline constexpr SettingKey kBotLeft{"BotLeft", "0"};
inline constexpr SettingKey kTopRight{"TopRight", "0"};
inline constexpr SettingKey kTopLeft{"TopLeft", "0"};
inline constexpr SettingKey kTransOn{"transon", "0"};
inline constexpr SettingKey kTransSlid{"transslid", "130"};
inline constexpr SettingKey kScroll{"Scroll", "Yes"};

inline constexpr SettingKey kAllSettings[] = {kTheme,   kAbove,    kUnder,    kMove,
                                              kFast,    kBotRight, kBotLeft,  kTopRight,
                                              kTopLeft, kTransOn,  kTransSlid, kScroll};

// The theme setting's value for the built-in theme.
inline QString builtInThemeValue() { return QStringLiteral("default"); }

// Boolean conversion of a stored text: "True" and non-zero numbers are true ("1", "-1").
bool settingToBool(const QString &value);
// Text form of a boolean, as the option settings store it.
inline QString boolText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

} // namespace zorrit::settings
