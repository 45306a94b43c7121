// SPDX-License-Identifier: GPL-3.0-or-later
// Opening, closing and the live effects of the preferences.
#include "prefs_model.h"

#include "common/maker_web.h"
#include "platform/dialogs.h"
#include "platform/file_chooser.h"
#include "zorrit/settings/settings_store.h"
#include "zorrit/texts/message_titles.h"
#include "zorrit/themes/theme_reader.h"
#include "zorrit/trail/corner_settings.h"
#include "zorrit/trail/full_screen_hiding.h"
#include "zorrit/trail/sprite_picture.h"
#include "zorrit/trail/trail_engine.h"
#include "zorrit/trail/translucency.h"

#include <algorithm>

namespace zorrit::prefs {

using namespace zorrit::settings;
using trail::TrailCorner;

namespace {

// Passes the request on and remembers whether the chooser could be shown at all: chooseFile()
// gives nothing either way, but the user must hear about a failure.
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
            m_openedValues.insert(key.path(), store.read(key));
    }
    // A check box set from a setting acts as if it had been clicked; so does a selected option.
    clickWobble(readsAsOn(kMove, store.read(kMove)));
    setOnTop(readsAsOn(kAbove, store.read(kAbove)));
    setOnDesktop(readsAsOn(kUnder, store.read(kUnder)));
    clickFastMove(readsAsOn(kFast, store.read(kFast)));
    for (const trail::CornerSetting &option : trail::kCornerSettings)
        setPositionOption(option.corner, readsAsOn(option.key, store.read(option.key)));
    clickHideOverFullScreen(readsAsOn(kHideFullScreen, store.read(kHideFullScreen)));

    m_loading = true;
    m_translucent = readsAsOn(kTransOn, store.read(kTransOn));
    const std::optional<int> level = trail::translucencyLevel(store.read(kTransSlid));
    m_visibility = std::clamp(level.value_or(kSlideMax), kSlideMin, kSlideMax);
    m_visibilityEnabled = m_translucent;
    m_loading = false;

    if (m_deps.autostart)
        m_startsWithSession = readAutostart(m_deps.autostart->folder).on();

    readThemeAtOpening();
    Q_EMIT changed();
}

void PrefsModel::close()
{
    SettingsStore &store = m_deps.store;
    const auto write = [&](const SettingKey &key, const QString &text) {
        const auto opened = m_openedValues.constFind(key.path());
        if (opened == m_openedValues.cend() || *opened != text)
            store.write(key, text);
    };
    write(kMove, storedFlag(kMove, m_wobble));
    write(kAbove, storedFlag(kAbove, m_onTop));
    write(kUnder, storedFlag(kUnder, m_onDesktop));
    write(kFast, storedFlag(kFast, m_fastMove));
    for (const trail::CornerSetting &option : trail::kCornerSettings)
        write(option.key, storedFlag(option.key, m_position == option.corner));
    write(kTransOn, storedFlag(kTransOn, m_translucent));
    write(kTransSlid, QString::number(m_visibility));
    write(kHideFullScreen, storedFlag(kHideFullScreen, m_hideOverFullScreen));
    write(kTheme, m_themePath.isEmpty() ? builtInThemeValue() : m_themePath);
}

void PrefsModel::clickWobble(bool checked)
{
    m_wobble = checked;
    m_deps.motion.wobbleOn = checked;
    m_deps.engine.wake();
    Q_EMIT changed();
}

void PrefsModel::clickFastMove(bool checked)
{
    m_fastMove = checked;
    m_deps.motion.slowdown = checked ? 1 : 2;
    m_deps.engine.wake();
    Q_EMIT changed();
}

void PrefsModel::setOnTop(bool value)
{
    m_onTop = value;
    if (value) {
        m_onDesktop = false;
        clickOnTop();
    }
}

void PrefsModel::setOnDesktop(bool value)
{
    m_onDesktop = value;
    if (value) {
        m_onTop = false;
        clickOnDesktop();
    }
}

void PrefsModel::clickOnTop()
{
    // "On top" acts at the next start, through the stored option.
    m_onTop = true;
    m_onDesktop = false;
    Q_EMIT changed();
}

