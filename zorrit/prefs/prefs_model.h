// SPDX-License-Identifier: GPL-3.0-or-later
// The preferences dialog's state and behaviour, without widgets: what its controls hold, what
// opening reads, what closing writes, and the live effects on the running trail.
#pragma once

#include "zorrit/settings/setting_names.h"
#include "zorrit/trail/trail_math.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace platform {
class Dialogs;
class FileChooser;
} // namespace platform
namespace zorrit::settings {
class SettingsStore;
}
namespace zorrit::trail {
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
    // Answers the open dialog of LaunchTheme; null: Qt's own file dialog.
    platform::FileChooser *fileChooser = nullptr;
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

    // Controls, by their names.
    bool wobb() const { return m_wobb; }
    bool vroom() const { return m_vroom; }
    bool onit() const { return m_onit; }
    bool ondesktop() const { return m_ondesktop; }
    // The selected trail position; none may be selected when the settings name none.
    std::optional<trail::TrailCorner> position() const { return m_position; }
    bool transon() const { return m_transon; }
    int transslid() const { return m_transslid; }
    // transtext and the slider are enabled only while transon is ticked.
    bool transControlsEnabled() const { return m_transEnabled; }
    QString whatis() const { return m_whatis; }
    QString whatcopy() const { return m_whatcopy; }
    QString whatmail() const { return m_whatmail; }
    QString whatpath() const { return m_whatpath; }
    bool isLoading() const { return m_loading; }
    bool notFoundFlag() const { return m_notFound; }
    // True while one of the model's own steps waits in a nested event loop (the open dialog, a
    // message box); the model must not be destroyed then.
    bool busy() const { return m_busy > 0; }

    // What a click on each control does.
    void clickWobb(bool checked);
    void clickVroom(bool checked);
    void clickOnit();
    void clickOndesktop();
    void clickPosition(trail::TrailCorner corner);
    void clickTransOn(bool checked);
    // The user moved the slider.
    void slideTransSlid(int value);

    // Puts the built-in theme on the trail and into the dialog.
    void MakeMeBuilt();
    // Lets the user pick a theme file and loads it; a cancelled choice changes nothing.
    void LaunchTheme();
    // The window the open dialog belongs to while it is on screen (the dialog's own window).
    void setOwnerWindow(QWidget *window) { m_owner = window; }
    // Loads the theme file at path onto the trail (the chooser's part of picking a theme).
    void loadChosenTheme(const QString &path);
    void setWhatpath(const QString &path);

    // The translucency could not be applied: untick the box, disable its controls.
    void translucencyFailed();

    static QString themeFilter() { return QStringLiteral("Zorrit Theme (*.thm)|*.thm"); }
    static QString sharedLibraryText()
    {
        return QStringLiteral("Zorrit couldn't launch a shared library. Zorrit is damaged, please "
                              "reinstall a copy.");
    }
    static QString damagedThemeText()
    {
        return QStringLiteral("The theme you have selected is damaged or some files are missing. "
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
    void setOnit(bool value);
    void setOndesktop(bool value);
    void setPositionOption(trail::TrailCorner corner, bool value);
    void readThemeAtOpening();
    void writeTransSettings();
    void themeFailed();

    PrefsDeps m_deps;
    bool m_wobb = false;
    bool m_vroom = false;
    bool m_onit = false;
    bool m_ondesktop = false;
    std::optional<trail::TrailCorner> m_position;
    bool m_transon = false;
    int m_transslid = settings::kTransSlid.defaultNumber();
    bool m_transEnabled = false;
    QString m_whatis = QStringLiteral("Bubbles");
    QString m_whatcopy;
    QString m_whatmail;
    QString m_whatpath = QStringLiteral("default");
    bool m_loading = false;
    bool m_notFound = false;
    QHash<QString, QString> m_openedValues; // stored text of each setting when the dialog opened
    QPointer<QWidget> m_owner;
    int m_busy = 0;
};

} // namespace zorrit::prefs
