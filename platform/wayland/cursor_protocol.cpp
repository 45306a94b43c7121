// SPDX-License-Identifier: GPL-3.0-or-later
#include "cursor_protocol.h"

#include "platform/output_places.h"
#include "wayland_wire.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <algorithm>
#include <utility>

namespace platform::wayland {

namespace {

// The versions we speak: wl_seat 5 has wl_pointer.release, wl_output 3 its release, xdg-output 3
// sends no more than its own done.
constexpr std::uint32_t kSeatVersion = 5;
constexpr std::uint32_t kOutputVersion = 3;
constexpr std::uint32_t kXdgOutputVersion = 3;

constexpr std::uint32_t kDisplayId = 1;
constexpr std::size_t kMostRefusalBytes = 200;

// Requests' and events' numbers: their places in their interfaces (wayland.xml, xdg-output-
// unstable-v1, ext-image-capture-source-v1 and ext-image-copy-capture-v1).
namespace request {
constexpr std::uint16_t kSync = 0;          // wl_display
constexpr std::uint16_t kGetRegistry = 1;   // wl_display
constexpr std::uint16_t kBind = 0;          // wl_registry
constexpr std::uint16_t kGetPointer = 0;    // wl_seat
constexpr std::uint16_t kOutputRelease = 0; // wl_output, since 3
constexpr std::uint16_t kGetXdgOutput = 1;  // zxdg_output_manager_v1
constexpr std::uint16_t kCreateSource = 0;  // ext_output_image_capture_source_manager_v1
constexpr std::uint16_t kCreatePointerCursorSession = 1; // ext_image_copy_capture_manager_v1
// zxdg_output_v1, ext_image_capture_source_v1 and ext_image_copy_capture_cursor_session_v1
constexpr std::uint16_t kDestroy = 0;
} // namespace request
namespace event {
constexpr std::uint16_t kError = 0;           // wl_display
constexpr std::uint16_t kGlobal = 0;          // wl_registry
constexpr std::uint16_t kGlobalRemove = 1;    // wl_registry
constexpr std::uint16_t kDone = 0;            // wl_callback
constexpr std::uint16_t kCapabilities = 0;    // wl_seat
constexpr std::uint16_t kGeometry = 0;        // wl_output
constexpr std::uint16_t kMode = 1;            // wl_output
constexpr std::uint16_t kLogicalPosition = 0; // zxdg_output_v1
constexpr std::uint16_t kLogicalSize = 1;     // zxdg_output_v1
constexpr std::uint16_t kPosition = 2;        // ext_image_copy_capture_cursor_session_v1
} // namespace event

constexpr std::uint32_t kPointerCapability = 1;
constexpr std::uint32_t kCurrentMode = 1;

} // namespace

struct CursorProtocol::Output
{
    std::uint32_t globalName = 0;
    std::uint32_t version = 0;
    std::uint32_t output = 0;
    std::uint32_t xdgOutput = 0;
    std::uint32_t source = 0;
    std::uint32_t session = 0;
    QPoint logicalPos;
    QSize logicalSize;
    QSize mode;
    int transform = 0;
};

CursorProtocol::CursorProtocol()
    : m_objects{{}, {Kind::Display, nullptr}}
{
    m_registry = newId(Kind::Registry);
    wire::Request(m_unsent, kDisplayId, request::kGetRegistry).uint(m_registry);
}

CursorProtocol::~CursorProtocol() = default;

std::uint32_t CursorProtocol::sync()
{
    const std::uint32_t callback = newId(Kind::Callback);
    wire::Request(m_unsent, kDisplayId, request::kSync).uint(callback);
    return callback;
}

std::uint32_t CursorProtocol::newId(Kind kind, Output *output)
{
    m_objects.push_back({kind, output});
    return std::uint32_t(m_objects.size() - 1);
}

std::uint32_t CursorProtocol::bind(std::uint32_t name, std::string_view interface,
                                   std::uint32_t version, Kind kind, Output *output)
{
    const std::uint32_t id = newId(kind, output);
    wire::Request(m_unsent, m_registry, request::kBind)
        .uint(name)
        .string(interface)
        .uint(version)
        .uint(id);
    return id;
}

void CursorProtocol::forget(std::uint32_t id)
{
    if (id && id < m_objects.size())
        m_objects[id] = {};
}

void CursorProtocol::follow(Output &output)
{
    if (m_xdgOutputs && !output.xdgOutput) {
        output.xdgOutput = newId(Kind::XdgOutput, &output);
        wire::Request(m_unsent, m_xdgOutputs, request::kGetXdgOutput)
            .uint(output.xdgOutput)
            .uint(output.output);
    }
    if (!m_following || !m_pointer || !m_sources || !m_capture || output.session)
        return;
    output.source = newId(Kind::None);
    wire::Request(m_unsent, m_sources, request::kCreateSource)
        .uint(output.source)
        .uint(output.output);
    output.session = newId(Kind::Session, &output);
    wire::Request(m_unsent, m_capture, request::kCreatePointerCursorSession)
        .uint(output.session)
        .uint(output.source)
        .uint(m_pointer);
}

void CursorProtocol::followAll()
{
    for (const std::unique_ptr<Output> &output : m_outputs)
        follow(*output);
}

void CursorProtocol::startSessions()
{
    m_following = true;
    followAll();
}

std::optional<QPointF> CursorProtocol::takePosition()
{
    return std::exchange(m_position, std::nullopt);
}

void CursorProtocol::drop(std::uint32_t globalName)
{
    std::erase_if(m_outputs, [&](const std::unique_ptr<Output> &output) {
        if (output->globalName != globalName)
            return false;
        for (const std::uint32_t id : {output->session, output->source, output->xdgOutput}) {
            if (id)
                wire::Request(m_unsent, id, request::kDestroy);
            forget(id);
        }
        if (output->version >= 3)
            wire::Request(m_unsent, output->output, request::kOutputRelease);
        forget(output->output);
        return true;
    });
}

void CursorProtocol::globalAdded(std::uint32_t name, std::string_view interface,
                                 std::uint32_t version)
{
    if (interface == "wl_output") {
        auto output = std::make_unique<Output>();
        output->globalName = name;
        output->version = std::min(kOutputVersion, version);
        output->output = bind(name, interface, output->version, Kind::Output, output.get());
        follow(*output);
        m_outputs.push_back(std::move(output));
    } else if (interface == "wl_seat" && !m_seat) {
        // The first seat is the user's; a compositor with several shows one cursor per seat.
        m_seat = bind(name, interface, std::min(kSeatVersion, version), Kind::Seat);
    } else if (interface == "ext_output_image_capture_source_manager_v1" && !m_sources) {
        m_sources = bind(name, interface, 1, Kind::None);
        followAll();
    } else if (interface == "ext_image_copy_capture_manager_v1" && !m_capture) {
        m_capture = bind(name, interface, 1, Kind::None);
        followAll();
    } else if (interface == "zxdg_output_manager_v1" && !m_xdgOutputs) {
        m_xdgOutputs = bind(name, interface, std::min(kXdgOutputVersion, version), Kind::None);
        followAll();
    }
}

void CursorProtocol::handle(const wire::Message &message)
{
    // Events of objects that are not ours (the compositor's own ids start high) or let go.
    if (message.object >= m_objects.size())
        return;
    const Target target = m_objects[message.object];
    wire::Args args(message.args);
    switch (target.kind) {
    case Kind::Display:
        // A protocol error ends the connection; delete_id needs nothing, as ids are not reused.
        if (message.opcode == event::kError) {
            m_broken = true;
            args.uint(); // the object at fault
            args.uint(); // the error's code, its interface's own
            // Its words go to a terminal: no control characters, and a line's worth at most.
            if (const std::optional<std::string_view> words = args.string()) {
                for (const char c : words->substr(0, kMostRefusalBytes)) {
                    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f)
                        m_refusal += c;
                }
            }
        }
        return;
    case Kind::Registry:
        if (message.opcode == event::kGlobal) {
            const std::optional<std::uint32_t> name = args.uint();
            const std::optional<std::string_view> interface = args.string();
            const std::optional<std::uint32_t> version = args.uint();
            if (name && interface && version)
                globalAdded(*name, *interface, *version);
        } else if (message.opcode == event::kGlobalRemove) {
            if (const std::optional<std::uint32_t> name = args.uint())
                drop(*name);
        }
        return;
    case Kind::Callback:
        if (message.opcode == event::kDone) {
            m_lastDone = message.object;
            forget(message.object);
        }
        return;
    case Kind::Seat:
        // A cursor session is made for a wl_pointer, which a seat gives only while it has one.
        // Once made, it is kept: the sessions go on when the mouse comes back.
        if (message.opcode == event::kCapabilities) {
            const std::optional<std::uint32_t> capabilities = args.uint();
            if (capabilities && (*capabilities & kPointerCapability) && !m_pointer) {
                m_pointer = newId(Kind::None);
                wire::Request(m_unsent, m_seat, request::kGetPointer).uint(m_pointer);
                followAll();
            }
        }
        return;
    case Kind::Output:
        if (message.opcode == event::kGeometry) {
            for (int skipped = 0; skipped < 5; ++skipped) // x, y, physical size, subpixel
                args.integer();
            args.string(); // make
            args.string(); // model
            if (const std::optional<std::int32_t> transform = args.integer())
                target.output->transform = *transform;
        } else if (message.opcode == event::kMode) {
            const std::optional<std::uint32_t> flags = args.uint();
            const std::optional<std::int32_t> width = args.integer();
            const std::optional<std::int32_t> height = args.integer();
            if (flags && width && height && (*flags & kCurrentMode))
                target.output->mode = QSize(*width, *height);
        }
        return;
    case Kind::XdgOutput: {
        // Since version 3 the logical place is done with wl_output's done; each event is kept as
        // it comes, and a position uses what the output last said.
        const std::optional<std::int32_t> first = args.integer();
        const std::optional<std::int32_t> second = args.integer();
        if (!first || !second)
            return;
        if (message.opcode == event::kLogicalPosition)
            target.output->logicalPos = QPoint(*first, *second);
        else if (message.opcode == event::kLogicalSize)
            target.output->logicalSize = QSize(*first, *second);
        return;
    }
    case Kind::Session: {
        // Only the position matters. The hotspot is the image's, and enter and leave come with
        // the cursor image; a position outside the output's buffer is left to the output the
        // pointer is on.
        if (message.opcode != event::kPosition)
            return;
        const std::optional<std::int32_t> x = args.integer();
        const std::optional<std::int32_t> y = args.integer();
        const Output &output = *target.output;
        if (!x || !y)
            return;
        if (const std::optional<QPointF> logical =
                bufferToLogical(QRect(output.logicalPos, output.logicalSize),
                                transformedSize(output.mode, output.transform), {*x, *y}))
            m_position = logical;
        return;
    }
    case Kind::None:
        return;
    }
}

void CursorProtocol::take(std::string &received)
{
    std::string_view rest(received);
    while (!m_broken) {
        const wire::Framing framing = wire::frame(rest);
        // Not the compositor speaking any more: nothing after this can be trusted.
        if (framing.state == wire::Framing::State::Corrupt)
            m_broken = true;
        if (framing.state != wire::Framing::State::Whole)
            break;
        rest.remove_prefix(framing.length);
        handle(framing.message);
    }
    received.erase(0, received.size() - rest.size());
}

} // namespace platform::wayland
