// SPDX-License-Identifier: GPL-3.0-or-later
// The wizard's six pages and the moves between them, the save on page 5, and the end.
#pragma once

#include <QObject>

#include <array>
#include <memory>

namespace platform {
class Dialogs;
class FileChooser;
class Shell;
} // namespace platform

namespace vandrel {

class WizardPage;
class DetailsPage;
class PicturePage;

// The title of the boxes after which Vandrel ends: a start-up that failed, a damaged picture.
QString criticalErrorTitle();
// The critical start-up message.
QString launchFailedText();

class Wizard final : public QObject
{
    Q_OBJECT

public:
    Wizard(platform::Dialogs &dialogs, platform::FileChooser &chooser, platform::Shell &shell,
           QObject *parent = nullptr);
    ~Wizard() override;

    // Shows page 1.
    void start();

    // Page 1..6, or null while it was never needed.
    WizardPage *page(int number) const;
    DetailsPage *detailsPage() const;
    PicturePage *picturePage() const;
    // The page on screen (1..6), 0 before the start and after the end.
    int currentPage() const { return m_current; }
    bool hasEnded() const { return m_ended; }

    // Page 5's Finish: ask where, write the theme, go on to page 6. False when the wizard stays.
    bool saveTheme();

Q_SIGNALS:
    // The program should end now; every page is hidden already.
    void ended();

private:
    WizardPage *ensurePage(int number);
    void go(int to);
    void end();

    platform::Dialogs &m_dialogs;
    platform::FileChooser &m_chooser;
    platform::Shell &m_shell;
    std::array<std::unique_ptr<WizardPage>, 6> m_pages;
    int m_current = 0;
    bool m_ended = false;
};

} // namespace vandrel
