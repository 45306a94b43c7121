// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer window: its controls, its two timers, and the end of the check once the transfer's
// status is final.
#include "update_check_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>

namespace zorrit::update {

namespace {
QTimer *makeTimer(QObject *parent, const char *name, int interval, bool singleShot)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    timer->setSingleShot(singleShot);
    return timer;
}

QLabel *makePicture(QWidget *parent, const char *name, QStyle::StandardPixmap which)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(parent->style()->standardIcon(which, nullptr, parent).pixmap(32, 32));
    label->setFixedSize(32, 32);
    return label;
}
} // namespace

UpdateCheckWindow::UpdateCheckWindow(const QString &url, quint16 port, int ownVersion,
                                     TransferTiming timing, QWidget *parent)
    : QDialog(parent)
    , m_ownVersion(ownVersion)
    , m_target(splitAddress(addressFromUrl(url)))
    , m_port(port)
    , m_client(timing)
{
    setObjectName(QStringLiteral("checkit"));
    setWindowRole(objectName());
    setWindowTitle(tr("Checking..."));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    m_replyBox = new QPlainTextEdit(this);
    m_replyBox->setObjectName(QStringLiteral("replybox"));
    m_replyBox->setReadOnly(true);
    m_replyBox->hide();

    QLabel *computerPicture = makePicture(this, "Image1", QStyle::SP_ComputerIcon);
    m_networkPicture = makePicture(this, "Image3", QStyle::SP_DriveNetIcon);
    QSizePolicy keepPlace = m_networkPicture->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true); // blinking must not shift the layout
    m_networkPicture->setSizePolicy(keepPlace);
    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("lblStatus"));
    auto *timeLabel = new QLabel(tr("Time remaining: About 5 seconds"), this);
    timeLabel->setObjectName(QStringLiteral("Label2"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_stop = new QPushButton(tr("&Stop"), this);
    m_stop->setObjectName(QStringLiteral("Command1"));
    m_stop->setAutoDefault(false);

    auto *grid = new QGridLayout(this);
    grid->addWidget(computerPicture, 0, 0);
    grid->addWidget(m_networkPicture, 0, 2);
    grid->addWidget(m_statusLabel, 1, 0, 1, 3);
    grid->addWidget(timeLabel, 2, 0, 1, 3);
    grid->addWidget(m_progress, 3, 0, 1, 3);
    grid->addWidget(m_stop, 4, 2);
    grid->setColumnMinimumWidth(1, 180);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    m_blinkTimer = makeTimer(this, "blinkTimer", kBlinkMs, false);
    m_startTimer = makeTimer(this, "startTimer", kStartDelayMs, true);
    connect(m_blinkTimer, &QTimer::timeout, this, &UpdateCheckWindow::blink);
    connect(m_startTimer, &QTimer::timeout, this, &UpdateCheckWindow::startTransfer);
    connect(m_stop, &QPushButton::clicked, this, &UpdateCheckWindow::reject);

    connect(&m_client, &HttpClient::statusChanged, this, &UpdateCheckWindow::setStatus);
    // Queued: the result box opens once the client has returned from its own signal.
    connect(&m_client, &HttpClient::statusChanged, this, &UpdateCheckWindow::concludeIfFinal,
            Qt::QueuedConnection);
    connect(&m_client, &HttpClient::progressChanged, m_progress, &QProgressBar::setValue);
    connect(&m_client, &HttpClient::received, this, &UpdateCheckWindow::showReceived);

    setStatus(TransferStatus::PleaseWait);
}

UpdateCheckWindow::~UpdateCheckWindow()
{
    stopAll();
}

void UpdateCheckWindow::begin()
{
    m_running = true;
    m_blinkTimer->start();
    m_startTimer->start();
    setWindowTitle(tr("Checking..."));
    setStatus(TransferStatus::CheckingForUpdates);
}

void UpdateCheckWindow::startTransfer()
{
    m_client.fetch(m_target.host, m_port, m_target.path);
}

void UpdateCheckWindow::concludeIfFinal()
{
    // A status still queued when "&Stop" or the close box ended the check concludes nothing.
    if (!m_running || !isFinal(m_status))
        return;
    const std::optional<CheckResult> result =
        decideOutcome(m_status, m_client.acceptedBody(), m_ownVersion);
    if (!result)
        return;
    stopAll();
    close();
    Q_EMIT concluded(*result);
}

void UpdateCheckWindow::blink()
{
    m_networkPicture->setVisible(!m_networkPicture->isVisible());
}

void UpdateCheckWindow::setStatus(TransferStatus status)
{
    m_status = status;
    m_statusLabel->setText(statusText(status));
}

void UpdateCheckWindow::showReceived()
{
    // Only what is new goes into the box: refilling it with the whole body for every piece would
    // cost time growing with the square of a trickled answer's length.
    const QByteArray &body = m_client.response().body();
    if (body.size() < m_shownBytes) { // an answer over the cap leaves no body
        m_replyBox->clear();
        m_shownBytes = 0;
    }
    // A CR waits for the next piece, so that a CR LF split between two stays one line break.
    const qsizetype end = body.endsWith('\r') ? body.size() - 1 : body.size();
    if (end <= m_shownBytes)
        return;
    m_replyBox->moveCursor(QTextCursor::End);
    m_replyBox->insertPlainText(QString::fromLatin1(body.sliced(m_shownBytes, end - m_shownBytes)));
    m_shownBytes = end;
}

void UpdateCheckWindow::stopAll()
{
    m_running = false;
    m_blinkTimer->stop();
    m_startTimer->stop();
    m_client.cancel();
    m_busy.release();
}

void UpdateCheckWindow::done(int result)
{
    stopAll();
    QDialog::done(result);
}

} // namespace zorrit::update
