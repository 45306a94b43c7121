// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes and the beep through Qt.
#include "dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace platform {

void QtDialogs::beep()
{
    QApplication::beep();
}

void QtDialogs::message(QWidget *parent, MessageIcon icon, const QString &title,
                        const QString &text)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    // Lets people and tests tell a message box from other windows of the same title.
    box.setWindowRole(QStringLiteral("message"));
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    switch (icon) {
    case MessageIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    box.exec();
}

void QtDialogs::exec(QDialog &dialog)
{
    dialog.exec();
}

} // namespace platform
