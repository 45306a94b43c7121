// SPDX-License-Identifier: GPL-3.0-or-later
// The three pages of the preferences and how they follow the model.
#include "prefs_dialog.h"

#include "common/link_label.h"
#include "common/maker_web.h"
#include "prefs_model.h"
#include "zorrit/settings/setting_names.h"
#include "zorrit/shell/program_icon.h"
#include "zorrit/trail/corner_settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zorrit::prefs {

using trail::TrailCorner;

namespace {

QGroupBox *frame(const char *name, const QString &title, QWidget *parent)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

template <typename Button>
Button *named(const char *name, const QString &text, QWidget *parent)
{
    auto *button = new Button(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

PrefsDialog::PrefsDialog(PrefsModel &model, platform::Shell &shell, QWidget *parent)
    : QDialog(parent)
    , m_model(&model)
    , m_shell(shell)
{
    setObjectName(QStringLiteral("prefs"));
    setWindowRole(objectName());
    setWindowTitle(tr("Zorrit Preferences"));
    setWindowIcon(shell::programIcon());
    setModal(false);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("TabPanel"));
    m_tabs->addTab(buildGeneralPage(), tr("&General"));
    m_tabs->addTab(buildSettingsPage(), tr("&Settings"));
    m_tabs->addTab(buildSharingPage(), tr("S&haring"));

    QPushButton *ok = button("Command11", tr("&OK"), this);
    QPushButton *cancel = button("Command12", tr("&Cancel"), this);
    QPushButton *about = button("Command2", tr("&About..."), this);
    QPushButton *help = button("Command3", tr("&Help..."), this);
    QPushButton *quit = button("Command1", tr("&Quit"), this);
    ok->setDefault(true);

    m_themePathLabel = label("whatpath", QString(), this);
    m_themePathLabel->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(about);
    buttons->addWidget(help);
    buttons->addWidget(quit);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
    // A small fixed dialog: nothing in it gains from more room.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowRole(objectName());

    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(about, &QPushButton::clicked, this, [this] { request(&PrefsDialog::aboutRequested); });
    connect(help, &QPushButton::clicked, this, [this] { request(&PrefsDialog::helpRequested); });
    connect(quit, &QPushButton::clicked, this, [this] { request(&PrefsDialog::quitRequested); });

    connect(m_model, &PrefsModel::changed, this, &PrefsDialog::refresh);
    refresh();
}

PrefsDialog::~PrefsDialog() = default;

QPushButton *PrefsDialog::button(const char *name, const QString &text, QWidget *parent)
{
    return named<QPushButton>(name, text, parent);
}

QLabel *PrefsDialog::label(const char *name, const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QWidget *PrefsDialog::buildGeneralPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("general"));

    QGroupBox *box1 = frame("box1", tr("Themes"), page);
    QLabel *currentThemeLabel = label("Label8", tr("Current theme:"), box1);
    m_themeNameLabel = label("whatis", QString(), box1); // refresh() puts the model's name in
    m_themeAuthorLabel = label("whatcopy", QString(), box1);
    m_themeSiteLabel = label("whatmail", QString(), box1);
    // Whatever a theme file says is shown as it is, never as markup or a link.
    for (QLabel *text : {m_themeNameLabel, m_themeAuthorLabel, m_themeSiteLabel}) {
        text->setTextFormat(Qt::PlainText);
        text->setTextInteractionFlags(Qt::NoTextInteraction);
    }
    QFont boldFont = m_themeNameLabel->font();
    boldFont.setBold(true);
    m_themeNameLabel->setFont(boldFont);
    QPushButton *loadThemeButton = button("Command5", tr("&Load theme..."), box1);
    QPushButton *builtInThemeButton = button("Command4", tr("&Use built-in theme"), box1);
    auto *themeGrid = new QGridLayout(box1);
    themeGrid->addWidget(currentThemeLabel, 0, 0);
    themeGrid->addWidget(m_themeNameLabel, 0, 1);
    themeGrid->addWidget(m_themeAuthorLabel, 1, 1);
    themeGrid->addWidget(m_themeSiteLabel, 2, 1);
    auto *themeButtons = new QHBoxLayout;
    themeButtons->addWidget(loadThemeButton);
    themeButtons->addWidget(builtInThemeButton);
    themeButtons->addStretch();
    themeGrid->addLayout(themeButtons, 3, 0, 1, 2);
    themeGrid->setColumnStretch(1, 1);

    QGroupBox *box2 = frame("box2", tr("Drawing"), page);
    auto *thebox = new QWidget(box2);
    thebox->setObjectName(QStringLiteral("thebox"));
    m_onTopOption = named<QRadioButton>("onit", tr("On top"), thebox);
    m_onDesktopOption = named<QRadioButton>("ondesktop", tr("On desktop"), thebox);
    m_drawing = new QButtonGroup(this);
    m_drawing->addButton(m_onTopOption);
    m_drawing->addButton(m_onDesktopOption);
    auto *theboxLayout = new QHBoxLayout(thebox);
    theboxLayout->setContentsMargins(0, 0, 0, 0);
    theboxLayout->addWidget(m_onTopOption);
    theboxLayout->addWidget(m_onDesktopOption);
    theboxLayout->addStretch();
    (new QVBoxLayout(box2))->addWidget(thebox);

    QGroupBox *box3 = frame("box3", tr("Create Custom Themes"), page);
    QPushButton *vandrelButton = button("Command6", tr("Launch the &Rezor Edividu"), box3);
    auto *box3Layout = new QHBoxLayout(box3);
    box3Layout->addWidget(vandrelButton);
    box3Layout->addStretch();

    m_startWithSessionBox =
        named<QCheckBox>("startWithSession", tr("Start Zorrit when I log in"), page);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(box1);
    layout->addWidget(box2);
    layout->addWidget(box3);
    layout->addWidget(m_startWithSessionBox);
    layout->addStretch();

    connect(loadThemeButton, &QPushButton::clicked, this, [this] {
        if (m_model)
            m_model->chooseTheme();
    });
    connect(builtInThemeButton, &QPushButton::clicked, this, [this] {
        if (m_model)
            m_model->useBuiltInTheme();
    });
    connect(vandrelButton, &QPushButton::clicked, this,
            [this] { request(&PrefsDialog::vandrelRequested); });
    connect(m_startWithSessionBox, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_model && !m_updating)
            m_model->clickStartWithSession(checked);
    });
    connect(m_onTopOption, &QRadioButton::clicked, this, [this] {
        if (m_model && !m_updating)
            m_model->clickOnTop();
    });
    connect(m_onDesktopOption, &QRadioButton::clicked, this, [this] {
        if (m_model && !m_updating)
            m_model->clickOnDesktop();
    });
    return page;
}

