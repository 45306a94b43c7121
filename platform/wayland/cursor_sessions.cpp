// SPDX-License-Identifier: GPL-3.0-or-later
// The compositor's cursor sessions: registry, seat, outputs with their logical places, and the
// positions they send.
#include "cursor_sessions.h"

#include "platform/output_places.h"

#include "ext-image-capture-source-v1-client-protocol.h"
#include "ext-image-copy-capture-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace platform::wayland {

namespace {
// The versions we speak: wl_seat 5 has wl_pointer.release, wl_output 3 its release, xdg-output 3
// sends no more than its own done.
constexpr uint32_t kSeatVersion = 5;
constexpr uint32_t kOutputVersion = 3;
constexpr uint32_t kXdgOutputVersion = 3;
} // namespace

struct Output
{
    CursorState *state = nullptr;
    uint32_t globalName = 0;
    wl_output *output = nullptr;
    zxdg_output_v1 *xdgOutput = nullptr;
    ext_image_capture_source_v1 *source = nullptr;
    ext_image_copy_capture_cursor_session_v1 *session = nullptr;
    QPoint logicalPos;
    QSize logicalSize;
    QSize mode;
    int transform = 0;

    ~Output()
    {
        if (session)
            ext_image_copy_capture_cursor_session_v1_destroy(session);
        if (source)
            ext_image_capture_source_v1_destroy(source);
        if (xdgOutput)
            zxdg_output_v1_destroy(xdgOutput);
        if (output) {
            if (wl_output_get_version(output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
                wl_output_release(output);
            else
                wl_output_destroy(output);
        }
    }
};

struct CursorState
{
    wl_registry *registry = nullptr;
    wl_seat *seat = nullptr;
    wl_pointer *pointer = nullptr;
    ext_output_image_capture_source_manager_v1 *sources = nullptr;
    ext_image_copy_capture_manager_v1 *capture = nullptr;
    zxdg_output_manager_v1 *xdgOutputs = nullptr;
    std::vector<std::unique_ptr<Output>> outputs;
    std::optional<QPointF> position;

    void startSessions();
    void follow(Output &output);

    ~CursorState()
    {
        outputs.clear();
        if (pointer) {
            if (wl_pointer_get_version(pointer) >= WL_POINTER_RELEASE_SINCE_VERSION)
                wl_pointer_release(pointer);
            else
                wl_pointer_destroy(pointer);
        }
        if (seat)
            wl_seat_destroy(seat);
        if (capture)
            ext_image_copy_capture_manager_v1_destroy(capture);
        if (sources)
            ext_output_image_capture_source_manager_v1_destroy(sources);
        if (xdgOutputs)
            zxdg_output_manager_v1_destroy(xdgOutputs);
        if (registry)
            wl_registry_destroy(registry);
    }
};

namespace {

// Cursor session: only the position matters. The hotspot is the image's, and enter and leave
// come with the cursor image; a position outside the output's buffer is left to the output the
// pointer is on.
void sessionEnter(void *, ext_image_copy_capture_cursor_session_v1 *) {}
void sessionLeave(void *, ext_image_copy_capture_cursor_session_v1 *) {}
void sessionPosition(void *data, ext_image_copy_capture_cursor_session_v1 *, int32_t x, int32_t y)
{
    auto *output = static_cast<Output *>(data);
    if (const std::optional<QPointF> logical =
            bufferToLogical(QRect(output->logicalPos, output->logicalSize),
                            transformedSize(output->mode, output->transform), {x, y}))
        output->state->position = logical;
}
void sessionHotspot(void *, ext_image_copy_capture_cursor_session_v1 *, int32_t, int32_t) {}
const ext_image_copy_capture_cursor_session_v1_listener kSessionListener = {
    sessionEnter, sessionLeave, sessionPosition, sessionHotspot};

void outputGeometry(void *data, wl_output *, int32_t, int32_t, int32_t, int32_t, int32_t,
                    const char *, const char *, int32_t transform)
{
    static_cast<Output *>(data)->transform = transform;
}
void outputMode(void *data, wl_output *, uint32_t flags, int32_t width, int32_t height, int32_t)
{
    if (flags & WL_OUTPUT_MODE_CURRENT)
        static_cast<Output *>(data)->mode = QSize(width, height);
}
void outputDone(void *, wl_output *) {}
void outputScale(void *, wl_output *, int32_t) {}
void outputName(void *, wl_output *, const char *) {}
void outputDescription(void *, wl_output *, const char *) {}
const wl_output_listener kOutputListener = {outputGeometry, outputMode, outputDone,
                                            outputScale,    outputName, outputDescription};

void xdgPosition(void *data, zxdg_output_v1 *, int32_t x, int32_t y)
{
    static_cast<Output *>(data)->logicalPos = QPoint(x, y);
}
void xdgSize(void *data, zxdg_output_v1 *, int32_t width, int32_t height)
{
    static_cast<Output *>(data)->logicalSize = QSize(width, height);
}
// Since version 3 the logical place is done with wl_output's done; each event is kept as it
// comes, and a position uses what the output last said.
void xdgDone(void *, zxdg_output_v1 *) {}
void xdgName(void *, zxdg_output_v1 *, const char *) {}
void xdgDescription(void *, zxdg_output_v1 *, const char *) {}
const zxdg_output_v1_listener kXdgOutputListener = {xdgPosition, xdgSize, xdgDone, xdgName,
                                                    xdgDescription};

void seatCapabilities(void *data, wl_seat *seat, uint32_t capabilities)
{
    auto *state = static_cast<CursorState *>(data);
    // A cursor session is made for a wl_pointer, which a seat gives only while it has one. Once
    // made, it is kept: the sessions go on when the mouse comes back.
    if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !state->pointer) {
        state->pointer = wl_seat_get_pointer(seat);
        state->startSessions();
    }
}
void seatName(void *, wl_seat *, const char *) {}
const wl_seat_listener kSeatListener = {seatCapabilities, seatName};

template <typename T>
T *bind(wl_registry *registry, uint32_t name, const wl_interface *interface, uint32_t version,
        uint32_t offered)
{
    return static_cast<T *>(
        wl_registry_bind(registry, name, interface, std::min(version, offered)));
}

void globalAdded(void *data, wl_registry *registry, uint32_t name, const char *interface,
                 uint32_t version)
{
    auto *state = static_cast<CursorState *>(data);
    const auto is = [&](const wl_interface &known) {
        return std::strcmp(interface, known.name) == 0;
    };
    if (is(wl_output_interface)) {
        auto output = std::make_unique<Output>();
        output->state = state;
        output->globalName = name;
        output->output =
            bind<wl_output>(registry, name, &wl_output_interface, kOutputVersion, version);
        wl_output_add_listener(output->output, &kOutputListener, output.get());
        state->follow(*output);
        state->outputs.push_back(std::move(output));
    } else if (is(wl_seat_interface) && !state->seat) {
        // The first seat is the user's; a compositor with several shows one cursor per seat.
        state->seat = bind<wl_seat>(registry, name, &wl_seat_interface, kSeatVersion, version);
        wl_seat_add_listener(state->seat, &kSeatListener, state);
    } else if (is(ext_output_image_capture_source_manager_v1_interface) && !state->sources) {
        state->sources = bind<ext_output_image_capture_source_manager_v1>(
            registry, name, &ext_output_image_capture_source_manager_v1_interface, 1, version);
    } else if (is(ext_image_copy_capture_manager_v1_interface) && !state->capture) {
        state->capture = bind<ext_image_copy_capture_manager_v1>(
            registry, name, &ext_image_copy_capture_manager_v1_interface, 1, version);
    } else if (is(zxdg_output_manager_v1_interface) && !state->xdgOutputs) {
        state->xdgOutputs = bind<zxdg_output_manager_v1>(
            registry, name, &zxdg_output_manager_v1_interface, kXdgOutputVersion, version);
    }
}

void globalRemoved(void *data, wl_registry *, uint32_t name)
{
    auto *state = static_cast<CursorState *>(data);
    std::erase_if(state->outputs, [name](const std::unique_ptr<Output> &output) {
        return output->globalName == name;
    });
}
const wl_registry_listener kRegistryListener = {globalAdded, globalRemoved};

} // namespace

void CursorState::follow(Output &output)
{
    if (xdgOutputs && !output.xdgOutput) {
        output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(xdgOutputs, output.output);
        zxdg_output_v1_add_listener(output.xdgOutput, &kXdgOutputListener, &output);
    }
    if (!pointer || !sources || !capture || output.session)
        return;
    output.source =
        ext_output_image_capture_source_manager_v1_create_source(sources, output.output);
    output.session = ext_image_copy_capture_manager_v1_create_pointer_cursor_session(
        capture, output.source, pointer);
    ext_image_copy_capture_cursor_session_v1_add_listener(output.session, &kSessionListener,
                                                          &output);
}

void CursorState::startSessions()
{
    for (const std::unique_ptr<Output> &output : outputs)
        follow(*output);
}

CursorSessions::CursorSessions() = default;

CursorSessions::~CursorSessions()
{
    std::lock_guard lock(m_lock);
    m_state.reset();
    if (m_display)
        wl_display_disconnect(m_display);
}

bool CursorSessions::offered()
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    CursorSessions probe;
    return probe.open(false) == Failure::None;
}

