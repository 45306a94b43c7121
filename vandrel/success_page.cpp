// SPDX-License-Identifier: GPL-3.0-or-later
// Page 6's texts, its only live button and the gallery link.
#include "success_page.h"

#include "common/link_label.h"
#include "common/maker_web.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vandrel {

SuccessPage::SuccessPage(platform::Shell &shell, QWidget *parent)
    : WizardPage(QStringLiteral("Form6"), 0, parent)
{
    QLabel *heading = addText(tr("Success!"));
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    heading->setFont(big);
    addText(tr("The Vandrel built your theme."));
    addText(versionText());
    addText(tr("Press \"Quit\" to complete the wizard."));
    addText(tr("If you wish to distribute your theme, we can put it on our Theme "
               "Gallery for free!"));

    // The empty margin around the link; leaving the link into it drops the underline.
    auto *margin = new QWidget(this);
    margin->setObjectName(QStringLiteral("Label1"));
    auto *marginLayout = new QHBoxLayout(margin);
    marginLayout->setContentsMargins(6, 4, 6, 4);
    m_link = new common::LinkLabel(tr("Add theme to Theme Gallery"),
                                   QUrl(common::web::uploadPage()), &shell, margin);
    m_link->setObjectName(QStringLiteral("Label4"));
    QFont bold = m_link->font();
    bold.setBold(true);
    m_link->setFont(bold);
    marginLayout->addWidget(m_link);
    body()->addWidget(margin, 0, Qt::AlignLeft);
    body()->addStretch();

    nextButton()->setText(tr("&Quit"));
    nextButton()->setObjectName(QStringLiteral("Command2"));
    backButton()->setObjectName(QStringLiteral("Command4"));
    backButton()->setEnabled(false);
    cancelButton()->setObjectName(QStringLiteral("Command6"));
    cancelButton()->setEnabled(false);
}

} // namespace vandrel
