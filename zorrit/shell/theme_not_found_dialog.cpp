// SPDX-License-Identifier: GPL-3.0-or-later
// The not-found notice's layout.
#include "theme_not_found_dialog.h"

#include "window_pictures.h"
#include "zorrit/texts/message_titles.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorrit::shell {

ThemeNotFoundDialog::ThemeNotFoundDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ahwell"));
    setWindowRole(objectName());
    setWindowTitle(zorrit::errorTitle());
    auto *layout = new QVBoxLayout(this);
    auto *row = new QHBoxLayout;
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(warningPicture());
    picture->setAlignment(Qt::AlignTop);
    auto *label = new QLabel(text(), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    row->addWidget(picture);
    row->addWidget(label, 1);
    layout->addLayout(row);
    auto *ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setMinimumWidth(360);
}

} // namespace zorrit::shell
