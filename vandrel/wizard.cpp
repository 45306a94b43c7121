// SPDX-License-Identifier: GPL-3.0-or-later
// Page creation on first use, Back/Next with the position handed on, saving, ending.
#include "wizard.h"

#include "details_page.h"
#include "picture_page.h"
#include "success_page.h"
#include "theme_writer.h"

#include "common/link_label.h"
#include "platform/dialogs.h"
#include "platform/file_chooser.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vandrel {

namespace {

std::unique_ptr<WizardPage> textPage(const QString &name, int step, const QStringList &texts)
{
    auto page = std::make_unique<WizardPage>(name, step);
    for (const QString &t : texts)
        page->addText(t);
    return page;
}

std::unique_ptr<WizardPage> makeForm1()
{
    auto page = textPage(
        QStringLiteral("Form1"), 1,
        {WizardPage::tr("Welcome to the Vandrel wizard!"),
         WizardPage::tr("Welcome to the Vandrel! The Vandrel allows you to build Zorrit themes "
                        "easily and fast."),
         WizardPage::tr("To build your mouse trail, you can have up to 5 pictures. Pictures must "
                        "not exceed 20x20 in size and must be Bitmap, GIF or JPEG pictures."),
         WizardPage::tr("It is better to choose GIF because it is the only format supporting "
                        "transparency."),
         WizardPage::tr("Once you have all your pictures ready, click 'Next'.")});
    page->addStretch();
    page->addText(WizardPage::tr("Click Next to continue."));
    page->backButton()->setEnabled(false);
    return page;
}

std::unique_ptr<WizardPage> makeForm2()
{
    auto page = textPage(
        QStringLiteral("Form2"), 2,
        {WizardPage::tr("Now that you have all your pictures, create a folder, and place all "
                        "your pictures in it."),
         WizardPage::tr("To create a folder, right-click a blank space on the desktop, point to "
                        "\"New\" and click \"Folder\". You can choose any name for the folder "
                        "and pictures. "),
         WizardPage::tr("Once your folder is created and your pictures are inside, click "
                        "'Next'.")});
    page->addStretch();
    page->addText(WizardPage::tr("Click Next to continue."));
    return page;
}

std::unique_ptr<WizardPage> makeForm5()
{
    auto page = textPage(
        QStringLiteral("Form5"), 5,
        {WizardPage::tr("Congratulations, your theme is ready to be built!"),
         WizardPage::tr("Click 'Finish' to build your theme: the Vandrel will ask you where you "
                        "want to save it.")});
    // The bold word sits on the blanks at the start of the sentence's label.
    QLabel *sentence = page->addText(
        WizardPage::tr("                      you must save the theme in the folder where you "
                       "placed the theme's images."));
    auto *important = new QLabel(WizardPage::tr("Important:"), sentence);
    important->setObjectName(QStringLiteral("important"));
    QFont bold = important->font();
    bold.setBold(true);
    important->setFont(bold);
    important->move(0, sentence->contentsMargins().top());
    page->addStretch();
    page->addText(WizardPage::tr("Click Finish to continue."));
    page->nextButton()->setText(WizardPage::tr("&Finish >"));
    return page;
}

} // namespace

QString criticalErrorTitle()
{
    return Wizard::tr("Vandrel - Critical Error");
}

QString launchFailedText()
{
    return Wizard::tr("The Vandrel couldn't launch a library. The Vandrel is damaged, please "
                      "reinstall a copy. The program will now quit.");
}

Wizard::Wizard(platform::Dialogs &dialogs, platform::FileChooser &chooser, platform::Shell &shell,
               QObject *parent)
    : QObject(parent)
    , m_dialogs(dialogs)
    , m_chooser(chooser)
    , m_shell(shell)
{
}

Wizard::~Wizard() = default;

WizardPage *Wizard::page(int number) const
{
    return number >= 1 && number <= kPageCount ? m_pages[size_t(number - 1)].get() : nullptr;
}

