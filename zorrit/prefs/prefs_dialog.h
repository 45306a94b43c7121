// SPDX-License-Identifier: GPL-3.0-or-later
// The preferences dialog "prefs": three pages that show the preferences model and pass the user's
// clicks on to it.
#pragma once

#include "zorrit/trail/trail_math.h"

#include <QDialog>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace platform {
class Shell;
}

namespace zorrit::prefs {

class PrefsModel;

class PrefsDialog final : public QDialog
{
    Q_OBJECT

public:
    PrefsDialog(PrefsModel &model, platform::Shell &shell, QWidget *parent = nullptr);
    ~PrefsDialog() override;

    // The state is going away: the dialog shows nothing more and acts on nothing more.
    void detach();

    // Every control from the model, without running any click action.
    void refresh();

Q_SIGNALS:
    // The buttons that reach beyond the dialog. They are heard only while the dialog shows a
    // loaded state; a detached dialog asks for nothing.
    // The dialog was closed (OK, Cancel, the close box, Escape): the usual close, which saves.
    void closeRequested();
    // "&Quit": the program ends, nothing saved.
    void quitRequested();
    void aboutRequested();
    void helpRequested();
    // "Launch the &Rezor Edividu".
    void vandrelRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override; // Escape closes like the close box

private:
    QWidget *buildGeneralPage();
    QWidget *buildSettingsPage();
    QWidget *buildSharingPage();
    QPushButton *button(const char *name, const QString &text, QWidget *parent);
    QLabel *label(const char *name, const QString &text, QWidget *parent);
    void request(void (PrefsDialog::*signal)());
    static void setCheckedInGroup(QButtonGroup *group, QAbstractButton *button, bool checked);

    PrefsModel *m_model;
    platform::Shell &m_shell;
    bool m_updating = false;

    QTabWidget *m_tabs = nullptr;
    QLabel *m_themeNameLabel = nullptr;
    QLabel *m_themeAuthorLabel = nullptr;
    QLabel *m_themeSiteLabel = nullptr;
    QLabel *m_themePathLabel = nullptr;
    QRadioButton *m_onTopOption = nullptr;
    QRadioButton *m_onDesktopOption = nullptr;
    QButtonGroup *m_drawing = nullptr;
    QRadioButton *m_corners[4] = {}; // in TrailCorner order
    QButtonGroup *m_position = nullptr;
    QCheckBox *m_wobbleBox = nullptr;
    QCheckBox *m_fastMoveBox = nullptr;
    QCheckBox *m_translucentBox = nullptr;
    QLabel *m_visibilityLabel = nullptr;
    QSlider *m_visibilitySlider = nullptr;
    QCheckBox *m_hideOverFullScreenBox = nullptr;
    QCheckBox *m_startWithSessionBox = nullptr;
};

} // namespace zorrit::prefs
