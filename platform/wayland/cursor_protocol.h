// SPDX-License-Identifier: GPL-3.0-or-later
// What a Wayland connection says and hears while it follows the pointer through the compositor's
// cursor sessions: the registry, the seat's pointer, each output's logical place and its session,
// and the positions they send. The bytes come and go through a socket elsewhere.
#pragma once

#include <QPointF>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::wayland {

namespace wire {
struct Message;
}

class CursorProtocol
{
public:
    // Asks for the registry; its globals come with the answer to the first sync().
    CursorProtocol();
    ~CursorProtocol();
    CursorProtocol(const CursorProtocol &) = delete;
    CursorProtocol &operator=(const CursorProtocol &) = delete;

    // Asks the compositor to say when it has handled everything before; returns what to pass
    // to answered().
    std::uint32_t sync();
    bool answered(std::uint32_t sync) const { return m_lastDone == sync; }

    // Handles the whole messages at the front of `received`, and removes them.
    void take(std::string &received);
    // The requests not sent yet, for the socket to take (and remove) what it can.
    std::string &unsent() { return m_unsent; }
    // The compositor sent a protocol error, or a stream that is not Wayland's.
    bool broken() const { return m_broken; }
    // What the compositor said with its protocol error, if it said anything.
    const std::string &refusal() const { return m_refusal; }
    // Whether the globals include what cursor sessions of outputs need.
    bool offersSessions() const { return m_sources && m_capture && m_xdgOutputs; }
    // Asks for a cursor session on each output, now and as outputs and the pointer come.
    void startSessions();
    // The pointer's newest position in logical pixels since the last call, if it moved.
    std::optional<QPointF> takePosition();

private:
    struct Output;
    enum class Kind : std::uint8_t {
        None,
        Display,
        Registry,
        Callback,
        Seat,
        Output,
        XdgOutput,
        Session
    };
    // What an id stands for. Ids are never used twice, so an event for a let-go object finds
    // None.
    struct Target
    {
        Kind kind = Kind::None;
        Output *output = nullptr;
    };

    std::uint32_t newId(Kind kind, Output *output = nullptr);
    std::uint32_t bind(std::uint32_t name, std::string_view interface, std::uint32_t version,
                       Kind kind, Output *output = nullptr);
    void forget(std::uint32_t id);
    // Each output's logical place, and once following and the pointer is there, its session.
    void follow(Output &output);
    void followAll();
    void drop(std::uint32_t globalName);
    void globalAdded(std::uint32_t name, std::string_view interface, std::uint32_t version);
    void handle(const wire::Message &message);

    std::string m_unsent;
    std::vector<Target> m_objects;
    std::vector<std::unique_ptr<Output>> m_outputs;
    std::uint32_t m_registry = 0;
    std::uint32_t m_seat = 0;
    std::uint32_t m_pointer = 0;
    std::uint32_t m_sources = 0;
    std::uint32_t m_capture = 0;
    std::uint32_t m_xdgOutputs = 0;
    std::uint32_t m_lastDone = 0;
    bool m_following = false;
    bool m_broken = false;
    std::string m_refusal;
    std::optional<QPointF> m_position;
};

} // namespace platform::wayland