DetailsPage *Wizard::detailsPage() const
{
    return static_cast<DetailsPage *>(page(3));
}

PicturePage *Wizard::picturePage() const
{
    return static_cast<PicturePage *>(page(4));
}

WizardPage *Wizard::ensurePage(int number)
{
    std::unique_ptr<WizardPage> &slot = m_pages[size_t(number - 1)];
    if (slot)
        return slot.get();
    switch (number) {
    case 1:
        slot = makeForm1();
        break;
    case 2:
        slot = makeForm2();
        break;
    case 3:
        slot = std::make_unique<DetailsPage>();
        break;
    case 4: {
        auto pictures = std::make_unique<PicturePage>(m_dialogs, m_chooser);
        connect(pictures.get(), &PicturePage::pictureDamaged, this, &Wizard::end);
        slot = std::move(pictures);
        break;
    }
    case 5:
        slot = makeForm5();
        break;
    default: {
        auto success = std::make_unique<SuccessPage>(m_shell);
        connect(success->galleryLink(), &common::LinkLabel::clicked, this, &Wizard::end);
        slot = std::move(success);
        break;
    }
    }
    WizardPage *p = slot.get();
    if (number < kPageCount) {
        connect(p->cancelButton(), &QPushButton::clicked, this, &Wizard::end);
        connect(p->backButton(), &QPushButton::clicked, this, [this, number] { go(number - 1); });
        if (number == 5)
            connect(p->nextButton(), &QPushButton::clicked, this, &Wizard::saveTheme);
        else
            connect(p->nextButton(), &QPushButton::clicked, this,
                    [this, number] { go(number + 1); });
    } else {
        connect(p->nextButton(), &QPushButton::clicked, this, &Wizard::end);
    }
    connect(p, &WizardPage::closeRequested, this, &Wizard::end);
    return p;
}

void Wizard::start()
{
    if (m_ended || m_current != 0)
        return;
    WizardPage *first = ensurePage(1);
    first->show();
    m_current = 1;
}

void Wizard::go(int to)
{
    if (m_ended || to < 1 || to > kPageCount || m_current == 0)
        return;
    WizardPage *from = page(m_current);
    WizardPage *target = ensurePage(to);
    // The next page takes the place where the user left the current one.
    target->move(from->pos());
    target->show();
    target->raise();
    target->activateWindow();
    from->hide();
    m_current = to;
}

bool Wizard::saveTheme()
{
    if (m_ended || m_current != 5)
        return false;
    WizardPage *form5 = page(5);
    platform::FileChooserRequest request;
    request.mode = platform::ChooserMode::Save;
    request.owner = form5;
    request.filters = {{tr("Zorrit Theme (*.thm)"), QStringLiteral("*.thm")}};
    const std::optional<QString> chosen = platform::chooseFile(m_chooser, request);
    if (!chosen)
        return false; // cancelled: stay on page 5

    const QString target = themeTargetPath(*chosen);
    // Never replace another theme without the user agreeing, also when the name only exists
    // once ".thm" is appended.
    const QFileInfo existing(target);
    if ((existing.exists() || existing.isSymLink()) && !m_chooser.confirmReplace(form5, target))
        return false;

    common::ThemeContent content;
    content.name = detailsPage()->themename()->text();
    content.author = detailsPage()->namename()->text();
    const std::array<QString, kSlotCount> captions = picturePage()->captions();
    std::copy(captions.begin(), captions.end(), content.pictures.begin());
    content.site = detailsPage()->sitename()->text();

    if (!saveThemeFile(target, content)) {
        m_dialogs.critical(form5, tr("Vandrel - Error"),
                           tr("Sorry, but the theme couldn't be created. Please check "
                              "that you have enough space on your hard disk."));
        return false;
    }
    go(6);
    return true;
}

void Wizard::end()
{
    if (m_ended)
        return;
    m_ended = true;
    for (const std::unique_ptr<WizardPage> &p : m_pages)
        if (p)
            p->hide();
    m_current = 0;
    Q_EMIT ended();
}

} // namespace vandrel
