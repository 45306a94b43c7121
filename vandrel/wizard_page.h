// SPDX-License-Identifier: GPL-3.0-or-later
// One page of the wizard: its own window with the heading, the step label and the three buttons.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace vandrel {

inline constexpr int kPageCount = 6;

QString pageCaption(); // "Wizard - Vandrel"
QString versionText(); // "Version 1.2.1"

class WizardPage : public QDialog
{
    Q_OBJECT

public:
    // step 1..5 shows the wizard heading and "Step n out of 5"; 0 shows neither (the last page).
    WizardPage(const QString &objectName, int step, QWidget *parent = nullptr);

    QPushButton *backButton() const { return m_back; }
    QPushButton *nextButton() const { return m_next; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Adds a plain text paragraph to the page's body and returns it.
    QLabel *addText(const QString &text);
    // Pushes what is added after it to the bottom of the body.
    void addStretch();

Q_SIGNALS:
    // The window's close box (or the window manager) asked to close this page.
    void closeRequested();

protected:
    QVBoxLayout *body() const { return m_body; }
    void closeEvent(QCloseEvent *event) override;
    // Esc: the Cancel button, when it can be pressed.
    void reject() override;

private:
    QVBoxLayout *m_body;
    QPushButton *m_back;
    QPushButton *m_next;
    QPushButton *m_cancel;
};

} // namespace vandrel
