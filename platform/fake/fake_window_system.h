// SPDX-License-Identifier: GPL-3.0-or-later
// Test double for the window-system seam: scripted pointer samples, recorded moves and raises.
#pragma once

#include "platform/window_system.h"

#include <QList>
#include <QPair>

#include <deque>
#include <mutex>

namespace platform {

class FakeWindowSystem final : public WindowSystem
{
public:
    struct Move
    {
        QWidget *window;
        QPoint topLeft;
        int monitor;
    };

    const MonitorLayout &monitors() override { return layout; }

    std::optional<QPoint> pointerPos() override
    {
        if (!samples.empty()) {
            current = samples.front();
            samples.pop_front();
        }
        return current;
    }
    void moveWindow(QWidget *window, QPoint topLeft, int monitor) override
    {
        moves.push_back({window, topLeft, monitor});
    }
    void raiseWindow(QWidget *window) override { raises.push_back(window); }
    void flush() override { ++flushes; }
    bool compositorRunning() override { return compositor; }
    bool canWatchPointer() override { return watchable; }
    void watchPointerOnce(std::function<void()> onMove) override { watcher = std::move(onMove); }
    void stopWatchingPointer() override { watcher = nullptr; }

    // A trail channel for ticking on another thread, offered when `offerChannel` is set. Its
    // pointer and its record of moves are shared with the test under `channelLock`.
    struct Channel final : TrailChannel
    {
        explicit Channel(FakeWindowSystem &owner)
            : fake(owner)
        {
        }
        std::optional<QPoint> pointerPos() override
        {
            const std::lock_guard lock(fake.channelLock);
            return fake.channelPointer;
        }
        void moveWindow(int index, QPoint topLeft) override
        {
            const std::lock_guard lock(fake.channelLock);
            fake.channelMoves.push_back({index, topLeft});
        }
        void flush() override {}
        FakeWindowSystem &fake;
    };
    std::unique_ptr<TrailChannel> openTrailChannel(const std::vector<QWidget *> &) override
    {
        if (!offerChannel)
            return nullptr;
        return std::make_unique<Channel>(*this);
    }

    // Simulates the pointer moving while the trail sleeps.
    void wakeUp()
    {
        if (auto callback = std::move(watcher)) {
            watcher = nullptr;
            callback();
        }
    }

    MonitorLayout layout;                         // none: everything at scale 1
    std::optional<QPoint> current = QPoint(0, 0); // nullopt: the query fails
    std::deque<std::optional<QPoint>> samples;    // consumed one per pointerPos() call
    std::vector<Move> moves;
    std::vector<QWidget *> raises;
    int flushes = 0;
    bool compositor = false;
    bool watchable = true;
    std::function<void()> watcher;

    bool offerChannel = false;
    std::mutex channelLock;
    std::optional<QPoint> channelPointer = QPoint(0, 0);
    std::vector<std::pair<int, QPoint>> channelMoves; // (window index, top-left)
};

} // namespace platform
