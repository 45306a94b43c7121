// SPDX-License-Identifier: GPL-3.0-or-later
// Zorrit's own Wayland connection (libwayland-client): the outputs, the pointer from the
// compositor's cursor sessions, and the sprites as layer-shell surfaces, one set per output.
#pragma once

#include "platform/full_screen_watch.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace platform::wayland {

struct SessionState;

// The connection belongs to whoever reads it: the trail's tick, or the GUI thread while the trail
// sleeps. Every call takes the session's lock, which is never held outside this class, so no
// caller holds it while calling Qt. Nothing reads the socket between calls: the compositor's
// events wait there until the next read().
class WaylandSession
{
public:
    static constexpr int kSpriteCount = 5;

    // What the compositor offers that Zorrit can use.
    struct Offers
    {
        bool layerShell = false;     // zwlr_layer_shell_v1, with subsurfaces and shared memory
        bool cursorSessions = false; // ext-image-copy-capture's cursor sessions of outputs
        bool toplevels = false; // zwlr_foreign_toplevel_manager_v1: the windows and their states
    };
    // What a read found of the pointer.
    struct PointerNews
    {
        // The pointer's latest position in logical pixels, when it moved since the last take.
        std::optional<QPointF> position;
        // Whether any cursor session ever said that the pointer entered its output. wlroots
        // says nothing while it draws the cursor itself (a software cursor).
        bool everEntered = false;
        // The connection is gone (the compositor ended, or it broke the protocol).
        bool broken = false;
        // When the compositor ended it with a protocol error, what it said (a compositor that
        // keeps the pointer's place from programs says so this way).
        QString refusal;
    };

    // Connects to WAYLAND_DISPLAY and learns the globals and the outputs (two round trips, 5 s
    // each at most); null when there is no compositor to talk to.
    static std::unique_ptr<WaylandSession> connect();
    ~WaylandSession();
    WaylandSession(const WaylandSession &) = delete;
    WaylandSession &operator=(const WaylandSession &) = delete;

    Offers offers() const;
    // The connection's socket, readable when the compositor sent something.
    int fd() const;
    // The outputs the compositor has fully described, in its logical pixels.
    std::vector<QRect> outputs() const;

    // Handles whatever waits on the socket without blocking, and sends what is queued. Any
    // thread.
    void read();
    // What the reads found of the pointer since the last take.
    PointerNews takePointerNews();
    // Once the connection is gone: what the compositor said as it ended it (empty when it said
    // nothing). Takes nothing from the pointer's news.
    std::optional<QString> ended() const;
    // Asks for a cursor session on every output, now and as outputs come. False where they are
    // not offered.
    bool followPointer();

    // Follows the compositor's list of windows, where it offers one: which has the focus, and
    // whether it is full screen. Returns an eventfd that each read() which finds
    // focusedWindow() changed adds to (on whichever thread read, with the lock let go), so the
    // news reaches the GUI thread with no cost to a read that finds none; -1 where there is no
    // list. The session keeps the fd.
    int followToplevels();
    // The focused window as the compositor's list last said; its areas are the outputs it is on.
    FocusedWindow focusedWindow() const;

    // The sprites. Each picture is drawn at every output's scale (unsmoothed, so each picture
    // pixel stays a crisp block), with real transparency. They take no input and no keyboard
    // focus, and never move a panel or a window.
    void setSpritePicture(int index, const QImage &picture);
    void setSpritesVisible(bool visible);
    // The overlay layer, or the bottom one (above the desktop, below the windows).
    void setSpritesOnTop(bool onTop);
    void setSpriteOpacity(double opacity);
    // Places a sprite's top-left corner at a logical pixel; shown with the next commitSprites().
    void moveSprite(int index, QPoint topLeft);
    // Shows the moves made since the last commit, in one go, and sends them.
    void commitSprites();

private:
    WaylandSession();

    mutable std::mutex m_lock;
    std::unique_ptr<SessionState> m_state;
};

} // namespace platform::wayland
