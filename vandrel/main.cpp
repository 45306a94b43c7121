// SPDX-License-Identifier: GPL-3.0-or-later
// Vandrel's start: one copy per user, then page 1 of the wizard with the real dialogs and shell.
#include "wizard.h"

#include "common/translations.h"
#include "common/version.h"
#include "platform/dialogs.h"
#include "platform/file_chooser.h"
#include "platform/instance_lock.h"
#include "platform/runtime_dir.h"
#include "platform/shell.h"
#include "platform/xinput_device_guard.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Before any event is handled: a pointer device that appears later must not end the program.
    const platform::XInputDeviceGuard xinputGuard;
    QApplication::setApplicationName(QStringLiteral("Vandrel"));
    QApplication::setApplicationVersion(common::version::display());
    common::installTranslations(app, QStringLiteral("vandrel"));
    // The wizard decides when the program ends, not the last page that goes away.
    QApplication::setQuitOnLastWindowClosed(false);

    platform::QtDialogs dialogs;
    const auto launchFailed = [&dialogs] {
        dialogs.critical(nullptr, vandrel::criticalErrorTitle(), vandrel::launchFailedText());
        return 1;
    };

    const QString runtime = platform::runtimeDir(QStringLiteral("vandrel"));
    if (runtime.isEmpty())
        return launchFailed();
    platform::InstanceLock lock(runtime + QStringLiteral("/vandrel.lock"));
    if (!lock.tryAcquire()) {
        if (lock.isHeldByAnyone())
            return 0;           // another copy is running: end without a word
        if (!lock.tryAcquire()) // the other copy may just have ended
            return launchFailed();
    }

    platform::QtFileChooser chooser;
    platform::QtShell shell;
    vandrel::Wizard wizard(dialogs, chooser, shell);
    QObject::connect(&wizard, &vandrel::Wizard::ended, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    wizard.start();
    return app.exec();
}
