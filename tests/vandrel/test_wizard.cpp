// SPDX-License-Identifier: GPL-3.0-or-later
// The wizard's pages driven offscreen, with the file chooser, message boxes and shell faked.
#include "vandrel/details_page.h"
#include "vandrel/picture_page.h"
#include "vandrel/success_page.h"
#include "vandrel/wizard.h"

#include "common/link_label.h"
#include "common/maker_web.h"
#include "common/picture_loader.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_file_chooser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace vandrel;

namespace {

QString noPicture()
{
    return QStringLiteral("No picture");
}

class WizardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QImage small(16, 16, QImage::Format_ARGB32);
        small.fill(Qt::red);
        ASSERT_TRUE(small.save(path(QStringLiteral("ball.png"))));
        QImage wide(32, 16, QImage::Format_RGB32);
        wide.fill(Qt::blue);
        ASSERT_TRUE(wide.save(path(QStringLiteral("wide.bmp"))));
        QFile text(path(QStringLiteral("notes.gif")));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("this is no picture at all\n");
        wizard.start();
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    WizardPage *current() const { return wizard.page(wizard.currentPage()); }
    void next() { current()->nextButton()->click(); }
    void back() { current()->backButton()->click(); }

    void walkToPicturePage()
    {
        next();
        next();
        next();
        ASSERT_EQ(wizard.currentPage(), 4);
    }
    void walkToSavePage()
    {
        walkToPicturePage();
        PicturePage *pictures = wizard.picturePage();
        chooser.chooseNext(path(QStringLiteral("ball.png")));
        pictures->choosePicture(0);
        for (int k = 1; k < kSlotCount; ++k)
            pictures->chooseNoPicture(k);
        next();
        ASSERT_EQ(wizard.currentPage(), 5);
    }
    QByteArray readFile(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    platform::FakeDialogs dialogs;
    platform::FakeFileChooser chooser;
    platform::FakeShell shell;
    Wizard wizard{dialogs, chooser, shell};
};

} // namespace

TEST_F(WizardTest, PagesHaveTheirCaptionStepAndButtons)
{
    for (int n = 1; n <= kPageCount; ++n) {
        WizardPage *p = current();
        ASSERT_NE(p, nullptr);
        SCOPED_TRACE(n);
        EXPECT_EQ(p->objectName(), QStringLiteral("Form%1").arg(n));
        EXPECT_EQ(p->windowTitle(), QStringLiteral("Wizard - Vandrel"));
        EXPECT_TRUE(p->isVisible());
        // Page 4 opens with Next disabled; the focus is then elsewhere and that button acts.
        if (n == 4)
            EXPECT_NE(p->focusWidget(), p->nextButton());
        else
            EXPECT_TRUE(p->nextButton()->isDefault());
        if (n <= 5) {
            EXPECT_EQ(p->findChild<QLabel *>(QStringLiteral("stepLabel"))->text(),
                      QStringLiteral("Step %1 out of 5").arg(n));
            EXPECT_EQ(p->nextButton()->text(),
                      n == 5 ? QStringLiteral("&Finish >") : QStringLiteral("&Next >"));
            EXPECT_EQ(p->backButton()->isEnabled(), n != 1);
        }
        if (n == 4) {
            for (int k = 0; k < kSlotCount; ++k)
                wizard.picturePage()->chooseNoPicture(k);
        }
        if (n == 5) {
            chooser.chooseNext(path(QStringLiteral("t")));
            next();
        } else if (n < 6) {
            next();
        }
    }
    // Page 6: only Quit and the link act.
    WizardPage *last = current();
    EXPECT_EQ(last->nextButton()->objectName(), QStringLiteral("Command2"));
    EXPECT_EQ(last->nextButton()->text(), QStringLiteral("&Quit"));
    EXPECT_FALSE(last->findChild<QPushButton *>(QStringLiteral("Command4"))->isEnabled());
    EXPECT_FALSE(last->findChild<QPushButton *>(QStringLiteral("Command6"))->isEnabled());
    QTest::keyClick(last, Qt::Key_Escape);
    EXPECT_FALSE(wizard.hasEnded());
    QSignalSpy ended(&wizard, &Wizard::ended);
    last->nextButton()->click();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(last->isVisible());
}

