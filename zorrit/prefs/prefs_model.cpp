// SPDX-License-Identifier: GPL-3.0-or-later
// Opening, closing and the live effects of the preferences.
#include "prefs_model.h"

#include "common/common_dialog.h"
#include "common/maker_web.h"
#include "common/message_titles.h"
#include "platform/dialogs.h"
#include "platform/file_chooser.h"
#include "zorrit/settings/settings_store.h"
#include "zorrit/themes/theme_reader.h"
#include "zorrit/trail/corner_settings.h"
#include "zorrit/trail/sprite_picture.h"
#include "zorrit/trail/trail_engine.h"
#include "zorrit/trail/translucency.h"

#include <algorithm>

namespace zorrit::prefs {

using namespace zorrit::settings;
using trail::TrailCorner;

namespace {

// Passes the request on and remembers whether the chooser could be shown at all: the dialog class
// reports a failure like a cancel, but the user must hear about it.
class WatchedChooser final : public platform::FileChooser
{
public:
    explicit WatchedChooser(platform::FileChooser &inner)
        : m_inner(inner)
    {
    }
    platform::FileChooserAnswer choose(const platform::FileChooserRequest &request) override
    {
        platform::FileChooserAnswer answer = m_inner.choose(request);
        failed = answer.outcome == platform::FileChooserAnswer::Outcome::Failed;
        return answer;
    }
    bool confirmReplace(QWidget *owner, const QString &path) override
    {
        return m_inner.confirmReplace(owner, path);
    }
    bool failed = false;

private:
    platform::FileChooser &m_inner;
};

} // namespace

// Marks a step that may run a nested event loop (a chooser or a message box).
class PrefsModel::BusyScope
{
public:
    explicit BusyScope(PrefsModel &model)
        : m_model(model)
    {
        ++m_model.m_busy;
    }
    ~BusyScope()
    {
        if (--m_model.m_busy == 0)
            Q_EMIT m_model.idle();
    }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    PrefsModel &m_model;
};

PrefsModel::PrefsModel(PrefsDeps deps)
    : m_deps(std::move(deps))
{
    // The trail could not be made translucent: the box is unticked for as long as this state lives.
    connect(&m_deps.translucency, &trail::Translucency::failed, this,
            &PrefsModel::translucencyFailed);
}

void PrefsModel::open()
{
    const SettingsStore &store = m_deps.store;
    m_openedValues.clear();
    for (const SettingKey &key : kAllSettings) {
        if (key.path() != kScroll.path()) // the only setting the dialog does not hold
            m_openedValues.insert(key.path(), store.ReadSetting(key));
    }
    // A check box set from a setting acts as if it had been clicked; so does a selected option.
    clickWobb(readsAsOn(kMove, store.ReadSetting(kMove)));
    setOnit(readsAsOn(kAbove, store.ReadSetting(kAbove)));
    setOndesktop(readsAsOn(kUnder, store.ReadSetting(kUnder)));
    clickVroom(readsAsOn(kFast, store.ReadSetting(kFast)));
    for (const trail::CornerSetting &option : trail::kCornerSettings)
        setPositionOption(option.corner, readsAsOn(option.key, store.ReadSetting(option.key)));

    m_loading = true;
    m_transon = readsAsOn(kTransOn, store.ReadSetting(kTransOn));
    const std::optional<int> level = trail::translucencyLevel(store.ReadSetting(kTransSlid));
    m_transslid = std::clamp(level.value_or(kSlideMax), kSlideMin, kSlideMax);
    m_transEnabled = m_transon;
    m_loading = false;

    readThemeAtOpening();
    Q_EMIT changed();
}

void PrefsModel::close()
{
    SettingsStore &store = m_deps.store;
    const auto write = [&](const SettingKey &key, const QString &text) {
        const auto opened = m_openedValues.constFind(key.path());
        if (opened == m_openedValues.cend() || *opened != text)
            store.WriteSetting(key, text);
    };
    write(kMove, storedFlag(kMove, m_wobb));
    write(kAbove, storedFlag(kAbove, m_onit));
    write(kUnder, storedFlag(kUnder, m_ondesktop));
    write(kFast, storedFlag(kFast, m_vroom));
    for (const trail::CornerSetting &option : trail::kCornerSettings)
        write(option.key, storedFlag(option.key, m_position == option.corner));
    write(kTransOn, storedFlag(kTransOn, m_transon));
    write(kTransSlid, QString::number(m_transslid));
    write(kTheme, m_whatpath.isEmpty() ? builtInThemeValue() : m_whatpath);
}

void PrefsModel::clickWobb(bool checked)
{
    m_wobb = checked;
    m_deps.motion.WobbleOn = checked;
    m_deps.engine.wake();
    Q_EMIT changed();
}

void PrefsModel::clickVroom(bool checked)
{
    m_vroom = checked;
    m_deps.motion.SpeedFactor = checked ? 1 : 2;
    m_deps.engine.wake();
    Q_EMIT changed();
}

void PrefsModel::setOnit(bool value)
{
    m_onit = value;
    if (value) {
        m_ondesktop = false;
        clickOnit();
    }
}

void PrefsModel::setOndesktop(bool value)
{
    m_ondesktop = value;
    if (value) {
        m_onit = false;
        clickOndesktop();
    }
}

void PrefsModel::clickOnit()
{
    // "On top" acts at the next start, through the stored option.
    m_onit = true;
    m_ondesktop = false;
    Q_EMIT changed();
}

void PrefsModel::clickOndesktop()
{
    // Windows already on top stay there; they are just no longer pushed back.
    m_ondesktop = true;
    m_onit = false;
    m_deps.motion.KeepOnTop = false;
    Q_EMIT changed();
}

void PrefsModel::setPositionOption(TrailCorner corner, bool value)
{
    if (value)
        clickPosition(corner);
    else if (m_position == corner)
        m_position.reset();
}

void PrefsModel::clickPosition(TrailCorner corner)
{
    m_position = corner;
    m_deps.motion.setCorner(corner);
    m_deps.engine.wake();
    Q_EMIT changed();
}

void PrefsModel::writeTransSettings()
{
    m_deps.store.WriteFlag(kTransOn, m_transon);
    m_deps.store.WriteSetting(kTransSlid, QString::number(m_transslid));
}

void PrefsModel::clickTransOn(bool checked)
{
    m_transon = checked;
    if (m_loading)
        return;
    const BusyScope busy(*this); // the failure box
    m_transEnabled = checked;
    writeTransSettings();
    Q_EMIT changed();
    m_deps.translucency.ApplyTranslucency();
}

void PrefsModel::slideTransSlid(int value)
{
    const BusyScope busy(*this); // the failure box
    m_transslid = std::clamp(value, kSlideMin, kSlideMax);
    writeTransSettings();
    Q_EMIT changed();
    m_deps.translucency.ApplyTranslucency();
}

void PrefsModel::translucencyFailed()
{
    m_transon = false;
    m_transEnabled = false;
    Q_EMIT changed();
}

void PrefsModel::readThemeAtOpening()
{
    const QString theme = m_deps.store.ReadSetting(kTheme);
    if (theme == builtInThemeValue()) {
        m_whatis = themes::builtInThemeName();
        m_whatcopy = common::web::creditLine();
        m_whatmail = common::web::homePage();
        return;
    }
    m_whatpath = theme;
    const std::optional<themes::ThemeFile> file = themes::readThemeFile(theme);
    if (!file) {
        m_deps.store.WriteSetting(kTheme, builtInThemeValue());
        m_notFound = true;
        MakeMeBuilt();
        return;
    }
    m_whatis = file->texts.name;
    m_whatcopy = file->texts.author;
    m_whatmail = file->texts.site;
}

void PrefsModel::MakeMeBuilt()
{
    for (int k = 0; k < trail::kSpriteCount; ++k)
        m_deps.engine.window(k)->setPicture(trail::builtInBall(k));
    m_deps.engine.shapeAll();
    m_whatis = themes::builtInThemeName();
    m_whatcopy = common::web::creditLine();
    // The maker's site, as opening shows it for the built-in theme, not the last theme's site.
    m_whatmail = common::web::homePage();
    m_whatpath = builtInThemeValue();
    if (m_notFound) {
        m_notFound = false;
        Q_EMIT themeNotFound();
    }
    Q_EMIT changed();
}

void PrefsModel::setWhatpath(const QString &path)
{
    m_whatpath = path;
    Q_EMIT changed();
}

void PrefsModel::themeFailed()
{
    m_deps.dialogs.critical(nullptr, common::zorritErrorTitle(), damagedThemeText());
    m_whatpath = builtInThemeValue();
    Q_EMIT changed();
}

void PrefsModel::loadChosenTheme(const QString &path)
{
    m_whatpath = path;
    const std::optional<QString> folder = themes::themeFolder(path);
    const std::optional<themes::ThemeFile> file = themes::readThemeFile(path);
    if (!folder || !file) {
        // A file that cannot be used at all is reported, not stored for the next start to trip on.
        themeFailed();
        return;
    }
    // Pictures already replaced stay when a later one fails, but every changed window is recut so
    // none shows a new picture through an old outline.
    bool failed = false;
    for (int k = 0; k < trail::kSpriteCount && !failed; ++k) {
        std::optional<QImage> picture = themes::loadThemePicture(*folder, file->pictureLines[k]);
        if (!picture) {
            failed = true;
            break;
        }
        trail::SpriteWindow *window = m_deps.engine.window(k);
        window->setPicture(*picture);
        window->ShapeWindow(trail::KeyColour);
    }
    if (failed) {
        themeFailed();
        return;
    }
    m_whatis = file->texts.name;
    m_whatcopy = file->texts.author;
    m_whatmail = file->texts.site;
    Q_EMIT changed();
}

void PrefsModel::LaunchTheme()
{
    const BusyScope busy(*this); // the open dialog and the message boxes after it
    platform::QtFileChooser qtChooser;
    WatchedChooser chooser(m_deps.fileChooser ? *m_deps.fileChooser
                                              : static_cast<platform::FileChooser &>(qtChooser));
    // The sprites are not pushed back to the top while the open dialog is on screen.
    QTimer &keepOnTop = m_deps.engine.Timer2();
    const bool keepOnTopRan = keepOnTop.isActive();
    keepOnTop.stop();
    QString chosen;
    {
        common::CommonDialog dialog(chooser);
        dialog.setCancelError(true);
        dialog.setHwnd(m_owner && m_owner->isVisible() ? m_owner.data() : nullptr);
        dialog.setFilter(themeFilter());
        dialog.setFilterIndex(2);
        dialog.setFlags(platform::chooser_flags::kNoChangeDir);
        dialog.ShowOpen();
        chosen = dialog.FileName();
    }
    if (keepOnTopRan)
        keepOnTop.start();

    if (chooser.failed) {
        m_deps.dialogs.critical(nullptr, QStringLiteral("Zorrit - Critical Error"),
                                sharedLibraryText());
        setWhatpath(builtInThemeValue());
        return;
    }
    // Cancelled: the theme on screen stays the theme in use, and so does what gets stored.
    if (chosen.isEmpty())
        return;
    loadChosenTheme(chosen);
}

} // namespace zorrit::prefs
