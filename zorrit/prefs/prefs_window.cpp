// SPDX-License-Identifier: GPL-3.0-or-later
// Creating and dropping the preferences window with its state.
#include "prefs_window.h"

#include "platform/dialogs.h"
#include "platform/shell.h"
#include "prefs_dialog.h"
#include "prefs_holder.h"
#include "zorrit/integration/install_locations.h"
#include "zorrit/texts/message_titles.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>

namespace zorrit::prefs {

QString installedHelpDocument()
{
    // The current folder first, then the copy that comes with the program; with neither, the
    // current folder's name all the same, whose opening then fails quietly.
    const QString found = integration::findHelpFile();
    return found.isEmpty() ? QDir::current().filePath(QStringLiteral("Help.htm")) : found;
}

QString installedVandrelProgram()
{
    return integration::vandrelProgram(QCoreApplication::applicationDirPath());
}

PrefsWindow::PrefsWindow(PrefsWindowDeps deps)
    : m_deps(std::move(deps))
{
}

PrefsWindow::~PrefsWindow()
{
    delete m_dialog.data();
}

void PrefsWindow::attach(PrefsModel &model)
{
    m_dialog = new PrefsDialog(model, m_deps.shell);
    PrefsHolder *holder = &m_deps.holder;
    connect(m_dialog, &PrefsDialog::closeRequested, holder, &PrefsHolder::unload);
    connect(m_dialog, &PrefsDialog::quitRequested, this, &PrefsWindow::quitRequested);
    connect(m_dialog, &PrefsDialog::aboutRequested, this, &PrefsWindow::aboutRequested);
    connect(m_dialog, &PrefsDialog::helpRequested, this, &PrefsWindow::showHelp);
    connect(m_dialog, &PrefsDialog::vandrelRequested, this, &PrefsWindow::launchVandrel);
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

void PrefsWindow::showHelp()
{
    m_deps.holder.unload();
    const QString document = m_deps.helpDocument ? m_deps.helpDocument() : QString();
    m_deps.shell.openUrl(QUrl::fromLocalFile(document));
}

void PrefsWindow::launchVandrel()
{
    m_deps.holder.unload();
    const QString program = m_deps.vandrelProgram ? m_deps.vandrelProgram() : QString();
    if (!m_deps.shell.startProgram(program, {}))
        m_deps.dialogs.critical(nullptr, zorrit::errorTitle(), vandrelNotFoundText());
}

} // namespace zorrit::prefs
