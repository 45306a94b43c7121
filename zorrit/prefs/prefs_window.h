// SPDX-License-Identifier: GPL-3.0-or-later
// The preferences dialog's window follows the preferences state: created when the state is
// loaded, gone when it is unloaded; and the dialog's buttons that reach beyond it.
#pragma once

#include "prefs_dialog.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace platform {
class Dialogs;
class Shell;
} // namespace platform

namespace zorrit::prefs {

class PrefsHolder;

// Where the help page and the wizard are found beside the running program, looked for each time
// they are asked for.
QString installedHelpDocument();
QString installedVandrelProgram();

struct PrefsWindowDeps
{
    PrefsHolder &holder;
    platform::Shell &shell;
    platform::Dialogs &dialogs;
    std::function<QString()> helpDocument = installedHelpDocument;
    std::function<QString()> vandrelProgram = installedVandrelProgram;
};

class PrefsWindow final : public QObject
{
    Q_OBJECT

public:
    explicit PrefsWindow(PrefsWindowDeps deps);
    ~PrefsWindow() override;

    // Shows the dialog (loading it first if needed) and brings it to the front.
    void show();
    // Follow the holder: a dialog for each load, none after an unload.
    void attach(PrefsModel &model);
    void drop();
    // The dialog's window while the state is loaded, shown or not.
    PrefsDialog *dialog() const { return m_dialog.data(); }

    // "&Help...": close, then open the help page.
    void showHelp();
    // "Launch the &Rezor Edividu": close, then start the wizard.
    void launchVandrel();

    static QString vandrelNotFoundText()
    {
        return tr("Sorry, but the Vandrel wasn't found. Reinstall a fresh copy of "
                  "Zorrit.");
    }

Q_SIGNALS:
    // "&Quit": the tray icon goes and the program ends, nothing saved.
    void quitRequested();
    // "&About...".
    void aboutRequested();

private:
    PrefsWindowDeps m_deps;
    QPointer<PrefsDialog> m_dialog;
};

} // namespace zorrit::prefs