QWidget *PrefsDialog::buildSettingsPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("settings"));

    QGroupBox *box4 = frame("box4", tr("Position"), page);
    QLabel *label7 = label("Label7", tr("Choose the position of the mouse trail:"), box4);
    const struct
    {
        const char *name;
        const char *text;
        TrailCorner corner;
    } corners[] = {
        {"topleft", QT_TR_NOOP("Top left"), TrailCorner::TopLeft},
        {"topright", QT_TR_NOOP("Top right"), TrailCorner::TopRight},
        {"botleft", QT_TR_NOOP("Bottom left"), TrailCorner::BotLeft},
        {"botright", QT_TR_NOOP("Bottom right"), TrailCorner::BotRight},
    };
    m_position = new QButtonGroup(this);
    auto *cornerGrid = new QGridLayout;
    int cell = 0;
    for (const auto &c : corners) {
        auto *option = named<QRadioButton>(c.name, tr(c.text), box4);
        m_corners[static_cast<int>(c.corner)] = option;
        m_position->addButton(option);
        cornerGrid->addWidget(option, cell / 2, cell % 2);
        ++cell;
        const TrailCorner corner = c.corner;
        connect(option, &QRadioButton::clicked, this, [this, corner] {
            if (m_model && !m_updating)
                m_model->clickPosition(corner);
        });
    }
    m_wobbleBox = named<QCheckBox>("wobb", tr("Wobble mouse trail"), box4);
    m_fastMoveBox = named<QCheckBox>("vroom", tr("Fast move"), box4);
    auto *box4Layout = new QVBoxLayout(box4);
    box4Layout->addWidget(label7);
    box4Layout->addLayout(cornerGrid);
    box4Layout->addWidget(m_wobbleBox);
    box4Layout->addWidget(m_fastMoveBox);

    QGroupBox *box5 = frame("box5", tr("More"), page);
    m_translucentBox = named<QCheckBox>("transon", tr("Translucid trail"), box5);
    m_visibilityLabel = label("transtext", tr("Visibility:"), box5);
    m_visibilitySlider = new QSlider(Qt::Horizontal, box5);
    m_visibilitySlider->setObjectName(QStringLiteral("transslid"));
    m_visibilitySlider->setRange(PrefsModel::kSlideMin, PrefsModel::kSlideMax);
    m_visibilitySlider->setSingleStep(PrefsModel::kSlideSmallStep);
    m_visibilitySlider->setPageStep(PrefsModel::kSlideLargeStep);
    m_visibilitySlider->setValue(settings::kTransSlid.defaultNumber());
    auto *box5Layout = new QGridLayout(box5);
    box5Layout->addWidget(m_translucentBox, 0, 0, 1, 2);
    box5Layout->addWidget(m_visibilityLabel, 1, 0);
    box5Layout->addWidget(m_visibilitySlider, 1, 1);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(box4);
    layout->addWidget(box5);
    layout->addStretch();

    connect(m_wobbleBox, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_model && !m_updating)
            m_model->clickWobble(checked);
    });
    connect(m_fastMoveBox, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_model && !m_updating)
            m_model->clickFastMove(checked);
    });
    connect(m_translucentBox, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_model && !m_updating)
            m_model->clickTranslucent(checked);
    });
    connect(m_visibilitySlider, &QSlider::valueChanged, this, [this](int value) {
        if (m_model && !m_updating)
            m_model->slideVisibility(value);
    });
    return page;
}

