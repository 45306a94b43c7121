// SPDX-License-Identifier: GPL-3.0-or-later
// Zorrit in German: every part finds its texts in the translation. A text filed under one name in
// the translation and asked for under another at run time stays English although translated; one
// built outside tr() stays English in every language (the welcome window is checked whole).
#include "common/translations.h"
#include "platform/fake/fake_dialogs.h"
#include "zorrit/app/zorrit_app.h"
#include "zorrit/instance/command_line.h"
#include "zorrit/pointer/gnome_pointer_source.h"
#include "zorrit/pointer/pointer_notice.h"
#include "zorrit/prefs/autostart.h"
#include "zorrit/shell/theme_not_found_dialog.h"
#include "zorrit/shell/tray_window.h"
#include "zorrit/shell/welcome_window.h"
#include "zorrit/texts/message_titles.h"
#include "zorrit/trail/translucency.h"
#include "zorrit/update/result_dialog.h"
#include "zorrit/update/transfer_status.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTranslator>

#include <gtest/gtest.h>

#include <map>

using namespace zorrit;

namespace {

void removeTranslations()
{
    for (QTranslator *translator : QCoreApplication::instance()->findChildren<QTranslator *>())
        delete translator;
    QLocale::setDefault(QLocale::system());
}

// The texts of the welcome window, by label, and its title.
std::map<QString, QString> welcomeTexts()
{
    shell::WelcomeWindow window;
    window.setAttribute(Qt::WA_DeleteOnClose, false); // on the stack here
    std::map<QString, QString> texts{{QStringLiteral("title"), window.windowTitle()}};
    for (const QLabel *label : window.findChildren<QLabel *>())
        if (!label->text().isEmpty())
            texts[label->objectName()] = label->text();
    return texts;
}

class German : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // as LANG=de_DE.UTF-8
        ASSERT_TRUE(
            common::installTranslations(*QCoreApplication::instance(), QStringLiteral("zorrit")));
    }
    void TearDown() override { removeTranslations(); }
};

TEST_F(German, EveryPartFindsItsTexts)
{
    const std::pair<QString, const char *> cases[] = {
        {errorTitle(), "Zorrit - Fehler"},
        {app::ZorritApp::alreadyRunningText(), "Zorrit läuft bereits."},
        {app::ZorritApp::notRunningText(), "Zorrit läuft nicht."},
        {instance::usageText(), "Aufruf: zorrit [THEMENDATEI]"},
        {shell::ThemeNotFoundDialog::text(), "Das gewählte Thema wurde nicht gefunden."},
        {shell::TrayWindow::noTrayHostText(), "kein Systemabschnitt der Kontrollleiste"},
        {trail::Translucency::failureText(), "Die durchscheinende Spur"},
        {pointer::otherWaylandText(), "Diese Arbeitsumgebung"},
        {pointer::gnomeExtensionText(), "aktivieren Sie Zorrits GNOME-Shell-Erweiterung"},
        {update::statusText(update::TransferStatus::CouldNotConnect), "Keine Verbindung möglich."},
        {QString::fromUtf8(prefs::autostartEntry(QStringLiteral("zorrit"))),
         "Comment[de]=Startet die Mausspur bei der Anmeldung"},
    };
    for (const auto &[text, german] : cases)
        EXPECT_TRUE(text.contains(QString::fromUtf8(german))) << text.toStdString();
}

TEST_F(German, UpdateResultSpeaksGerman)
{
    platform::FakeShell shell;
    const shell::VersionHolder versions;
    update::ResultDialog dialog(update::ResultDialog::Kind::UpToDate, versions, shell);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Bereits aktuell"));
    EXPECT_TRUE(dialog.findChild<QLabel *>(QStringLiteral("Label1"))
                    ->text()
                    .startsWith(QStringLiteral("Sie haben bereits die neueste Version")));
}

TEST(Languages, TheWelcomeWindowIsTranslatedThroughout)
{
    const std::map<QString, QString> english = welcomeTexts();
    ASSERT_EQ(english.size(), 6u); // its title and five paragraphs
    for (const QLocale::Language language : {QLocale::German, QLocale::French, QLocale::Spanish}) {
        SCOPED_TRACE(QLocale::languageToString(language).toStdString());
        QLocale::setDefault(QLocale(language));
        ASSERT_TRUE(
            common::installTranslations(*QCoreApplication::instance(), QStringLiteral("zorrit")));
        const std::map<QString, QString> translated = welcomeTexts();
        removeTranslations();
        for (const auto &[name, text] : english) {
            SCOPED_TRACE(name.toStdString());
            ASSERT_TRUE(translated.count(name));
            EXPECT_NE(translated.at(name), text);
        }
        // The paragraph about the icon begins with five blanks in every language.
        EXPECT_TRUE(translated.at(QStringLiteral("Label4")).startsWith(QStringLiteral("     ")));
        EXPECT_NE(translated.at(QStringLiteral("Label4")).at(5), QLatin1Char(' '));
    }
}

} // namespace
