// SPDX-License-Identifier: GPL-3.0-or-later
// Creating and dropping the preferences window with its state.
#include "prefs_window.h"

#include "platform/dialogs.h"
#include "platform/shell.h"
#include "prefs_dialog.h"
#include "prefs_holder.h"
#include "zorrit/integration/install_locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

namespace zorrit::prefs {

PrefsWindow::PrefsWindow(PrefsWindowDeps deps)
    : m_deps(std::move(deps))
{
    helpDocument = [] {
        // The current folder first, then the copy that comes with the program; with neither,
        // the current folder's name all the same, whose opening then fails quietly.
        const QString found = integration::findHelpFile();
        return found.isEmpty() ? QDir::current().filePath(QStringLiteral("Help.htm")) : found;
    };
    vandrelProgram = [] {
        return integration::vandrelProgram(QCoreApplication::applicationDirPath());
    };
}

PrefsWindow::~PrefsWindow()
{
    delete m_dialog.data();
}

void PrefsWindow::attach(PrefsModel &model)
{
    PrefsDialogActions actions;
    actions.closeDialog = [this] { m_deps.holder.unload(); };
    actions.quit = [this] { Q_EMIT quitRequested(); };
    actions.about = [this] { Q_EMIT aboutRequested(); };
    actions.help = [this] { Help(); };
    actions.launchVandrel = [this] { launchVandrel(); };
    m_dialog = new PrefsDialog(model, std::move(actions), m_deps.shell);
    model.setOwnerWindow(m_dialog);
}

void PrefsWindow::drop()
{
    if (PrefsDialog *dialog = m_dialog.data()) {
        m_dialog.clear();
        dialog->detach();
        dialog->hide();
        // It may be in the middle of one of its own handlers.
        dialog->deleteLater();
    }
}

void PrefsWindow::show()
{
    m_deps.holder.model();
    if (PrefsDialog *dialog = m_dialog.data()) {
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
    }
}

void PrefsWindow::Help()
{
    m_deps.holder.unload();
    const QString document = helpDocument ? helpDocument() : QString();
    m_deps.shell.openUrl(QUrl::fromLocalFile(document));
}

void PrefsWindow::launchVandrel()
{
    m_deps.holder.unload();
    const QString program = vandrelProgram ? vandrelProgram() : QString();
    if (!m_deps.shell.startProgram(program, {}))
        m_deps.dialogs.critical(nullptr, QStringLiteral("Zorrit - Error"), vandrelNotFoundText());
}

} // namespace zorrit::prefs
