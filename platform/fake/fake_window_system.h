// SPDX-License-Identifier: GPL-3.0-or-later
// Test double for the window-system seam: scripted pointer samples, recorded moves and raises.
#pragma once

#include "platform/window_system.h"

#include <QImage>
#include <QList>
#include <QPair>

#include <condition_variable>
#include <deque>
#include <mutex>

namespace platform {

// Sprites shown as surfaces of the window system's own: what the trail last gave them.
struct FakeSpriteSurfaces final : SpriteSurfaces
{
    void setPicture(int index, const QImage &picture) override { pictures[index] = picture; }
    void setVisible(bool shown) override { visible = shown; }
    void setOnTop(bool top) override { onTop = top; }
    void setOpacity(double value) override { opacity = value; }
    void moveSprite(int index, QPoint topLeft) override { moves.push_back({index, topLeft}); }
    void commit() override { ++commits; }

    QImage pictures[5];
    bool visible = false;
    bool onTop = false;
    double opacity = 1.0;
    std::vector<std::pair<int, QPoint>> moves;
    int commits = 0;
};

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
    // Answers as the channel does while one is open, as pointerPos() otherwise.
    std::optional<QPoint> watchPointerOnce(std::function<void()> onMove) override
    {
        watcher = std::move(onMove);
        if (!channelOpen)
            return pointerPos();
        const std::lock_guard lock(channelLock);
        return channelPointer;
    }
    void stopWatchingPointer() override { watcher = nullptr; }
    void dropUnaskedEvents() override { ++drains; }
    SpriteSurfaces *spriteSurfaces() override { return offerSurfaces ? &surfaces : nullptr; }

    // A trail channel for ticking on another thread, offered when `offerChannel` is set. Its
    // pointer and its record of moves are shared with the test under `channelLock`. While
    // `holdPointerQueries` is set, a pointer query waits until it is cleared (a slow X server).
    struct Channel final : TrailChannel
    {
        explicit Channel(FakeWindowSystem &owner)
            : fake(owner)
        {
            fake.channelOpen = true;
        }
        ~Channel() override { fake.channelOpen = false; }
        std::optional<QPoint> pointerPos() override
        {
            std::unique_lock lock(fake.channelLock);
            ++fake.heldQueries;
            fake.channelChanged.notify_all();
            fake.channelChanged.wait(lock, [this] { return !fake.holdPointerQueries; });
            --fake.heldQueries;
            return fake.channelPointer;
        }
        void moveWindow(int index, QPoint topLeft) override
        {
            const std::lock_guard lock(fake.channelLock);
            fake.channelMoves.push_back({index, topLeft});
        }
        void flush() override {}
        void samplePointerAtTick(bool wanted) override
        {
            const std::lock_guard lock(fake.channelLock);
            fake.tickSamples.push_back(wanted);
        }
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
    int drains = 0;
    bool compositor = false;
    bool watchable = true;
    std::function<void()> watcher;

    // Lets pointer queries through again.
    void releasePointerQueries()
    {
        const std::lock_guard lock(channelLock);
        holdPointerQueries = false;
        channelChanged.notify_all();
    }

    bool offerSurfaces = false;
    FakeSpriteSurfaces surfaces;

    bool offerChannel = false;
    bool channelOpen = false;
    std::mutex channelLock;
    std::condition_variable channelChanged;
    bool holdPointerQueries = false;
    int heldQueries = 0; // queries under way
    std::optional<QPoint> channelPointer = QPoint(0, 0);
    std::vector<bool> tickSamples; // what each tick was told: whether to read the pointer
    std::vector<std::pair<int, QPoint>> channelMoves; // (window index, top-left)
};

} // namespace platform
