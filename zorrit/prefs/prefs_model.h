// SPDX-License-Identifier: GPL-3.0-or-later
// The preferences dialog's state and behaviour, without widgets: what its controls hold, what
// opening reads, what closing writes, and the live effects on the running trail.
#pragma once

#include "autostart.h"
#include "platform/file_chooser.h"
#include "zorrit/settings/setting_names.h"
#include "zorrit/themes/theme_reader.h"
#include "zorrit/trail/trail_math.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <vector>

namespace platform {
class Dialogs;
} // namespace platform
namespace zorrit::settings {
class SettingsStore;
}
namespace zorrit::trail {
class FullScreenHiding;
class TrailEngine;
class Translucency;
} // namespace zorrit::trail

namespace zorrit::prefs {

struct PrefsDeps
{
    settings::SettingsStore &store;
    trail::MotionSettings &motion;
    trail::TrailEngine &engine;
    trail::Translucency &translucency;
    platform::Dialogs &dialogs;
    // Answers the open dialog of chooseTheme; null: Qt's own file dialog.
    platform::FileChooser *fileChooser = nullptr;
    // Where "Start Zorrit when I log in" acts; none: the box is not offered.
    std::optional<AutostartPlace> autostart = std::nullopt;
    // Where the open dialog of chooseTheme starts while the built-in theme is in use: the themes
    // that come with Zorrit, whose pictures a larger trail draws afresh at its size. Empty: the
    // current folder.
    QString shippedThemesFolder = {};
    // What "Hide the trail over full-screen programs" acts on; none: the box only stores.
    trail::FullScreenHiding *fullScreen = nullptr;
};

class PrefsModel final : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSlideMin = 30;
    static constexpr int kSlideMax = 255;
    static constexpr int kSlideSmallStep = 1;
    static constexpr int kSlideLargeStep = 50;

    explicit PrefsModel(PrefsDeps deps);

    // Opening: every control from the settings (with the live effects a click would have), the
    // translucency box silently, then the theme in use with its fall-back to the built-in theme.
    void open();
    // Closing, for whatever reason: every setting written in the dialog's own form. A value that
    // reads the same as when the dialog opened is left as it is now stored, so that a value
    // another copy stored meanwhile (a theme handed over while this copy starts) is not undone.
    void close();

    // What the controls hold.
    bool wobble() const { return m_wobble; }
    bool fastMove() const { return m_fastMove; }
    bool onTop() const { return m_onTop; }
    bool onDesktop() const { return m_onDesktop; }
    // The selected trail position; none may be selected when the settings name none.
    std::optional<trail::TrailCorner> position() const { return m_position; }
    bool translucent() const { return m_translucent; }
    int visibility() const { return m_visibility; }
    // The "Visibility:" label and the slider are enabled only while "Translucid trail" is ticked.
    bool visibilityEnabled() const { return m_visibilityEnabled; }
    // "Hide the trail over full-screen programs".
    bool hideOverFullScreen() const { return m_hideOverFullScreen; }
    QString themeName() const { return m_themeName; }
    QString themeAuthor() const { return m_themeAuthor; }
    QString themeSite() const { return m_themeSite; }
    QString themePath() const { return m_themePath; }
    // "Start Zorrit when I log in": whether the session starts Zorrit, by Zorrit's own entry or
    // one of the user's.
    bool autostartOffered() const { return m_deps.autostart.has_value(); }
    bool startsWithSession() const { return m_startsWithSession; }
    bool isLoading() const { return m_loading; }
    bool notFoundFlag() const { return m_notFound; }
    // True while one of the model's own steps waits in a nested event loop (the open dialog, a
    // message box); the model must not be destroyed then.
    bool busy() const { return m_busy > 0; }

    // What a click on each control does.
    void clickWobble(bool checked);
    void clickFastMove(bool checked);
    void clickOnTop();
    void clickOnDesktop();
    void clickPosition(trail::TrailCorner corner);
    void clickTranslucent(bool checked);
    // The user moved the slider.
    void slideVisibility(int value);
    void clickHideOverFullScreen(bool checked);
    // Acts at once, as the translucency box does: the autostart folder is the state, so "&Quit"
    // keeps what was chosen.
    void clickStartWithSession(bool checked);

    // Puts the built-in theme on the trail and into the dialog.
    void useBuiltInTheme();
    // Lets the user pick a theme file and loads it; a cancelled choice changes nothing.
    void chooseTheme();
    // The window the open dialog belongs to while it is on screen (the dialog's own window).
    void setOwnerWindow(QWidget *window) { m_owner = window; }
    // Loads the theme file at path onto the trail (the chooser's part of picking a theme).
    void loadChosenTheme(const QString &path);
    void setThemePath(const QString &path);

    // The translucency could not be applied: untick the box, disable its controls.
    void translucencyFailed();

    static std::vector<platform::FileFilter> themeFilter()
    {
        return {{tr("Zorrit Theme (*.thm)"), QStringLiteral("*.thm")}};
    }
    static QString sharedLibraryText()
    {
        return tr("Zorrit couldn't launch a shared library. Zorrit is damaged, please "
                  "reinstall a copy.");
    }
    static QString autostartFailedText(const QString &path)
    {
        return tr("Zorrit couldn't change the programs that start when you log in. "
                  "Please check that you may write to %1.")
            .arg(path);
    }
    static QString damagedThemeText()
    {
        return tr("The theme you have selected is damaged or some files are missing. "
                  "Please install it again.");
    }

Q_SIGNALS:
    // Something the widgets show has changed.
    void changed();
    // The last step that waited in a nested event loop has come back.
    void idle();
    // The theme in use was not found and the built-in theme took its place: the user is told
    // once the theme code has finished.
    void themeNotFound();

private:
    class BusyScope;
    void setOnTop(bool value);
    void setOnDesktop(bool value);
    void setPositionOption(trail::TrailCorner corner, bool value);
    void readThemeAtOpening();
    void writeTranslucencySettings();
    void themeFailed();

    PrefsDeps m_deps;
    bool m_wobble = false;
    bool m_fastMove = false;
    bool m_onTop = false;
    bool m_onDesktop = false;
    std::optional<trail::TrailCorner> m_position;
    bool m_translucent = false;
    int m_visibility = settings::kTransSlid.defaultNumber();
    bool m_visibilityEnabled = false;
    bool m_hideOverFullScreen = true;
    QString m_themeName = themes::builtInThemeName();
    QString m_themeAuthor;
    QString m_themeSite;
    QString m_themePath = settings::builtInThemeValue();
    bool m_startsWithSession = false;
    bool m_loading = false;
    bool m_notFound = false;
    QHash<QString, QString> m_openedValues; // stored text of each setting when the dialog opened
    QPointer<QWidget> m_owner;
    int m_busy = 0;
};

} // namespace zorrit::prefs