TEST_F(WizardTest, BackAndNextKeepEverySlotAndHandThePositionOn)
{
    current()->move(137, 91);
    next();
    EXPECT_EQ(current()->pos(), QPoint(137, 91));
    EXPECT_FALSE(wizard.page(1)->isVisible());
    ASSERT_NE(wizard.page(1), nullptr); // hidden, not destroyed
    next();
    current()->move(300, 20);
    next();
    EXPECT_EQ(wizard.currentPage(), 4);
    EXPECT_EQ(current()->pos(), QPoint(300, 20));

    PicturePage *pictures = wizard.picturePage();
    chooser.chooseNext(path(QStringLiteral("ball.png")));
    pictures->choosePicture(2);
    for (int k : {0, 1, 3, 4})
        pictures->chooseNoPicture(k);
    ASSERT_TRUE(pictures->nextButton()->isEnabled());
    const auto before = pictures->captions();

    back();
    EXPECT_EQ(wizard.currentPage(), 3);
    wizard.detailsPage()->themename()->setText(QStringLiteral("Kept"));
    next();
    EXPECT_EQ(wizard.picturePage(), pictures);
    EXPECT_EQ(pictures->captions(), before);
    EXPECT_EQ(pictures->caption(2)->text(), QStringLiteral("ball.png"));
    EXPECT_TRUE(pictures->nextButton()->isEnabled());
    back();
    EXPECT_EQ(wizard.detailsPage()->themename()->text(), QStringLiteral("Kept"));
}

TEST_F(WizardTest, CancelEscapeAndTheCloseBoxEndAtOnceWithoutSaving)
{
    const struct
    {
        int page;
        int how; // 0 Cancel, 1 Esc, 2 close box
    } cases[] = {{1, 0}, {2, 1}, {5, 2}, {5, 0}, {3, 1}};
    for (const auto &c : cases) {
        platform::FakeDialogs d;
        platform::FakeFileChooser fc;
        platform::FakeShell sh;
        Wizard w(d, fc, sh);
        w.start();
        QSignalSpy ended(&w, &Wizard::ended);
        for (int n = 1; n < c.page; ++n) {
            if (n == 4)
                for (int k = 0; k < kSlotCount; ++k)
                    w.picturePage()->chooseNoPicture(k);
            w.page(n)->nextButton()->click();
        }
        ASSERT_EQ(w.currentPage(), c.page);
        WizardPage *p = w.page(c.page);
        if (c.how == 0)
            p->cancelButton()->click();
        else if (c.how == 1)
            QTest::keyClick(p, Qt::Key_Escape);
        else
            p->close();
        EXPECT_EQ(ended.count(), 1) << c.page << " " << c.how;
        EXPECT_TRUE(w.hasEnded());
        EXPECT_TRUE(fc.requests.empty());
        for (int n = 1; n <= kPageCount; ++n)
            EXPECT_TRUE(!w.page(n) || !w.page(n)->isVisible());
    }
}

