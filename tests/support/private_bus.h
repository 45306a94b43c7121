// SPDX-License-Identifier: GPL-3.0-or-later
// A session bus of the test's own: a dbus-daemon started for it, made the session bus of this
// process (before anything has connected), and ended by its PID.
#pragma once

#include <QByteArray>
#include <QString>

#include <csignal>
#include <cstdio>
#include <sys/types.h>

class PrivateBus
{
public:
    PrivateBus()
    {
        FILE *daemon = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1", "r");
        if (!daemon)
            return;
        char address[512] = {};
        long pid = 0;
        if (std::fgets(address, sizeof address, daemon) && std::fscanf(daemon, "%ld", &pid) == 1) {
            m_address = QByteArray(address).trimmed();
            m_pid = pid_t(pid);
            qputenv("DBUS_SESSION_BUS_ADDRESS", m_address);
        }
        pclose(daemon);
    }
    ~PrivateBus()
    {
        if (m_pid > 0)
            kill(m_pid, SIGTERM);
    }
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    bool running() const { return m_pid > 0; }
    QString address() const { return QString::fromUtf8(m_address); }

private:
    QByteArray m_address;
    pid_t m_pid = 0;
};
