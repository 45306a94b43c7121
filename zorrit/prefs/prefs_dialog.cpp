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

    QGroupBox *themesBox = frame("box1", tr("Themes"), page);
    QLabel *currentThemeLabel = label("Label8", tr("Current theme:"), themesBox);
    m_themeNameLabel = label("whatis", QString(), themesBox); // refresh() puts the model's name in
    m_themeAuthorLabel = label("whatcopy", QString(), themesBox);
    m_themeSiteLabel = label("whatmail", QString(), themesBox);
    // Whatever a theme file says is shown as it is, never as markup or a link.
    for (QLabel *text : {m_themeNameLabel, m_themeAuthorLabel, m_themeSiteLabel}) {
        text->setTextFormat(Qt::PlainText);
        text->setTextInteractionFlags(Qt::NoTextInteraction);
    }
    QFont boldFont = m_themeNameLabel->font();
    boldFont.setBold(true);
    m_themeNameLabel->setFont(boldFont);
    QPushButton *loadThemeButton = button("Command5", tr("&Load theme..."), themesBox);
    QPushButton *builtInThemeButton = button("Command4", tr("&Use built-in theme"), themesBox);
    auto *themeGrid = new QGridLayout(themesBox);
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

    QGroupBox *drawingBox = frame("box2", tr("Drawing"), page);
    auto *drawingOptions = new QWidget(drawingBox);
    drawingOptions->setObjectName(QStringLiteral("thebox"));
    m_onTopOption = named<QRadioButton>("onit", tr("On top"), drawingOptions);
    m_onDesktopOption = named<QRadioButton>("ondesktop", tr("On desktop"), drawingOptions);
    m_drawing = new QButtonGroup(this);
    m_drawing->addButton(m_onTopOption);
    m_drawing->addButton(m_onDesktopOption);
    auto *drawingOptionsLayout = new QHBoxLayout(drawingOptions);
    drawingOptionsLayout->setContentsMargins(0, 0, 0, 0);
    drawingOptionsLayout->addWidget(m_onTopOption);
    drawingOptionsLayout->addWidget(m_onDesktopOption);
    drawingOptionsLayout->addStretch();
    (new QVBoxLayout(drawingBox))->addWidget(drawingOptions);

    QGroupBox *customThemesBox = frame("box3", tr("Create Custom Themes"), page);
    QPushButton *vandrelButton =
        button("Command6", tr("Launch the &Rezor Edividu"), customThemesBox);
    auto *customThemesLayout = new QHBoxLayout(customThemesBox);
    customThemesLayout->addWidget(vandrelButton);
    customThemesLayout->addStretch();

    m_startWithSessionBox =
        named<QCheckBox>("startWithSession", tr("Start Zorrit when I log in"), page);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(themesBox);
    layout->addWidget(drawingBox);
    layout->addWidget(customThemesBox);
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

    QGroupBox *positionBox = frame("box4", tr("Position"), page);
    QLabel *positionLabel =
        label("Label7", tr("Choose the position of the mouse trail:"), positionBox);
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
        auto *option = named<QRadioButton>(c.name, tr(c.text), positionBox);
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
    m_wobbleBox = named<QCheckBox>("wobb", tr("Wobble mouse trail"), positionBox);
    m_fastMoveBox = named<QCheckBox>("vroom", tr("Fast move"), positionBox);
    auto *positionLayout = new QVBoxLayout(positionBox);
    positionLayout->addWidget(positionLabel);
    positionLayout->addLayout(cornerGrid);
    positionLayout->addWidget(m_wobbleBox);
    positionLayout->addWidget(m_fastMoveBox);

    QGroupBox *moreBox = frame("box5", tr("More"), page);
    m_translucentBox = named<QCheckBox>("transon", tr("Translucid trail"), moreBox);
    m_visibilityLabel = label("transtext", tr("Visibility:"), moreBox);
    m_visibilitySlider = new QSlider(Qt::Horizontal, moreBox);
    m_visibilitySlider->setObjectName(QStringLiteral("transslid"));
    m_visibilitySlider->setRange(PrefsModel::kSlideMin, PrefsModel::kSlideMax);
    m_visibilitySlider->setSingleStep(PrefsModel::kSlideSmallStep);
    m_visibilitySlider->setPageStep(PrefsModel::kSlideLargeStep);
    m_visibilitySlider->setValue(settings::kTransSlid.defaultNumber());
    m_hideOverFullScreenBox =
        named<QCheckBox>("hidefull", tr("Hide the trail over full-screen programs"), moreBox);
    auto *moreLayout = new QGridLayout(moreBox);
    moreLayout->addWidget(m_translucentBox, 0, 0, 1, 2);
    moreLayout->addWidget(m_visibilityLabel, 1, 0);
    moreLayout->addWidget(m_visibilitySlider, 1, 1);
    moreLayout->addWidget(m_hideOverFullScreenBox, 2, 0, 1, 2);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(positionBox);
    layout->addWidget(moreBox);
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
    connect(m_hideOverFullScreenBox, &QCheckBox::clicked, this, [this](bool checked) {
        if (m_model && !m_updating)
            m_model->clickHideOverFullScreen(checked);
    });
    return page;
}

QWidget *PrefsDialog::buildSharingPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("sharing"));

    QGroupBox *downloadBox = frame("box6", tr("Download New Themes"), page);
    QLabel *downloadText = label(
        "Label1", tr("You can download on our website hundreds of Zorrit themes! "), downloadBox);
    QLabel *galleryText = label("Label2", tr("To do so, visit our Theme Gallery:"), downloadBox);
    auto *galleryLink = new common::LinkLabel(common::web::gallery(), QUrl(common::web::gallery()),
                                              &m_shell, downloadBox);
    galleryLink->setObjectName(QStringLiteral("Label3"));
    auto *downloadLayout = new QVBoxLayout(downloadBox);
    downloadLayout->addWidget(downloadText);
    downloadLayout->addWidget(galleryText);
    downloadLayout->addWidget(galleryLink, 0, Qt::AlignLeft);

    QGroupBox *uploadBox = frame("box7", tr("Upload Your Own Themes"), page);
    QLabel *uploadText = label(
        "Label4", tr("You can distribute on the Internet your own themes on our Theme Gallery!"),
        uploadBox);
    QLabel *uploadLinkText =
        label("Label5", tr("Just click the following link to upload your own theme:"), uploadBox);
    auto *uploadLink = new common::LinkLabel(common::web::uploadPage(),
                                             QUrl(common::web::uploadPage()), &m_shell, uploadBox);
    uploadLink->setObjectName(QStringLiteral("Label6"));
    auto *uploadLayout = new QVBoxLayout(uploadBox);
    uploadLayout->addWidget(uploadText);
    uploadLayout->addWidget(uploadLinkText);
    uploadLayout->addWidget(uploadLink, 0, Qt::AlignLeft);
    for (QLabel *text : {downloadText, uploadText})
        text->setWordWrap(true);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(downloadBox);
    layout->addWidget(uploadBox);
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
    m_hideOverFullScreenBox->setChecked(m.hideOverFullScreen());
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
