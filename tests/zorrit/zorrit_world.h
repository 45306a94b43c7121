// SPDX-License-Identifier: GPL-3.0-or-later
// A whole Zorrit on fakes for widget tests: temporary settings and runtime folders, the fake
// window system, message boxes, shell and file chooser, and an end of program that is only counted.
#pragma once

#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_file_chooser.h"
#include "platform/fake/fake_window_system.h"
#include "support/theme_fixture.h"
#include "zorrit/app/zorrit_app.h"
#include "zorrit/settings/setting_names.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace zorrit::tests {

class ZorritWorld
{
public:
    // chooserToUse: answers the open dialog instead of the world's own fake chooser; adjust:
    // changes the seams further before the program is made.
    explicit ZorritWorld(platform::FileChooser *chooserToUse = nullptr,
                         const std::function<void(app::Seams &)> &adjust = {})
    {
        app::Seams seams{
            windowSystem,       dialogs,           shell,
            settingsDir.path(), runtimeDir.path(), chooserToUse ? chooserToUse : &chooser};
        seams.endProgram = [this] { ++ended; };
        seams.autostartFolder = autostartDir.filePath(QStringLiteral("autostart"));
        if (adjust)
            adjust(seams);
        app = std::make_unique<app::ZorritApp>(std::move(seams));
        // No welcome window: the trail and the tray come up at once.
        app->store().write(settings::kScroll, QStringLiteral("No"));
    }
    ~ZorritWorld()
    {
        app.reset();
        flushDeletes();
    }

    // A plain start as far as the trail and the tray, as the copy that holds the instance lock.
    void startTrail() { app->start({}); }

    QString setting(const settings::SettingKey &key) const
    {
        return app->store().read(key.path(), QStringLiteral("<missing>"));
    }

    static void flushDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QTemporaryDir settingsDir;
    QTemporaryDir runtimeDir;
    testsupport::ThemeFolder themes;
    QTemporaryDir autostartDir;
    platform::FakeWindowSystem windowSystem;
    platform::FakeDialogs dialogs;
    platform::FakeShell shell;
    platform::FakeFileChooser chooser;
    std::unique_ptr<app::ZorritApp> app;
    int ended = 0;
};

} // namespace zorrit::tests