TEST_F(WizardTest, NextCheckOnlyEnablesWhenEverySlotIsDecided)
{
    walkToPicturePage();
    PicturePage *pictures = wizard.picturePage();
    EXPECT_FALSE(pictures->nextButton()->isEnabled());
    for (int k = 0; k < kSlotCount; ++k)
        EXPECT_TRUE(pictures->caption(k)->text().isEmpty());

    chooser.chooseNext(path(QStringLiteral("ball.png")));
    pictures->choosePicture(0);
    chooser.chooseNext(path(QStringLiteral("wide.bmp")));
    pictures->findChild<QPushButton *>(QStringLiteral("Command6"))->click(); // "Picture &2..."
    pictures->chooseNoPicture(2);
    chooser.cancelNext();
    pictures->choosePicture(3); // cancelled: slot 4 stays undecided
    pictures->chooseNoPicture(4);
    EXPECT_FALSE(pictures->nextButton()->isEnabled());
    EXPECT_EQ(pictures->preview(0)->size(), QSize(16, 16)); // small pictures keep their size
    EXPECT_EQ(pictures->preview(1)->size(), QSize(20, 20)); // larger ones are boxed
    EXPECT_EQ(pictures->caption(1)->text(), QStringLiteral("wide.bmp"));

    pictures->findChild<QPushButton *>(QStringLiteral("Command11"))->click(); // slot 4 "No picture"
    EXPECT_TRUE(pictures->nextButton()->isEnabled());

    // Cancelling keeps a slot as it was; later changes never disable Next again.
    chooser.cancelNext();
    pictures->choosePicture(0);
    EXPECT_EQ(pictures->caption(0)->text(), QStringLiteral("ball.png"));
    chooser.cancelNext();
    pictures->chooseGlobalPicture();
    EXPECT_EQ(pictures->caption(2)->text(), noPicture());
    chooser.chooseNext(path(QStringLiteral("ball.png")));
    pictures->findChild<QPushButton *>(QStringLiteral("Command14"))->click();
    for (int k = 0; k < kSlotCount; ++k)
        EXPECT_EQ(pictures->caption(k)->text(), QStringLiteral("ball.png"));
    EXPECT_TRUE(pictures->nextButton()->isEnabled());
    EXPECT_TRUE(dialogs.shown.empty());

    // The picture dialog: GIF preselected, PNG after JPEG, the folder left alone.
    const platform::FileChooserRequest &r = chooser.requests.front();
    EXPECT_EQ(r.filterIndex, 2);
    EXPECT_EQ(r.flags, 8u);
    EXPECT_EQ(r.owner.data(), pictures);
    ASSERT_EQ(r.filters.size(), 5u);
    EXPECT_EQ(r.filters[1].pattern, QStringLiteral("*.gif"));
    EXPECT_EQ(r.filters[3].pattern, QStringLiteral("*.png"));
}

TEST_F(WizardTest, DamagedOrSpecialPicturesEndTheProgramWithTheMessage)
{
    const QString fifo = path(QStringLiteral("pipe.gif"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString picks[] = {path(QStringLiteral("notes.gif")), dir.path(), fifo,
                             path(QStringLiteral("missing.gif"))};
    for (const QString &pick : picks) {
        for (bool global : {false, true}) {
            platform::FakeDialogs d;
            platform::FakeFileChooser fc;
            platform::FakeShell sh;
            Wizard w(d, fc, sh);
            w.start();
            for (int n = 1; n < 4; ++n)
                w.page(n)->nextButton()->click();
            QSignalSpy ended(&w, &Wizard::ended);
            fc.chooseNext(pick);
            if (global)
                w.picturePage()->chooseGlobalPicture();
            else
                w.picturePage()->choosePicture(1);
            SCOPED_TRACE(pick.toStdString());
            ASSERT_EQ(d.shown.size(), 1u);
            EXPECT_EQ(d.beeps, 1);
            EXPECT_EQ(d.shown[0].icon, platform::MessageIcon::Critical);
            EXPECT_EQ(d.shown[0].title, QStringLiteral("Vandrel - Critical Error"));
            EXPECT_EQ(d.shown[0].text, QStringLiteral("The picture you selected is damaged or "
                                                      "unreadable. The program will now quit."));
            EXPECT_EQ(ended.count(), 1);
            EXPECT_TRUE(w.picturePage()->caption(1)->text().isEmpty());
        }
    }
}

TEST_F(WizardTest, BigPicturesAreTakenAndTooLargeOnesKeepTheWizard)
{
    // A photo-sized JPEG of several MB is a valid picture; a file beyond the size ceiling is too
    // large, which is said as such and lets the user choose again, keeping what was typed.
    QImage photo(2000, 1500, QImage::Format_RGB32);
    quint32 seed = 7;
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, (seed = seed * 1664525u + 1013904223u) | 0xff000000u);
    ASSERT_TRUE(photo.save(path(QStringLiteral("photo.jpg")), "JPEG", 95));
    ASSERT_GT(QFileInfo(path(QStringLiteral("photo.jpg"))).size(), 1024 * 1024);
    {
        QFile huge(path(QStringLiteral("huge.jpg")));
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(common::kMaxPictureBytes + 1));
    }
    next();
    next();
    wizard.detailsPage()->themename()->setText(QStringLiteral("Typed"));
    next();
    QSignalSpy ended(&wizard, &Wizard::ended);
    chooser.chooseNext(path(QStringLiteral("photo.jpg")));
    wizard.picturePage()->chooseGlobalPicture();
    EXPECT_TRUE(dialogs.shown.empty());
    for (int k = 0; k < kSlotCount; ++k) {
        EXPECT_EQ(wizard.picturePage()->caption(k)->text(), QStringLiteral("photo.jpg")) << k;
        EXPECT_EQ(wizard.picturePage()->preview(k)->size(), QSize(kPreviewLimit, kPreviewLimit));
    }

    chooser.chooseNext(path(QStringLiteral("huge.jpg")));
    wizard.picturePage()->choosePicture(2);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, platform::MessageIcon::Warning);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("too large")));
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(wizard.picturePage()->caption(2)->text(), QStringLiteral("photo.jpg"));
    EXPECT_EQ(wizard.detailsPage()->themename()->text(), QStringLiteral("Typed"));
}

