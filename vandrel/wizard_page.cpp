// SPDX-License-Identifier: GPL-3.0-or-later
// The common frame of a wizard page.
#include "wizard_page.h"

#include "common/separator.h"
#include "common/version.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace vandrel {

namespace {

constexpr QSize kPageSize(540, 400);

// The picture down the left side: a little trail of five bubbles on a blue gradient.
class SideArt final : public QWidget
{
public:
    explicit SideArt(QWidget *parent)
        : QWidget(parent)
    {
        setFixedWidth(110);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient sky(0, 0, 0, height());
        sky.setColorAt(0, QColor(40, 70, 160));
        sky.setColorAt(1, QColor(150, 190, 240));
        p.fillRect(rect(), sky);
        for (int i = 0; i < 5; ++i) {
            const qreal r = 14 - 2 * i;
            const QPointF c(30 + 12 * i, 60 + 42 * i);
            QRadialGradient ball(c - QPointF(r / 3, r / 3), r);
            ball.setColorAt(0, Qt::white);
            ball.setColorAt(1, QColor(90, 140, 230));
            p.setPen(Qt::NoPen);
            p.setBrush(ball);
            p.drawEllipse(c, r, r);
        }
    }
};

} // namespace

QString pageCaption()
{
    return WizardPage::tr("Wizard - Vandrel");
}

QString versionText()
{
    return WizardPage::tr("Version ") + common::version::display();
}

WizardPage::WizardPage(const QString &objectName, int step, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(objectName);
    setWindowRole(objectName); // lets people and tests tell the pages apart
    setWindowTitle(pageCaption());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(kPageSize);

    auto *outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(new SideArt(this));
    auto *column = new QVBoxLayout;
    column->setContentsMargins(16, 12, 16, 12);
    outer->addLayout(column, 1);

    if (step > 0) {
        auto *header = new QHBoxLayout;
        auto *heading = new QLabel(tr("Vandrel wizard"), this);
        QFont big = heading->font();
        big.setBold(true);
        big.setPointSizeF(big.pointSizeF() * 1.5);
        heading->setFont(big);
        header->addWidget(heading);
        header->addStretch();
        header->addWidget(new QLabel(versionText(), this));
        column->addLayout(header);
        column->addWidget(common::makeSeparator(this));
    }

    m_body = new QVBoxLayout;
    m_body->setSpacing(8);
    column->addLayout(m_body, 1);

    if (step > 0) {
        auto *stepLabel = new QLabel(tr("Step %1 out of 5").arg(step), this);
        stepLabel->setObjectName(QStringLiteral("stepLabel"));
        column->addWidget(stepLabel);
    }
    column->addWidget(common::makeSeparator(this));

    m_back = new QPushButton(tr("< &Back"), this);
    m_back->setObjectName(QStringLiteral("Command3"));
    m_next = new QPushButton(tr("&Next >"), this);
    m_next->setObjectName(QStringLiteral("Command2"));
    m_cancel = new QPushButton(tr("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Command1"));
    m_next->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_back);
    buttons->addWidget(m_next);
    buttons->addSpacing(10);
    buttons->addWidget(m_cancel);
    column->addLayout(buttons);

    setTabOrder(m_next, m_back);
    setTabOrder(m_back, m_cancel);
    m_next->setFocus();
}

QLabel *WizardPage::addText(const QString &text)
{
    auto *label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    m_body->addWidget(label);
    return label;
}

void WizardPage::addStretch()
{
    m_body->addStretch(1);
}

void WizardPage::closeEvent(QCloseEvent *event)
{
    event->accept();
    Q_EMIT closeRequested();
}

void WizardPage::reject()
{
    if (m_cancel->isVisible() && m_cancel->isEnabled())
        m_cancel->click();
}

} // namespace vandrel