CursorSessions::Failure CursorSessions::connect()
{
    return open(true);
}

CursorSessions::Failure CursorSessions::open(bool follow)
{
    std::lock_guard lock(m_lock);
    m_display = wl_display_connect(nullptr);
    if (!m_display)
        return Failure::NoDisplay;
    m_state = std::make_unique<CursorState>();
    m_state->registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_state->registry, &kRegistryListener, m_state.get());
    // The globals, then the outputs' places and the seat's capabilities.
    if (wl_display_roundtrip(m_display) < 0)
        return Failure::BrokeOff;
    if (!m_state->sources || !m_state->capture || !m_state->xdgOutputs)
        return Failure::NotOffered;
    if (!follow)
        return Failure::None;
    m_state->startSessions();
    if (wl_display_roundtrip(m_display) < 0)
        return Failure::BrokeOff;
    return Failure::None;
}

int CursorSessions::fd() const
{
    std::lock_guard lock(m_lock);
    return m_display ? wl_display_get_fd(m_display) : -1;
}

CursorSessions::News CursorSessions::read()
{
    std::lock_guard lock(m_lock);
    News news;
    if (!m_display)
        return news;
    const auto broken = [&] { return wl_display_get_error(m_display) != 0; };
    if (broken()) {
        news.broken = true;
        return news;
    }
    // Another reader cannot be in the middle (the lock), so only events already queued keep
    // prepare_read from succeeding.
    while (wl_display_prepare_read(m_display) != 0) {
        if (wl_display_dispatch_pending(m_display) < 0) {
            news.broken = true;
            return news;
        }
    }
    wl_display_flush(m_display);
    // No poll first: libwayland reads without waiting and takes an empty socket for no
    // events, so a tick costs one system call here, not two.
    if (wl_display_read_events(m_display) < 0) {
        news.broken = true;
        return news;
    }
    if (wl_display_dispatch_pending(m_display) < 0 || broken()) {
        news.broken = true;
        return news;
    }
    // Requests made while handling events (a new output's session) go out now.
    wl_display_flush(m_display);
    news.position = std::exchange(m_state->position, std::nullopt);
    return news;
}

} // namespace platform::wayland
