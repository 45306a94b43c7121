// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer window: runs one version-file transfer and reports how it ended.
#pragma once

#include "zorrit/update/busy_pointer.h"
#include "zorrit/update/check_outcome.h"
#include "zorrit/update/http_client.h"
#include "zorrit/update/http_request.h"

#include <QDialog>
#include <QTimer>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace zorrit::update {

class UpdateCheckWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kStartDelayMs = 100; // the window shows before the transfer starts
    static constexpr int kBlinkMs = 800;      // the network picture blinks while it runs

    // url: "http://" + host + path of the version file; port: where that host is reached. The
    // busy pointer is held from here until the window concludes or closes.
    UpdateCheckWindow(const QString &url, quint16 port, int ownVersion, TransferTiming timing = {},
                      QWidget *parent = nullptr);
    ~UpdateCheckWindow() override;

    // Starts the blinking and, shortly after, the transfer; sets the caption and the first status.
    // The window is then shown.
    void begin();

    const HttpClient &client() const { return m_client; }
    TransferStatus status() const { return m_status; }

    // Closing by any means (Stop, close box, Escape) aborts the transfer without a result.
    void done(int result) override;

Q_SIGNALS:
    // The transfer reached a final status; the window has closed itself. Never emitted after
    // "&Stop" or the close box.
    void concluded(const zorrit::update::CheckResult &result);

private:
    void startTransfer();
    // Once the transfer's status is final, the window closes and says how the check ended.
    void concludeIfFinal();
    void blink();
    void setStatus(TransferStatus status); // the label shows the state's text
    void showReceived();
    void stopAll();

    int m_ownVersion;
    HostAndPath m_target;
    quint16 m_port;
    TransferStatus m_status = TransferStatus::PleaseWait;
    qsizetype m_shownBytes = 0; // of the body, already in the reply box
    HttpClient m_client;
    BusyPointer m_busy;
    bool m_running = false; // from begin() until the check ends, one way or the other

    QPlainTextEdit *m_replyBox;
    QLabel *m_statusLabel;
    QLabel *m_networkPicture;
    QProgressBar *m_progress;
    QPushButton *m_stop;
    QTimer *m_blinkTimer;
    QTimer *m_startTimer;
};

} // namespace zorrit::update