TEST_F(WizardTest, DetailsFieldsClearTheirInitialTextOnce)
{
    next();
    next();
    DetailsPage *details = wizard.detailsPage();
    QLineEdit *fields[] = {details->themename(), details->namename(), details->sitename()};
    const QString initial[] = {QStringLiteral("My Theme"), QStringLiteral("Lor Pennick"),
                               common::web::homePage()};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(fields[i]->text(), initial[i]);
    EXPECT_EQ(details->focusWidget(), details->nextButton());

    // Tab order: Next, Back, Cancel, themename, namename, sitename.
    QWidget *order[] = {details->nextButton(),
                        details->backButton(),
                        details->cancelButton(),
                        fields[0],
                        fields[1],
                        fields[2]};
    for (int i = 0; i + 1 < 6; ++i) {
        QWidget *w = order[i]->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus))
            w = w->nextInFocusChain();
        EXPECT_EQ(w, order[i + 1]) << i;
    }
    details->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(details));

    // Focus clears "My Theme"; typing it back in and focusing again keeps it.
    fields[0]->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(fields[0]->text().isEmpty());
    fields[0]->setText(QStringLiteral("My Theme"));
    details->nextButton()->setFocus(Qt::TabFocusReason);
    fields[0]->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(fields[0], Qt::LeftButton);
    EXPECT_EQ(fields[0]->text(), QStringLiteral("My Theme"));

    // A changed text is left alone, and cleared later once it is the initial text again.
    fields[1]->setText(QStringLiteral("Someone"));
    QTest::mouseClick(fields[1], Qt::LeftButton);
    EXPECT_EQ(fields[1]->text(), QStringLiteral("Someone"));
    fields[1]->setText(QStringLiteral("Lor Pennick"));
    QTest::mouseClick(fields[1], Qt::RightButton);
    EXPECT_TRUE(fields[1]->text().isEmpty());

    // A mouse press clears the site once.
    QTest::mouseClick(fields[2], Qt::LeftButton);
    EXPECT_TRUE(fields[2]->text().isEmpty());
    QTest::keyClicks(fields[2], common::web::homePage());
    QTest::mouseClick(fields[2], Qt::LeftButton);
    EXPECT_EQ(fields[2]->text(), common::web::homePage());
}

