// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the session's pointer source, following it, and the words that go with it.
#include "pointer_choice.h"

#include "platform/pointer_source.h"
#include "pointer_notice.h"
#include "source_factory.h"

#include <QTimer>

#include <cstdio>

namespace zorrit::pointer {

namespace {
void printLine(const QString &text)
{
    std::fprintf(stderr, "zorrit: %s\n", qPrintable(text));
}
} // namespace

PointerChoice::PointerChoice(platform::SourcedWindowSystem &windows, platform::Dialogs &dialogs,
                             const QString &noticeFolder)
    : m_windows(windows)
    , m_dialogs(dialogs)
    , m_noticeFolder(noticeFolder)
{
}

PointerChoice::~PointerChoice()
{
    stop();
    // The bus name goes with the source, to a copy that waits for it.
}

void PointerChoice::notice(const QString &key, const QString &text)
{
    // After the start: the box has an event loop of its own.
    QTimer::singleShot(0, this,
                       [this, key, text] { showNoticeOnce(m_dialogs, m_noticeFolder, key, text); });
}

void PointerChoice::start(const SourceContext &context)
{
    if (isWaylandSession())
        start(makeSessionSource(context));
}

void PointerChoice::start(std::unique_ptr<CompositorSource> source)
{
    if (!source) {
        printLine(otherWaylandText());
        notice(QStringLiteral("wayland-pointer"), otherWaylandText());
        return;
    }
    connect(source.get(), &CompositorSource::lost, this, [](const QString &why) {
        printLine(tr("%1, so the trail follows the pointer only over X11 windows.").arg(why));
    });
    connect(source.get(), &CompositorSource::said, this, &printLine);
    connect(source.get(), &CompositorSource::noticeWanted, this, &PointerChoice::notice);
    if (const StartResult started = source->start(); !started.started) {
        printLine(started.failure);
        return;
    }
    m_source = std::move(source);
    m_windows.setSource(m_source.get());
}

void PointerChoice::stop()
{
    m_windows.setSource(nullptr);
    if (m_source)
        m_source->unload();
}

} // namespace zorrit::pointer
