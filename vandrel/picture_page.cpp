// SPDX-License-Identifier: GPL-3.0-or-later
// Page 4: choosing, previewing and naming the five pictures.
#include "picture_page.h"

#include "common/picture_loader.h"
#include "common/theme_file.h"
#include "platform/dialogs.h"
#include "platform/file_chooser.h"
#include "wizard.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace vandrel {

std::vector<platform::FileFilter> pictureFilter()
{
    return {
        {PicturePage::tr("Bitmap (*.bmp)"), QStringLiteral("*.bmp")},
        {PicturePage::tr("GIF picture (*.gif)"), QStringLiteral("*.gif")},
        {PicturePage::tr("JPEG picture (*.jpg)"), QStringLiteral("*.jpg")},
        {PicturePage::tr("PNG picture (*.png)"), QStringLiteral("*.png")},
        {PicturePage::tr("All files (*.*)"), QStringLiteral("*.*")},
    };
}

QSize previewSize(QSize picture)
{
    if (picture.width() > kPreviewLimit || picture.height() > kPreviewLimit)
        return {kPreviewLimit, kPreviewLimit};
    return picture;
}

bool allSlotsDecided(const std::array<QString, kSlotCount> &captions)
{
    for (const QString &c : captions)
        if (c.isEmpty())
            return false;
    return true;
}

PicturePage::PicturePage(platform::Dialogs &dialogs, platform::FileChooser &chooser,
                         QWidget *parent)
    : WizardPage(QStringLiteral("Form4"), 4, parent)
    , m_dialogs(dialogs)
    , m_chooser(chooser)
{
    addText(tr("If you wish to use the same image for the trail, click \"Choose "
               "Global Image\". If not, you can choose individual pictures."));
    auto *global = new QPushButton(tr("Choose &global image..."), this);
    global->setObjectName(QStringLiteral("Command14"));
    body()->addWidget(global, 0, Qt::AlignLeft);
    connect(global, &QPushButton::clicked, this, &PicturePage::chooseGlobalPicture);

    auto *grid = new QGridLayout;
    grid->setColumnMinimumWidth(2, kPreviewLimit + 4);
    grid->setColumnStretch(3, 1);
    for (int k = 0; k < kSlotCount; ++k) {
        auto *pick = new QPushButton(tr("Picture &%1...").arg(k + 1), this);
        pick->setObjectName(QStringLiteral("Command%1").arg(4 + 2 * k));
        auto *none = new QPushButton(tr("No picture"), this);
        none->setObjectName(QStringLiteral("Command%1").arg(5 + 2 * k));
        auto *small = new QLabel(this);
        small->setObjectName(QStringLiteral("small%1").arg(k + 1));
        small->setFixedSize(0, 0);
        auto *the = new QLabel(this);
        the->setObjectName(QStringLiteral("the%1").arg(k + 1));
        the->setTextFormat(Qt::PlainText);
        grid->addWidget(pick, k, 0);
        grid->addWidget(none, k, 1);
        grid->addWidget(small, k, 2, Qt::AlignCenter);
        grid->addWidget(the, k, 3);
        m_small[size_t(k)] = small;
        m_the[size_t(k)] = the;
        connect(pick, &QPushButton::clicked, this, [this, k] { choosePicture(k); });
        connect(none, &QPushButton::clicked, this, [this, k] { chooseNoPicture(k); });
    }
    body()->addLayout(grid);
    body()->addStretch();
    addText(tr("Click Next to continue."));
    nextButton()->setEnabled(false);
    // Next starts disabled, so the page opens on the global button rather than on Back.
    global->setFocus();
}

std::array<QString, kSlotCount> PicturePage::captions() const
{
    return m_captions;
}

bool PicturePage::askForPicture(QImage &picture, QString &title)
{
    platform::FileChooserRequest request;
    request.owner = this;
    request.filters = pictureFilter();
    request.filterIndex = 2;
    request.flags = platform::chooser_flags::kNoChangeDir;
    const std::optional<QString> chosen = platform::chooseFile(m_chooser, request);
    if (!chosen)
        return false; // cancelled: nothing changes
    // Only the preview is ever shown: a big picture is decoded at about twice the preview's size,
    // which still gets the same square preview.
    common::PictureProblem problem = common::PictureProblem::None;
    std::optional<QImage> loaded =
        common::loadPicture(*chosen, {{}, QSize(2 * kPreviewLimit, 2 * kPreviewLimit)}, &problem);
    if (!loaded && problem == common::PictureProblem::TooLarge) {
        // A valid picture is not damaged: say so and let the user choose another, keeping the
        // wizard and everything typed so far.
        m_dialogs.message(this, platform::MessageIcon::Warning, QStringLiteral("Vandrel"),
                          tr("The picture you selected is too large. "
                             "Please choose a smaller picture."));
        return false;
    }
    if (!loaded) {
        m_dialogs.critical(this, criticalErrorTitle(),
                           tr("The picture you selected is damaged or unreadable. "
                              "The program will now quit."));
        Q_EMIT pictureDamaged();
        return false;
    }
    picture = *loaded;
    title = QFileInfo(*chosen).fileName();
    return true;
}

void PicturePage::setSlot(int slot, const QImage &picture, const QString &title)
{
    QLabel *small = m_small[size_t(slot)];
    if (picture.isNull()) {
        small->clear();
        small->setFixedSize(0, 0);
    } else {
        const QSize size = previewSize(picture.size());
        small->setFixedSize(size);
        small->setPixmap(QPixmap::fromImage(
            picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    m_captions[size_t(slot)] = title;
    m_the[size_t(slot)]->setText(title == common::noPictureText() ? tr("No picture") : title);
}

void PicturePage::choosePicture(int slot)
{
    QImage picture;
    QString title;
    if (!askForPicture(picture, title))
        return;
    setSlot(slot, picture, title);
    checkNext();
}

void PicturePage::chooseNoPicture(int slot)
{
    setSlot(slot, QImage(), common::noPictureText());
    checkNext();
}

void PicturePage::chooseGlobalPicture()
{
    QImage picture;
    QString title;
    if (!askForPicture(picture, title))
        return;
    for (int k = 0; k < kSlotCount; ++k)
        setSlot(k, picture, title);
    checkNext();
}

void PicturePage::checkNext()
{
    // Only ever enables: once every slot is decided, no slot can become undecided again.
    if (allSlotsDecided(captions()))
        nextButton()->setEnabled(true);
}

} // namespace vandrel