TEST_F(WizardTest, DetailsFieldsHoldTheirLimitsAndNoLineBreaksAlsoWhenPasted)
{
    next();
    next();
    DetailsPage *details = wizard.detailsPage();
    const struct
    {
        QLineEdit *field;
        int limit;
    } cases[] = {{details->themename(), 30}, {details->namename(), 40}, {details->sitename(), 40}};
    for (const auto &c : cases) {
        c.field->clear();
        c.field->insert(QStringLiteral("line one\r\nline two\rthree\nfour") + QString(60, u'x'));
        EXPECT_FALSE(c.field->text().contains(QLatin1Char('\r')));
        EXPECT_FALSE(c.field->text().contains(QLatin1Char('\n')));
        EXPECT_TRUE(c.field->text().startsWith(QStringLiteral("line oneline twothree")));
        EXPECT_LE(c.field->text().size(), c.limit);
        QTest::keyClicks(c.field, QString(80, u'y'));
        EXPECT_EQ(c.field->text().size(), c.limit);
    }
}

TEST_F(WizardTest, SaveRuleTable)
{
    const struct
    {
        QString chosen;       // name in the save dialog; empty = cancel
        QString existing;     // a file that is there before
        bool replaceAnswer;   // answer to the replace question
        QString expectedFile; // the file holding the new theme afterwards; empty = none
        bool asked;
    } cases[] = {
        {QStringLiteral("dots"), {}, false, QStringLiteral("dots.thm"), false},
        {QStringLiteral("dots.thm"), {}, false, QStringLiteral("dots.thm"), false},
        {QStringLiteral("dots.THM"), {}, false, QStringLiteral("dots.THM.thm"), false},
        {QStringLiteral("dots"), QStringLiteral("dots.thm"), false, {}, true},
        {QStringLiteral("dots"), QStringLiteral("dots.thm"), true, QStringLiteral("dots.thm"),
         true},
        {QStringLiteral("dots.thm"), QStringLiteral("dots.thm"), true, QStringLiteral("dots.thm"),
         true},
        {QStringLiteral("dots.THM"), QStringLiteral("dots.THM"), false,
         QStringLiteral("dots.THM.thm"), false},
        {QString(), {}, false, {}, false},
    };
    const QByteArray expected = "My Theme\r\nLor Pennick\r\nball.png\r\nNo picture\r\nNo "
                                "picture\r\nNo picture\r\nNo picture\r\n"
                                + common::web::homePage().toUtf8() + "\r\n";
    for (const auto &c : cases) {
        QTemporaryDir out;
        platform::FakeDialogs d;
        platform::FakeFileChooser fc;
        platform::FakeShell sh;
        Wizard w(d, fc, sh);
        w.start();
        for (int n = 1; n < 4; ++n)
            w.page(n)->nextButton()->click();
        fc.chooseNext(path(QStringLiteral("ball.png")));
        w.picturePage()->choosePicture(0);
        for (int k = 1; k < kSlotCount; ++k)
            w.picturePage()->chooseNoPicture(k);
        w.page(4)->nextButton()->click();
        if (!c.existing.isEmpty()) {
            QFile old(out.filePath(c.existing));
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("old theme\r\n");
        }
        if (c.chosen.isEmpty())
            fc.cancelNext();
        else
            fc.chooseNext(out.filePath(c.chosen));
        fc.replaceAnswers.push_back(c.replaceAnswer);
        w.page(5)->nextButton()->click();

        SCOPED_TRACE(c.chosen.toStdString() + " / " + c.existing.toStdString());
        const platform::FileChooserRequest &r = fc.requests.back();
        EXPECT_EQ(r.mode, platform::ChooserMode::Save);
        EXPECT_EQ(r.filters,
                  (std::vector<platform::FileFilter>{
                      {QStringLiteral("Zorrit Theme (*.thm)"), QStringLiteral("*.thm")}}));
        EXPECT_EQ(r.flags, 0u);
        EXPECT_EQ(fc.replaceAsked.size(), c.asked ? 1u : 0u);
        EXPECT_EQ(w.currentPage(), c.expectedFile.isEmpty() ? 5 : 6);
        EXPECT_TRUE(d.shown.empty());
        QStringList files = QDir(out.path()).entryList(QDir::Files | QDir::Hidden);
        if (!c.expectedFile.isEmpty()) {
            QFile f(out.filePath(c.expectedFile));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), expected);
            files.removeOne(c.expectedFile);
        }
        for (const QString &other : files) { // anything else was there before, untouched
            EXPECT_EQ(other, c.existing);
            QFile f(out.filePath(other));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), QByteArray("old theme\r\n"));
        }
    }
}

