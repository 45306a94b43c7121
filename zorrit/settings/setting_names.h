// SPDX-License-Identifier: GPL-3.0-or-later
// Every stored value: its name under the program's key, its kind and its default, declared once,
// and the stored forms of the two kinds that hold a yes or no.
#pragma once

#include <QString>

namespace zorrit::settings {

// What a value holds. A check box stores its check state as a number ("1"/"0"); an option (one of
// a group of choices) stores "True"/"False", although its default is written as "1"/"0".
enum class SettingKind { CheckBox, Option, Number, Text };

struct SettingKey
{
    const char *name;
    SettingKind kind;
    const char *defaultValue;

    // The full value path callers address it by, e.g. "HKCU\Software\ReDiroriro\Data\Theme".
    QString path() const;
    QString fallback() const { return QString::fromLatin1(defaultValue); }
    int defaultNumber() const { return fallback().toInt(); }
};

// Boolean conversion of a stored text: "True" and non-zero numbers are true ("1", "-1").
bool settingToBool(const QString &value);

// The stored form of a yes or no: "1"/"0" for a check box, "True"/"False" for an option.
inline QString storedFlag(const SettingKey &key, bool on)
{
    if (key.kind == SettingKind::Option)
        return on ? QStringLiteral("True") : QStringLiteral("False");
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// Start-up and the translucent trail compare text: only the "on" form itself is yes ("1" for a
// check box, "True" for an option), so "-1" or "True" in a check box is no.
inline bool isOnForm(const SettingKey &key, const QString &stored)
{
    return stored == storedFlag(key, true);
}

// The dialog converts: a check box is ticked when its number is not zero, an option is selected
// when its text converts to true ("True" or a non-zero number).
inline bool readsAsOn(const SettingKey &key, const QString &stored)
{
    if (key.kind == SettingKind::Option)
        return settingToBool(stored);
    return stored.toInt() != 0;
}

inline constexpr const char *kDataKey = "HKCU\\Software\\ReDiroriro\\Data\\";

// The theme setting's value for the built-in theme, also its default.
inline constexpr char kBuiltInTheme[] = "default";

// "Scroll": the welcome is due (the default, so a first start shows it) or has been shown.
inline constexpr char kWelcomeDue[] = "Yes";
inline constexpr char kWelcomeShown[] = "No";

inline constexpr SettingKey kTheme{"Theme", SettingKind::Text, kBuiltInTheme};
inline constexpr SettingKey kAbove{"Above", SettingKind::Option, "1"};
inline constexpr SettingKey kUnder{"Under", SettingKind::Option, "0"};
inline constexpr SettingKey kMove{"Move", SettingKind::CheckBox, "0"};
inline constexpr SettingKey kFast{"Fast", SettingKind::CheckBox, "1"};
inline constexpr SettingKey kBotRight{"BotRight", SettingKind::Option, "1"};
inline constexpr SettingKey kBotLeft{"BotLeft", SettingKind::Option, "0"};
inline constexpr SettingKey kTopRight{"TopRight", SettingKind::Option, "0"};
inline constexpr SettingKey kTopLeft{"TopLeft", SettingKind::Option, "0"};
inline constexpr SettingKey kTransOn{"transon", SettingKind::CheckBox, "0"};
inline constexpr SettingKey kTransSlid{"transslid", SettingKind::Number, "130"};
inline constexpr SettingKey kScroll{"Scroll", SettingKind::Text, kWelcomeDue};
// "Hide the trail over full-screen programs".
inline constexpr SettingKey kHideFullScreen{"HideFullScreen", SettingKind::CheckBox, "1"};

inline constexpr SettingKey kAllSettings[] = {
    kTheme,    kAbove,   kUnder,   kMove,      kFast,   kBotRight,      kBotLeft,
    kTopRight, kTopLeft, kTransOn, kTransSlid, kScroll, kHideFullScreen};

inline QString builtInThemeValue()
{
    return QString::fromLatin1(kBuiltInTheme);
}

} // namespace zorrit::settings
