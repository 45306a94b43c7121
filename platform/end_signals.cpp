// SPDX-License-Identifier: GPL-3.0-or-later
// The self-pipe: the handler only writes the signal's number into a pipe, which the event loop
// reads.
#include "end_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};
int s_pipe[2] = {-1, -1};

extern "C" void onEndSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Non-blocking: with the pipe full, the ending is under way already.
    [[maybe_unused]] const ssize_t written = ::write(s_pipe[1], &byte, 1);
    errno = savedErrno;
}

void setHandler(int signalNumber, void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signalNumber, &action, nullptr);
}

} // namespace

EndSignals::EndSignals(QObject *parent)
    : QObject(parent)
{
    if (::pipe2(s_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::readPipe);
    for (const int signalNumber : kEndSignals)
        setHandler(signalNumber, onEndSignal);
}

EndSignals::~EndSignals()
{
    if (!m_notifier)
        return;
    for (const int signalNumber : kEndSignals)
        setHandler(signalNumber, SIG_DFL);
    delete m_notifier;
    ::close(s_pipe[0]);
    ::close(s_pipe[1]);
    s_pipe[0] = s_pipe[1] = -1;
}

void EndSignals::readPipe()
{
    unsigned char numbers[16];
    const ssize_t got = ::read(s_pipe[0], numbers, sizeof numbers);
    for (ssize_t i = 0; i < got; ++i) {
        for (const int signalNumber : kEndSignals)
            setHandler(signalNumber, SIG_DFL);
        Q_EMIT received(numbers[i]);
    }
}

} // namespace platform
