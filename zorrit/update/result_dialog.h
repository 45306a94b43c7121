// SPDX-License-Identifier: GPL-3.0-or-later
// The three result dialogs of the update check: yesupdate, noupdate and errupdate.
#pragma once

#include "zorrit/shell/version_holder.h"

#include <QDialog>

namespace platform {
class Shell;
}

namespace zorrit::update {

class ResultDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Kind { UpdateAvailable, UpToDate, Error };

    // shell opens the installer's address from yesupdate's link; versions gives the texts.
    ResultDialog(Kind kind, const shell::VersionHolder &versions, platform::Shell &shell,
                 QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

} // namespace zorrit::update
