// SPDX-License-Identifier: GPL-3.0-or-later
// Page 3's fields: limits, no line breaks, and clearing the initial text once.
#include "details_page.h"

#include "common/maker_web.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace vandrel {

namespace {

// A theme line can never hold a line break: typed, pasted or dropped CR and LF are dropped.
class NoLineBreaks final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        for (qsizetype i = input.size() - 1; i >= 0; --i) {
            if (input[i] == QLatin1Char('\r') || input[i] == QLatin1Char('\n')) {
                input.remove(i, 1);
                if (i < pos)
                    --pos;
            }
        }
        return Acceptable;
    }
};

} // namespace

DetailsPage::DetailsPage(QWidget *parent)
    : WizardPage(QStringLiteral("Form3"), 3, parent)
{
    const struct
    {
        const char *name;
        QString prompt;
        QString initial;
        int maxLength;
    } fields[] = {
        {"themename", tr("Enter the name of your theme:"), QStringLiteral("My Theme"),
         kThemeNameLength},
        {"namename", tr("Enter your name:"), QStringLiteral("Lor Pennick"), kAuthorLength},
        {"sitename", tr("Enter your e-mail address or your website:"), common::web::homePage(),
         kSiteLength},
    };
    auto *validator = new NoLineBreaks(this);
    for (size_t i = 0; i < m_fields.size(); ++i) {
        addText(fields[i].prompt);
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(fields[i].name));
        edit->setMaxLength(fields[i].maxLength);
        edit->setValidator(validator);
        edit->setText(fields[i].initial);
        edit->installEventFilter(this);
        body()->addWidget(edit);
        m_fields[i] = edit;
        m_clear[i].initial = edit->text();
    }
    body()->addStretch();
    addText(tr("Click Next to continue."));

    setTabOrder(nextButton(), backButton());
    setTabOrder(backButton(), cancelButton());
    setTabOrder(cancelButton(), m_fields[0]);
    setTabOrder(m_fields[0], m_fields[1]);
    setTabOrder(m_fields[1], m_fields[2]);
    nextButton()->setFocus();
}

bool DetailsPage::eventFilter(QObject *watched, QEvent *event)
{
    bool applies = event->type() == QEvent::MouseButtonPress;
    if (event->type() == QEvent::FocusIn) {
        // Coming back to the window or from a context menu is not the user going into the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        applies = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    }
    if (applies) {
        for (size_t i = 0; i < m_fields.size(); ++i) {
            if (watched != m_fields[i])
                continue;
            const QString text = m_fields[i]->text();
            const QString now = m_clear[i].apply(text);
            if (now != text)
                m_fields[i]->setText(now);
        }
    }
    return WizardPage::eventFilter(watched, event);
}

} // namespace vandrel
