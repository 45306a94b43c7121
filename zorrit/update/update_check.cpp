// SPDX-License-Identifier: GPL-3.0-or-later
// The update check from the button to the result dialog.
#include "update_check.h"

#include "platform/dialogs.h"
#include "zorrit/update/result_dialog.h"
#include "zorrit/update/update_check_window.h"

#include <QApplication>

#include <algorithm>

namespace zorrit::update {

namespace {
// Test hook: ZORRIT_UPDATE_SERVER=host:port sends the version check (and only it) to another
// server, such as a loopback one in an end-to-end test. The product never sets it.
constexpr char kServerOverrideVariable[] = "ZORRIT_UPDATE_SERVER";

bool isHostCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('.') || c == QLatin1Char('-')
           || c == QLatin1Char(':') || c == QLatin1Char('_');
}

void showResult(UpdateContext &ctx, const CheckResult &result)
{
    ResultDialog::Kind kind = ResultDialog::Kind::Error;
    switch (result.outcome) {
    case CheckOutcome::Failed:
        ctx.dialogs.beep();
        break;
    case CheckOutcome::UpdateAvailable:
        ctx.versions.latestVersion = static_cast<qint16>(result.latest);
        kind = ResultDialog::Kind::UpdateAvailable;
        break;
    case CheckOutcome::UpToDate:
        ctx.versions.latestVersion = static_cast<qint16>(result.latest);
        kind = ResultDialog::Kind::UpToDate;
        break;
    }
    auto *dialog = new ResultDialog(kind, ctx.versions, ctx.shell);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
} // namespace

std::optional<ServerAddress> parseServerOverride(QStringView text)
{
    const qsizetype colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon <= 0)
        return std::nullopt;
    bool ok = false;
    const uint port = text.sliced(colon + 1).toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        return std::nullopt;
    QStringView host = text.first(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.sliced(1, host.size() - 2);
    if (host.isEmpty() || !std::all_of(host.begin(), host.end(), isHostCharacter))
        return std::nullopt;
    return ServerAddress{host.toString(), static_cast<quint16>(port)};
}

ServerAddress effectiveServer(const UpdateContext &ctx, const QString &overrideText)
{
    if (const std::optional<ServerAddress> server = parseServerOverride(overrideText))
        return *server;
    return {ctx.host, ctx.port};
}

UpdateCheckWindow *startUpdateCheck(UpdateContext &ctx)
{
    // One check at a time: a second request only brings the running one forward.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *running = qobject_cast<UpdateCheckWindow *>(w); running && running->isVisible()) {
            running->raise();
            running->activateWindow();
            return running;
        }
    }
    Q_EMIT ctx.checkStarting();
    const ServerAddress server =
        effectiveServer(ctx, qEnvironmentVariable(kServerOverrideVariable));
    // The busy pointer comes with the window and leaves with it.
    auto *window = new UpdateCheckWindow(
        QStringLiteral("http://") + server.host + QStringLiteral("/zvers.txt"), server.port,
        ctx.versions.compactVersion.toInt(), ctx.timing);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    QObject::connect(window, &UpdateCheckWindow::concluded, window,
                     [&ctx](const CheckResult &result) { showResult(ctx, result); });
    window->begin();
    window->show();
    return window;
}

} // namespace zorrit::update