TEST_F(WizardTest, EmptyAuthorAndLineBreaksStillGiveEightLines)
{
    next();
    next();
    DetailsPage *details = wizard.detailsPage();
    details->themename()->setText(QStringLiteral("Ünïcode ☃"));
    details->namename()->clear();
    details->sitename()->clear();
    details->sitename()->insert(QStringLiteral("a\r\nb"));
    next();
    for (int k = 0; k < kSlotCount; ++k)
        wizard.picturePage()->chooseNoPicture(k);
    next();
    chooser.chooseNext(path(QStringLiteral("x")));
    next();
    EXPECT_EQ(wizard.currentPage(), 6);
    const QByteArray bytes = readFile(QStringLiteral("x.thm"));
    EXPECT_EQ(bytes, QStringLiteral("Ünïcode ☃\r\n\r\nNo picture\r\nNo picture\r\nNo picture\r\nNo "
                                    "picture\r\nNo picture\r\nab\r\n")
                         .toUtf8());
    EXPECT_EQ(bytes.count("\r\n"), 8);
}

TEST_F(WizardTest, FailedSaveKeepsPageFiveAndTheExistingFile)
{
    walkToSavePage();
    const QByteArray before("old theme\r\n");
    QFile old(path(QStringLiteral("snow.thm")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(before);
    old.close();
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);

    // A folder that cannot be written to, then a disk that is full after a few bytes.
    chooser.chooseNext(path(QStringLiteral("no/such/folder/snow")));
    next();
    chooser.chooseNext(path(QStringLiteral("snow")));
    chooser.replaceAnswers.push_back(true);
    {
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        auto *handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit full = old;
        full.rlim_cur = 5;
        setrlimit(RLIMIT_FSIZE, &full);
        next();
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, handler);
    }

    EXPECT_EQ(wizard.currentPage(), 5);
    EXPECT_TRUE(current()->isVisible());
    ASSERT_EQ(dialogs.shown.size(), 2u);
    for (const auto &shown : dialogs.shown) {
        EXPECT_EQ(shown.title, QStringLiteral("Vandrel - Error"));
        EXPECT_EQ(shown.text,
                  QStringLiteral("Sorry, but the theme couldn't be created. Please "
                                 "check that you have enough space on your hard disk."));
        EXPECT_EQ(shown.icon, platform::MessageIcon::Critical);
    }
    EXPECT_EQ(dialogs.beeps, 2);
    EXPECT_EQ(readFile(QStringLiteral("snow.thm")), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), filesBefore);

    // The user frees some space and tries again.
    chooser.chooseNext(path(QStringLiteral("snow.thm")));
    chooser.replaceAnswers.push_back(true);
    next();
    EXPECT_EQ(wizard.currentPage(), 6);
    EXPECT_EQ(readFile(QStringLiteral("snow.thm")).count("\r\n"), 8);
}

TEST_F(WizardTest, GalleryLinkOpensTheUploadPageAndEnds)
{
    walkToSavePage();
    chooser.chooseNext(path(QStringLiteral("t")));
    next();
    ASSERT_EQ(wizard.currentPage(), 6);
    auto *last = static_cast<SuccessPage *>(current());
    common::LinkLabel *link = last->galleryLink();
    EXPECT_EQ(link->objectName(), QStringLiteral("Label4"));
    EXPECT_EQ(link->text(), QStringLiteral("Add theme to Theme Gallery"));
    QSignalSpy ended(&wizard, &Wizard::ended);
    QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], QUrl(common::web::uploadPage()));
    EXPECT_EQ(ended.count(), 1);
}
