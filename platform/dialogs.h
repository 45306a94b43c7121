// SPDX-License-Identifier: GPL-3.0-or-later
// Seam for the beep and the modal message boxes, so logic can be tested without a screen.
#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace platform {

enum class MessageIcon { Critical, Warning, Information };

class Dialogs
{
public:
    virtual ~Dialogs() = default;

    virtual void beep() = 0;
    // A modal message box with a single OK button.
    virtual void message(QWidget *parent, MessageIcon icon, const QString &title,
                         const QString &text) = 0;
    // Runs one of the program's own dialogs modally.
    virtual void exec(QDialog &dialog) = 0;

    // The usual error report: the beep, then the box with the stop icon.
    void critical(QWidget *parent, const QString &title, const QString &text)
    {
        beep();
        message(parent, MessageIcon::Critical, title, text);
    }
};

// The real thing: QApplication::beep() and QMessageBox.
class QtDialogs final : public Dialogs
{
public:
    void beep() override;
    void message(QWidget *parent, MessageIcon icon, const QString &title,
                 const QString &text) override;
    void exec(QDialog &dialog) override;
};

} // namespace platform
