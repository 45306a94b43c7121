// SPDX-License-Identifier: GPL-3.0-or-later
// Page 6: the theme is built; Quit, or the link to offer the theme to the gallery.
#pragma once

#include "wizard_page.h"

namespace common {
class LinkLabel;
}
namespace platform {
class Shell;
}

namespace vandrel {

class SuccessPage final : public WizardPage
{
    Q_OBJECT

public:
    explicit SuccessPage(platform::Shell &shell, QWidget *parent = nullptr);

    QPushButton *quitButton() const { return nextButton(); }
    common::LinkLabel *galleryLink() const { return m_link; }

private:
    common::LinkLabel *m_link;
};

} // namespace vandrel