QWidget *PrefsDialog::buildSharingPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("sharing"));

    QGroupBox *box6 = frame("box6", tr("Download New Themes"), page);
    QLabel *label1 =
        label("Label1", tr("You can download on our website hundreds of Zorrit themes! "), box6);
    QLabel *label2 = label("Label2", tr("To do so, visit our Theme Gallery:"), box6);
    auto *label3 =
        new common::LinkLabel(common::web::gallery(), QUrl(common::web::gallery()), &m_shell, box6);
    label3->setObjectName(QStringLiteral("Label3"));
    auto *box6Layout = new QVBoxLayout(box6);
    box6Layout->addWidget(label1);
    box6Layout->addWidget(label2);
    box6Layout->addWidget(label3, 0, Qt::AlignLeft);

    QGroupBox *box7 = frame("box7", tr("Upload Your Own Themes"), page);
    QLabel *label4 =
        label("Label4",
              tr("You can distribute on the Internet your own themes on our Theme Gallery!"), box7);
    QLabel *label5 =
        label("Label5", tr("Just click the following link to upload your own theme:"), box7);
    auto *label6 = new common::LinkLabel(common::web::uploadPage(), QUrl(common::web::uploadPage()),
                                         &m_shell, box7);
    label6->setObjectName(QStringLiteral("Label6"));
    auto *box7Layout = new QVBoxLayout(box7);
    box7Layout->addWidget(label4);
    box7Layout->addWidget(label5);
    box7Layout->addWidget(label6, 0, Qt::AlignLeft);
    for (QLabel *text : {label1, label4})
        text->setWordWrap(true);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(box6);
    layout->addWidget(box7);
    layout->addStretch();
    return page;
}

void PrefsDialog::setCheckedInGroup(QButtonGroup *group, QAbstractButton *button, bool checked)
{
    // An exclusive group cannot show "none selected"; the settings may name none.
    group->setExclusive(false);
    button->setChecked(checked);
    group->setExclusive(true);
}

void PrefsDialog::refresh()
{
    if (!m_model)
        return;
    const PrefsModel &m = *m_model;
    m_updating = true;
    m_wobbleBox->setChecked(m.wobble());
    m_fastMoveBox->setChecked(m.fastMove());
    setCheckedInGroup(m_drawing, m_onTopOption, m.onTop());
    setCheckedInGroup(m_drawing, m_onDesktopOption, m.onDesktop());
    for (const trail::CornerSetting &option : trail::kCornerSettings) {
        setCheckedInGroup(m_position, m_corners[static_cast<int>(option.corner)],
                          m.position() == option.corner);
    }
    m_translucentBox->setChecked(m.translucent());
    m_visibilitySlider->setValue(m.visibility());
    m_visibilityLabel->setEnabled(m.visibilityEnabled());
    m_visibilitySlider->setEnabled(m.visibilityEnabled());
    m_startWithSessionBox->setVisible(m.autostartOffered());
    m_startWithSessionBox->setChecked(m.startsWithSession());
    m_themeNameLabel->setText(m.themeName());
    m_themeAuthorLabel->setText(m.themeAuthor());
    m_themeSiteLabel->setText(m.themeSite());
    m_themePathLabel->setText(m.themePath());
    m_updating = false;
}

void PrefsDialog::detach()
{
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = nullptr;
}

void PrefsDialog::request(void (PrefsDialog::*signal)())
{
    // Only while the dialog still shows a loaded state; closing detaches it.
    if (m_model)
        Q_EMIT(this->*signal)();
}

void PrefsDialog::closeEvent(QCloseEvent *event)
{
    event->accept();
    request(&PrefsDialog::closeRequested);
}

void PrefsDialog::reject()
{
    close();
}

} // namespace zorrit::prefs
