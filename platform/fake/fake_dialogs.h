// SPDX-License-Identifier: GPL-3.0-or-later
// Test doubles for message boxes and the shell: they record what would have been shown or opened.
#pragma once

#include "platform/dialogs.h"
#include "platform/shell.h"

#include <QDialog>
#include <QStringList>
#include <QUrl>

#include <vector>

namespace platform {

class FakeDialogs final : public Dialogs
{
public:
    struct Shown
    {
        MessageIcon icon;
        QString title;
        QString text;
    };
    void beep() override { ++beeps; }
    void message(QWidget *, MessageIcon icon, const QString &title, const QString &text) override
    {
        shown.push_back({icon, title, text});
        if (onMessage)
            onMessage();
    }
    // Records the dialog by its name instead of running it.
    void exec(QDialog &dialog) override { dialogsRun.push_back(dialog.objectName()); }
    int beeps = 0;
    std::vector<Shown> shown;
    std::vector<QString> dialogsRun;
    std::function<void()> onMessage; // runs while the "modal box" is open
};

class FakeShell final : public Shell
{
public:
    bool openUrl(const QUrl &url) override
    {
        opened.push_back(url);
        return openResult;
    }
    bool startProgram(const QString &program, const QStringList &arguments) override
    {
        started.push_back(program);
        startedArguments.push_back(arguments);
        return startResult;
    }
    std::vector<QUrl> opened;
    std::vector<QString> started;
    std::vector<QStringList> startedArguments;
    bool openResult = true;
    bool startResult = true;
};

} // namespace platform