void PrefsModel::clickOnDesktop()
{
    // Windows already on top stay there; they are just no longer pushed back.
    m_onDesktop = true;
    m_onTop = false;
    m_deps.motion.keepOnTop = false;
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

void PrefsModel::writeTranslucencySettings()
{
    m_deps.store.writeFlag(kTransOn, m_translucent);
    m_deps.store.write(kTransSlid, QString::number(m_visibility));
}

void PrefsModel::clickTranslucent(bool checked)
{
    m_translucent = checked;
    if (m_loading)
        return;
    const BusyScope busy(*this); // the failure box
    m_visibilityEnabled = checked;
    writeTranslucencySettings();
    Q_EMIT changed();
    m_deps.translucency.apply();
}

void PrefsModel::slideVisibility(int value)
{
    const BusyScope busy(*this); // the failure box
    m_visibility = std::clamp(value, kSlideMin, kSlideMax);
    writeTranslucencySettings();
    Q_EMIT changed();
    m_deps.translucency.apply();
}

void PrefsModel::clickHideOverFullScreen(bool checked)
{
    m_hideOverFullScreen = checked;
    if (m_deps.fullScreen)
        m_deps.fullScreen->setWanted(checked);
    Q_EMIT changed();
}

void PrefsModel::clickStartWithSession(bool checked)
{
    if (!m_deps.autostart)
        return;
    const BusyScope busy(*this); // the failure box
    if (const std::optional<QString> failed = switchAutostart(*m_deps.autostart, checked)) {
        m_deps.dialogs.critical(nullptr, zorrit::errorTitle(), autostartFailedText(*failed));
    }
    // The box shows what the folder now holds, whatever went wrong.
    m_startsWithSession = readAutostart(m_deps.autostart->folder).on();
    Q_EMIT changed();
}

void PrefsModel::translucencyFailed()
{
    m_translucent = false;
    m_visibilityEnabled = false;
    Q_EMIT changed();
}

void PrefsModel::readThemeAtOpening()
{
    const QString theme = m_deps.store.read(kTheme);
    if (theme == builtInThemeValue()) {
        m_themeName = themes::builtInThemeName();
        m_themeAuthor = common::web::creditLine();
        m_themeSite = common::web::homePage();
        return;
    }
    m_themePath = theme;
    const std::optional<themes::ThemeFile> file = themes::readThemeFile(theme);
    if (!file) {
        m_deps.store.write(kTheme, builtInThemeValue());
        m_notFound = true;
        useBuiltInTheme();
        return;
    }
    m_themeName = file->texts.name;
    m_themeAuthor = file->texts.author;
    m_themeSite = file->texts.site;
}

void PrefsModel::useBuiltInTheme()
{
    for (int k = 0; k < trail::kSpriteCount; ++k)
        m_deps.engine.window(k)->setPicture(
            trail::builtInBall(k, m_deps.engine.spriteScale().factor));
    m_deps.engine.shapeAll();
    m_themeName = themes::builtInThemeName();
    m_themeAuthor = common::web::creditLine();
    // The maker's site, as opening shows it for the built-in theme, not the last theme's site.
    m_themeSite = common::web::homePage();
    m_themePath = builtInThemeValue();
    if (m_notFound) {
        m_notFound = false;
        Q_EMIT themeNotFound();
    }
    Q_EMIT changed();
}

void PrefsModel::setThemePath(const QString &path)
{
    m_themePath = path;
    Q_EMIT changed();
}

void PrefsModel::themeFailed()
{
    m_deps.dialogs.critical(nullptr, zorrit::errorTitle(), damagedThemeText());
    m_themePath = builtInThemeValue();
    Q_EMIT changed();
}

void PrefsModel::loadChosenTheme(const QString &path)
{
    m_themePath = path;
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
        std::optional<QImage> picture = themes::loadThemePicture(
            *folder, file->pictureLines[k],
            {m_deps.engine.spriteScale().factor, m_deps.shippedThemesFolder});
        if (!picture) {
            failed = true;
            break;
        }
        m_deps.engine.window(k)->setPicture(*picture);
        m_deps.engine.shape(k);
    }
    if (failed) {
        themeFailed();
        return;
    }
    m_themeName = file->texts.name;
    m_themeAuthor = file->texts.author;
    m_themeSite = file->texts.site;
    Q_EMIT changed();
}

void PrefsModel::chooseTheme()
{
    const BusyScope busy(*this); // the open dialog and the message boxes after it
    platform::QtFileChooser qtChooser;
    WatchedChooser chooser(m_deps.fileChooser ? *m_deps.fileChooser
                                              : static_cast<platform::FileChooser &>(qtChooser));
    // The sprites are not pushed back to the top while the open dialog is on screen.
    QTimer &keepOnTop = m_deps.engine.keepOnTopTimer();
    const bool keepOnTopRan = keepOnTop.isActive();
    keepOnTop.stop();
    platform::FileChooserRequest request;
    request.owner = m_owner && m_owner->isVisible() ? m_owner.data() : nullptr;
    request.filters = themeFilter();
    request.filterIndex = 2;
    request.flags = platform::chooser_flags::kNoChangeDir;
    // A user who has not chosen a theme yet starts among the ones that come with Zorrit.
    if (m_themePath == builtInThemeValue() || m_themePath.isEmpty())
        request.initialDir = m_deps.shippedThemesFolder;
    const std::optional<QString> chosen = platform::chooseFile(chooser, request);
    if (keepOnTopRan)
        keepOnTop.start();

    if (chooser.failed) {
        m_deps.dialogs.critical(nullptr, zorrit::criticalErrorTitle(), sharedLibraryText());
        setThemePath(builtInThemeValue());
        return;
    }
    // Cancelled: the theme on screen stays the theme in use, and so does what gets stored.
    if (!chosen)
        return;
    loadChosenTheme(*chosen);
}

} // namespace zorrit::prefs
