// SPDX-License-Identifier: GPL-3.0-or-later
// Seam for what the desktop shell does for us: open a web page or document, start a program.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace platform {

class Shell
{
public:
    virtual ~Shell() = default;
    // Opens an address or a local document with the user's preferred program (xdg-open).
    virtual bool openUrl(const QUrl &url) = 0;
    // Starts a program file detached from us; false when it could not be started.
    virtual bool startProgram(const QString &program, const QStringList &arguments = {}) = 0;
};

class QtShell final : public Shell
{
public:
    bool openUrl(const QUrl &url) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;
};

} // namespace platform
