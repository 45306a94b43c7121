// SPDX-License-Identifier: GPL-3.0-or-later
// Page 3: the theme's name, the author's name and an e-mail address or web site.
#pragma once

#include "clear_once.h"
#include "wizard_page.h"

#include <array>

class QLineEdit;

namespace vandrel {

class DetailsPage final : public WizardPage
{
    Q_OBJECT

public:
    static constexpr int kThemeNameLength = 30;
    static constexpr int kAuthorLength = 40;
    static constexpr int kSiteLength = 40;

    explicit DetailsPage(QWidget *parent = nullptr);

    QLineEdit *themename() const { return m_fields[0]; }
    QLineEdit *namename() const { return m_fields[1]; }
    QLineEdit *sitename() const { return m_fields[2]; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::array<QLineEdit *, 3> m_fields{};
    std::array<ClearOnce, 3> m_clear;
};

} // namespace vandrel
