// SPDX-License-Identifier: GPL-3.0-or-later
// The session's globals, outputs, cursor sessions and layer-shell sprites, through libwayland and
// the code wayland-scanner makes from the protocols.
#include "wayland_session.h"

#include "platform/output_places.h"

#include "alpha-modifier-v1-client-protocol.h"
#include "ext-image-capture-source-v1-client-protocol.h"
#include "ext-image-copy-capture-v1-client-protocol.h"
#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <QPainter>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <map>

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>

namespace platform::wayland {

namespace {

constexpr std::uint32_t kOutputVersion = 4;
constexpr std::uint32_t kXdgOutputVersion = 3;
constexpr std::uint32_t kSeatVersion = 5;
constexpr std::uint32_t kCompositorVersion = 4;
constexpr std::uint32_t kLayerShellVersion = 4;
constexpr std::uint32_t kToplevelManagerVersion = 3;
constexpr auto kRoundTripLimit = std::chrono::seconds(5);
// Scales arrive in 120ths.
constexpr double kFractionalDenominator = 120.0;
constexpr std::size_t kMostRefusalBytes = 200;
// Layer surfaces are grouped by what they are for; compositors let users write rules for them.
constexpr char kLayerNamespace[] = "zorrit-trail";

// libwayland says a protocol error's words only to its log, once per connection; the session
// that broke takes them from here.
std::mutex g_logLock;
std::string g_lastLog;

void keepLog(const char *format, va_list args)
{
    char line[512];
    std::vsnprintf(line, sizeof line, format, args);
    // What libwayland would print, for every connection of the program (Qt's own too).
    std::fputs(line, stderr);
    const std::lock_guard lock(g_logLock);
    g_lastLog = line;
}

// Its words go to a terminal: no control characters, a line's worth at most.
QString refusalWords(const std::string &log)
{
    // "interface@id: error code: words"
    std::string_view words(log);
    const std::size_t error = words.find(": error ");
    if (error != std::string_view::npos) {
        const std::size_t colon = words.find(": ", error + 8);
        words = colon == std::string_view::npos ? std::string_view() : words.substr(colon + 2);
    }
    std::string kept;
    for (const char c : words.substr(0, kMostRefusalBytes)) {
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f)
            kept += c;
    }
    return QString::fromUtf8(kept.data(), qsizetype(kept.size())).trimmed();
}

// A buffer of shared memory holding one image, let go with the object.
struct ShmBuffer
{
    wl_buffer *buffer = nullptr;
    QSize size;
    ~ShmBuffer()
    {
        if (buffer)
            wl_buffer_destroy(buffer);
    }
};

std::unique_ptr<ShmBuffer> makeBuffer(wl_shm *shm, const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int stride = argb.width() * 4;
    const std::size_t bytes = std::size_t(stride) * std::size_t(argb.height());
    if (bytes == 0)
        return nullptr;
    const int fd = memfd_create("zorrit-sprite", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (fd < 0)
        return nullptr;
    std::unique_ptr<ShmBuffer> out;
    if (ftruncate(fd, off_t(bytes)) == 0) {
        void *memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (memory != MAP_FAILED) {
            for (int y = 0; y < argb.height(); ++y)
                std::memcpy(static_cast<char *>(memory) + std::size_t(y) * std::size_t(stride),
                            argb.constScanLine(y), std::size_t(stride));
            munmap(memory, bytes);
            wl_shm_pool *pool = wl_shm_create_pool(shm, fd, int(bytes));
            out = std::make_unique<ShmBuffer>();
            // ARGB32 premultiplied in the machine's byte order is what wl_shm calls argb8888.
            out->buffer = wl_shm_pool_create_buffer(pool, 0, argb.width(), argb.height(), stride,
                                                    WL_SHM_FORMAT_ARGB8888);
            out->size = argb.size();
            wl_shm_pool_destroy(pool);
        }
    }
    ::close(fd);
    return out;
}

} // namespace

struct Sprite
{
    wl_surface *surface = nullptr;
    wl_subsurface *subsurface = nullptr;
    wp_viewport *viewport = nullptr;
    wp_alpha_modifier_surface_v1 *alpha = nullptr;
    bool shown = false;
    QPoint position{INT_MIN, INT_MIN}; // relative to the output, as last set
};

struct Output
{
    SessionState *session = nullptr;
    std::uint32_t globalName = 0;
    wl_output *output = nullptr;
    zxdg_output_v1 *xdgOutput = nullptr;
    QSize mode;
    int transform = 0;
    int integerScale = 1;
    QPoint logicalPos;
    QSize logicalSize;
    bool described = false; // the first wl_output.done came

    // Its cursor session.
    ext_image_capture_source_v1 *captureSource = nullptr;
    ext_image_copy_capture_cursor_session_v1 *cursorSession = nullptr;

    // Its layer surface (1 x 1, transparent, at the output's top-left) and the five sprites as
    // its subsurfaces.
    wl_surface *base = nullptr;
    zwlr_layer_surface_v1 *layer = nullptr;
    wp_fractional_scale_v1 *fractional = nullptr;
    wp_viewport *baseViewport = nullptr;
    std::unique_ptr<ShmBuffer> baseBuffer;
    bool configured = false;
    double preferredScale = 0; // from the fractional scale; 0: none said
    double drawnScale = 0;     // the scale the sprites' buffers were drawn for
    std::array<Sprite, WaylandSession::kSpriteCount> sprites;
    std::array<std::unique_ptr<ShmBuffer>, WaylandSession::kSpriteCount> buffers;
    bool dirty = false; // a subsurface changed since the base's last commit

    double scale() const { return preferredScale > 0 ? preferredScale : integerScale; }
    QRect logicalRect() const { return QRect(logicalPos, logicalSize); }
};

// One of the compositor's windows, as its list says: each group of events ends with done, which
// makes the pending state the current one.
struct Toplevel
{
    struct State
    {
        bool activated = false;
        bool fullScreen = false;
        std::vector<wl_output *> outputs;
    };
    SessionState *session = nullptr;
    zwlr_foreign_toplevel_handle_v1 *handle = nullptr;
    State pending, current;
};

struct SessionState
{
    wl_display *display = nullptr;
    wl_registry *registry = nullptr;
    wl_compositor *compositor = nullptr;
    wl_subcompositor *subcompositor = nullptr;
    wl_shm *shm = nullptr;
    // Bound once the pointer is followed: a seat tells every client of each device that comes
    // and goes, news that only a cursor session needs.
    std::uint32_t seatName = 0;
    std::uint32_t seatVersion = 0;
    wl_seat *seat = nullptr;
    wl_pointer *pointer = nullptr;
    zwlr_layer_shell_v1 *layerShell = nullptr;
    std::uint32_t layerShellVersion = 0;
    zxdg_output_manager_v1 *xdgOutputs = nullptr;
    wp_viewporter *viewporter = nullptr;
    wp_fractional_scale_manager_v1 *fractionalScales = nullptr;
    wp_alpha_modifier_v1 *alphaModifier = nullptr;
    ext_output_image_capture_source_manager_v1 *captureSources = nullptr;
    ext_image_copy_capture_manager_v1 *captureManager = nullptr;
    std::vector<std::unique_ptr<Output>> outputs;

    // The compositor's list of windows, bound once followed.
    std::uint32_t toplevelManagerName = 0;
    std::uint32_t toplevelManagerVersion = 0;
    zwlr_foreign_toplevel_manager_v1 *toplevelManager = nullptr;
    std::vector<std::unique_ptr<Toplevel>> toplevels;
    FocusedWindow focused;
    int focusEvents = -1; // the eventfd told of each change of `focused`
    bool focusNews = false;

    // The pointer.
    bool followingPointer = false;
    std::optional<QPointF> position;
    bool everEntered = false;
    bool broken = false;
    QString refusal;

    // The sprites, as the trail last set them.
    std::array<QImage, WaylandSession::kSpriteCount> pictures;
    std::array<QPoint, WaylandSession::kSpriteCount> topLeft{};
    std::array<bool, WaylandSession::kSpriteCount> placed{};
    bool visible = false;
    bool onTop = true;
    double opacity = 1.0;
    bool layersWanted = false; // the sprites are shown on layer surfaces at all

    void bindGlobal(std::uint32_t name, const char *interface, std::uint32_t version);
    void removeGlobal(std::uint32_t name);
    void describeOutput(Output &output);
    void followOutput(Output &output);
    void dropCursorSession(Output &output);
    void makeLayer(Output &output);
    void dropLayer(Output &output);
    void configured(Output &output, std::uint32_t serial);
    void redrawSprites(Output &output);
    void redrawAll();
    QImage spriteImage(int index, double scale) const;
    void placeSprite(int index);
    void hideSprite(Output &output, int index);
    void setOpacity(Output &output);
    void commit();
    void addToplevel(zwlr_foreign_toplevel_handle_v1 *handle);
    void dropToplevel(Toplevel &toplevel);
    void noteFocus();
    void readSocket();
};

namespace {

// wl_output
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
void outputDone(void *data, wl_output *)
{
    auto *output = static_cast<Output *>(data);
    output->described = true;
    output->session->describeOutput(*output);
}
void outputScale(void *data, wl_output *, int32_t factor)
{
    static_cast<Output *>(data)->integerScale = std::max(1, factor);
}
void outputName(void *, wl_output *, const char *) {}
void outputDescription(void *, wl_output *, const char *) {}
const wl_output_listener kOutputListener = {outputGeometry, outputMode, outputDone,
                                            outputScale,    outputName, outputDescription};

// zxdg_output_v1: since version 3 its place is done with wl_output's done.
void xdgPosition(void *data, zxdg_output_v1 *, int32_t x, int32_t y)
{
    static_cast<Output *>(data)->logicalPos = QPoint(x, y);
}
void xdgSize(void *data, zxdg_output_v1 *, int32_t width, int32_t height)
{
    static_cast<Output *>(data)->logicalSize = QSize(width, height);
}
void xdgDone(void *, zxdg_output_v1 *) {}
void xdgName(void *, zxdg_output_v1 *, const char *) {}
void xdgDescription(void *, zxdg_output_v1 *, const char *) {}
const zxdg_output_v1_listener kXdgOutputListener = {xdgPosition, xdgSize, xdgDone, xdgName,
                                                    xdgDescription};

// The cursor session: only the position matters. It is the hotspot's, in the output's buffer
// pixels; a position outside the buffer is left to the output the pointer is on.
void cursorEnter(void *data, ext_image_copy_capture_cursor_session_v1 *)
{
    static_cast<Output *>(data)->session->everEntered = true;
}
void cursorLeave(void *, ext_image_copy_capture_cursor_session_v1 *) {}
void cursorPosition(void *data, ext_image_copy_capture_cursor_session_v1 *, int32_t x, int32_t y)
{
    auto *output = static_cast<Output *>(data);
    output->session->everEntered = true;
    if (const std::optional<QPointF> logical = bufferToLogical(
            output->logicalRect(), transformedSize(output->mode, output->transform), {x, y}))
        output->session->position = logical;
}
void cursorHotspot(void *, ext_image_copy_capture_cursor_session_v1 *, int32_t, int32_t) {}
const ext_image_copy_capture_cursor_session_v1_listener kCursorListener = {
    cursorEnter, cursorLeave, cursorPosition, cursorHotspot};

// wl_seat: a cursor session is made for a wl_pointer, which a seat gives only while it has one.
// Once made, it is kept: the sessions go on when the mouse comes back.
void seatCapabilities(void *data, wl_seat *seat, uint32_t capabilities)
{
    auto *state = static_cast<SessionState *>(data);
    if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !state->pointer) {
        state->pointer = wl_seat_get_pointer(seat);
        for (const auto &output : state->outputs)
            state->followOutput(*output);
    }
}
void seatNamed(void *, wl_seat *, const char *) {}
const wl_seat_listener kSeatListener = {seatCapabilities, seatNamed};

// The sprites' layer surface.
void layerConfigure(void *data, zwlr_layer_surface_v1 *, uint32_t serial, uint32_t, uint32_t)
{
    auto *output = static_cast<Output *>(data);
    output->session->configured(*output, serial);
}
void layerClosed(void *data, zwlr_layer_surface_v1 *)
{
    // The compositor took it away (its output is going): made anew while the output stays.
    auto *output = static_cast<Output *>(data);
    output->session->dropLayer(*output);
    output->session->makeLayer(*output);
}
const zwlr_layer_surface_v1_listener kLayerListener = {layerConfigure, layerClosed};

void preferredScale(void *data, wp_fractional_scale_v1 *, uint32_t scale)
{
    auto *output = static_cast<Output *>(data);
    output->preferredScale = scale / kFractionalDenominator;
    output->session->redrawSprites(*output);
}
const wp_fractional_scale_v1_listener kFractionalListener = {preferredScale};

// The list of windows: only which has the focus, whether it is full screen, and where.
void toplevelTitle(void *, zwlr_foreign_toplevel_handle_v1 *, const char *) {}
void toplevelAppId(void *, zwlr_foreign_toplevel_handle_v1 *, const char *) {}
void toplevelOutputEnter(void *data, zwlr_foreign_toplevel_handle_v1 *, wl_output *output)
{
    std::vector<wl_output *> &outputs = static_cast<Toplevel *>(data)->pending.outputs;
    if (std::find(outputs.begin(), outputs.end(), output) == outputs.end())
        outputs.push_back(output);
}
void toplevelOutputLeave(void *data, zwlr_foreign_toplevel_handle_v1 *, wl_output *output)
{
    std::erase(static_cast<Toplevel *>(data)->pending.outputs, output);
}
void toplevelState(void *data, zwlr_foreign_toplevel_handle_v1 *, wl_array *states)
{
    Toplevel::State &pending = static_cast<Toplevel *>(data)->pending;
    pending.activated = false;
    pending.fullScreen = false;
    const auto *state = static_cast<const std::uint32_t *>(states->data);
    for (std::size_t i = 0; i < states->size / sizeof *state; ++i) {
        if (state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED)
            pending.activated = true;
        else if (state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_FULLSCREEN)
            pending.fullScreen = true;
    }
}
void toplevelDone(void *data, zwlr_foreign_toplevel_handle_v1 *)
{
    auto *toplevel = static_cast<Toplevel *>(data);
    toplevel->current = toplevel->pending;
    toplevel->session->noteFocus();
}
void toplevelClosed(void *data, zwlr_foreign_toplevel_handle_v1 *)
{
    auto *toplevel = static_cast<Toplevel *>(data);
    toplevel->session->dropToplevel(*toplevel);
}
void toplevelParent(void *, zwlr_foreign_toplevel_handle_v1 *, zwlr_foreign_toplevel_handle_v1 *) {}
const zwlr_foreign_toplevel_handle_v1_listener kToplevelListener = {
    toplevelTitle, toplevelAppId, toplevelOutputEnter, toplevelOutputLeave,
    toplevelState, toplevelDone,  toplevelClosed,      toplevelParent};

void toplevelAnnounced(void *data, zwlr_foreign_toplevel_manager_v1 *,
                       zwlr_foreign_toplevel_handle_v1 *handle)
{
    static_cast<SessionState *>(data)->addToplevel(handle);
}
void toplevelsFinished(void *data, zwlr_foreign_toplevel_manager_v1 *manager)
{
    // Nothing more is announced; the windows already known stay followed.
    wl_proxy_destroy(reinterpret_cast<wl_proxy *>(manager));
    static_cast<SessionState *>(data)->toplevelManager = nullptr;
}
const zwlr_foreign_toplevel_manager_v1_listener kToplevelManagerListener = {toplevelAnnounced,
                                                                            toplevelsFinished};

// The registry.
void registryGlobal(void *data, wl_registry *, uint32_t name, const char *interface,
                    uint32_t version)
{
    static_cast<SessionState *>(data)->bindGlobal(name, interface, version);
}
void registryGlobalRemove(void *data, wl_registry *, uint32_t name)
{
    static_cast<SessionState *>(data)->removeGlobal(name);
}
const wl_registry_listener kRegistryListener = {registryGlobal, registryGlobalRemove};

template <class T>
T *bind(wl_registry *registry, std::uint32_t name, const wl_interface *interface,
        std::uint32_t version)
{
    return static_cast<T *>(wl_registry_bind(registry, name, interface, version));
}

// A round trip within the limit: libwayland's own would wait for ever on a compositor that hangs.
bool roundTrip(wl_display *display)
{
    bool done = false;
    wl_callback *callback = wl_display_sync(display);
    static const wl_callback_listener listener = {
        [](void *data, wl_callback *, uint32_t) { *static_cast<bool *>(data) = true; }};
    wl_callback_add_listener(callback, &listener, &done);
    const auto deadline = std::chrono::steady_clock::now() + kRoundTripLimit;
    bool ok = true;
    while (!done) {
        if (wl_display_dispatch_pending(display) < 0) {
            ok = false;
            break;
        }
        if (done)
            break;
        if (wl_display_flush(display) < 0 && errno != EAGAIN) {
            ok = false;
            break;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            ok = false;
            break;
        }
        if (wl_display_prepare_read(display) != 0)
            continue;
        pollfd polled{wl_display_get_fd(display), POLLIN, 0};
        if (::poll(&polled, 1, int(left.count())) <= 0) {
            wl_display_cancel_read(display);
            continue;
        }
        if (wl_display_read_events(display) < 0) {
            ok = false;
            break;
        }
    }
    // Answered or not, our side of it is ours to free.
    wl_callback_destroy(callback);
    return ok && done;
}

// Frees our side of an object; the compositor lets go of its own with the connection.
template <class T>
void forget(T *&proxy)
{
    if (proxy)
        wl_proxy_destroy(reinterpret_cast<wl_proxy *>(proxy));
    proxy = nullptr;
}

} // namespace

void SessionState::bindGlobal(std::uint32_t name, const char *interface, std::uint32_t version)
{
    const std::string_view kind(interface);
    if (kind == wl_output_interface.name) {
        auto output = std::make_unique<Output>();
        output->session = this;
        output->globalName = name;
        output->output = bind<wl_output>(registry, name, &wl_output_interface,
                                         std::min(kOutputVersion, version));
        wl_output_add_listener(output->output, &kOutputListener, output.get());
        if (xdgOutputs) {
            output->xdgOutput = zxdg_output_manager_v1_get_xdg_output(xdgOutputs, output->output);
            zxdg_output_v1_add_listener(output->xdgOutput, &kXdgOutputListener, output.get());
        }
        outputs.push_back(std::move(output));
    } else if (kind == wl_compositor_interface.name && !compositor) {
        compositor = bind<wl_compositor>(registry, name, &wl_compositor_interface,
                                         std::min(kCompositorVersion, version));
    } else if (kind == wl_subcompositor_interface.name && !subcompositor) {
        subcompositor = bind<wl_subcompositor>(registry, name, &wl_subcompositor_interface, 1);
    } else if (kind == wl_shm_interface.name && !shm) {
        shm = bind<wl_shm>(registry, name, &wl_shm_interface, 1);
    } else if (kind == wl_seat_interface.name && !seatName) {
        // The first seat is the user's; a compositor with several shows one cursor per seat.
        seatName = name;
        seatVersion = std::min(kSeatVersion, version);
    } else if (kind == zwlr_layer_shell_v1_interface.name && !layerShell) {
        layerShellVersion = std::min(kLayerShellVersion, version);
        layerShell = bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface,
                                               layerShellVersion);
    } else if (kind == zxdg_output_manager_v1_interface.name && !xdgOutputs) {
        xdgOutputs = bind<zxdg_output_manager_v1>(registry, name, &zxdg_output_manager_v1_interface,
                                                  std::min(kXdgOutputVersion, version));
        for (const auto &output : outputs) {
            output->xdgOutput = zxdg_output_manager_v1_get_xdg_output(xdgOutputs, output->output);
            zxdg_output_v1_add_listener(output->xdgOutput, &kXdgOutputListener, output.get());
        }
    } else if (kind == wp_viewporter_interface.name && !viewporter) {
        viewporter = bind<wp_viewporter>(registry, name, &wp_viewporter_interface, 1);
    } else if (kind == wp_fractional_scale_manager_v1_interface.name && !fractionalScales) {
        fractionalScales = bind<wp_fractional_scale_manager_v1>(
            registry, name, &wp_fractional_scale_manager_v1_interface, 1);
    } else if (kind == wp_alpha_modifier_v1_interface.name && !alphaModifier) {
        alphaModifier =
            bind<wp_alpha_modifier_v1>(registry, name, &wp_alpha_modifier_v1_interface, 1);
    } else if (kind == ext_output_image_capture_source_manager_v1_interface.name
               && !captureSources) {
        captureSources = bind<ext_output_image_capture_source_manager_v1>(
            registry, name, &ext_output_image_capture_source_manager_v1_interface, 1);
    } else if (kind == ext_image_copy_capture_manager_v1_interface.name && !captureManager) {
        captureManager = bind<ext_image_copy_capture_manager_v1>(
            registry, name, &ext_image_copy_capture_manager_v1_interface, 1);
    } else if (kind == zwlr_foreign_toplevel_manager_v1_interface.name && !toplevelManagerName) {
        // Bound once followed: until then the compositor need not tell of every window.
        toplevelManagerName = name;
        toplevelManagerVersion = std::min(kToplevelManagerVersion, version);
    }
}

void SessionState::removeGlobal(std::uint32_t name)
{
    std::erase_if(outputs, [&](const std::unique_ptr<Output> &output) {
        if (output->globalName != name)
            return false;
        for (const auto &toplevel : toplevels) {
            std::erase(toplevel->pending.outputs, output->output);
            std::erase(toplevel->current.outputs, output->output);
        }
        dropCursorSession(*output);
        dropLayer(*output);
        if (output->xdgOutput)
            zxdg_output_v1_destroy(output->xdgOutput);
        if (wl_output_get_version(output->output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
            wl_output_release(output->output);
        else
            wl_output_destroy(output->output);
        return true;
    });
    // The sprites that were on it go where they belong at the next move.
    for (int k = 0; k < WaylandSession::kSpriteCount; ++k)
        placeSprite(k);
    noteFocus();
}

void SessionState::describeOutput(Output &output)
{
    followOutput(output);
    if (layersWanted && !output.layer)
        makeLayer(output);
    // A whole scale that changed, where the compositor gives no fractional one.
    if (output.configured && output.drawnScale != output.scale())
        redrawSprites(output);
    for (int k = 0; k < WaylandSession::kSpriteCount; ++k)
        placeSprite(k);
    noteFocus(); // a full-screen window on it is where the output now is
}

void SessionState::followOutput(Output &output)
{
    if (!followingPointer || !pointer || !captureSources || !captureManager || output.cursorSession
        || !output.described)
        return;
    output.captureSource =
        ext_output_image_capture_source_manager_v1_create_source(captureSources, output.output);
    output.cursorSession = ext_image_copy_capture_manager_v1_create_pointer_cursor_session(
        captureManager, output.captureSource, pointer);
    ext_image_copy_capture_cursor_session_v1_add_listener(output.cursorSession, &kCursorListener,
                                                          &output);
}

void SessionState::dropCursorSession(Output &output)
{
    if (output.cursorSession)
        ext_image_copy_capture_cursor_session_v1_destroy(output.cursorSession);
    if (output.captureSource)
        ext_image_capture_source_v1_destroy(output.captureSource);
    output.cursorSession = nullptr;
    output.captureSource = nullptr;
}

void SessionState::addToplevel(zwlr_foreign_toplevel_handle_v1 *handle)
{
    auto toplevel = std::make_unique<Toplevel>();
    toplevel->session = this;
    toplevel->handle = handle;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &kToplevelListener, toplevel.get());
    toplevels.push_back(std::move(toplevel));
}

void SessionState::dropToplevel(Toplevel &toplevel)
{
    zwlr_foreign_toplevel_handle_v1_destroy(toplevel.handle);
    std::erase_if(toplevels,
                  [&](const std::unique_ptr<Toplevel> &held) { return held.get() == &toplevel; });
    noteFocus();
}

void SessionState::noteFocus()
{
    FocusedWindow now;
    const auto isFocusedFullScreen = [](const std::unique_ptr<Toplevel> &toplevel) {
        return toplevel->current.activated && toplevel->current.fullScreen;
    };
    now.fullScreen = std::ranges::any_of(toplevels, isFocusedFullScreen);
    // In the outputs' order, whatever order the window entered them in.
    for (const auto &output : outputs) {
        if (!output->described || output->logicalSize.isEmpty())
            continue;
        const bool shows = std::ranges::any_of(toplevels, [&](const auto &toplevel) {
            return isFocusedFullScreen(toplevel)
                   && std::ranges::count(toplevel->current.outputs, output->output) > 0;
        });
        if (shows)
            now.areas.push_back(output->logicalRect());
    }
    if (now == focused)
        return;
    focused = std::move(now);
    focusNews = true;
}

void SessionState::readSocket()
{
    if (broken)
        return;
    bool ok = true;
    while (ok && wl_display_prepare_read(display) != 0)
        ok = wl_display_dispatch_pending(display) >= 0;
    if (ok) {
        wl_display_flush(display);
        // Never blocks: libwayland reads what the socket holds.
        ok = wl_display_read_events(display) >= 0 && wl_display_dispatch_pending(display) >= 0;
        // What the events asked for (a configure's answer, new outputs' sessions and surfaces)
        // and what they changed on the sprites (shown after a configure, drawn at a new scale)
        // go out now: while the trail sleeps, nothing else would send them.
        if (ok)
            commit();
    }
    if (!ok) {
        broken = true;
        if (wl_display_get_error(display) == EPROTO) {
            const std::lock_guard logLock(g_logLock);
            refusal = refusalWords(g_lastLog);
        }
        // A list that says nothing more cannot keep the trail hidden.
        if (focused != FocusedWindow{}) {
            focused = {};
            focusNews = true;
        }
    }
}

void SessionState::makeLayer(Output &output)
{
    if (!layerShell || !compositor || !subcompositor || !shm || !output.described
        || output.logicalSize.isEmpty())
        return;
    output.base = wl_compositor_create_surface(compositor);
    // Clicks go through: no part of any of the surfaces takes input.
    wl_region *none = wl_compositor_create_region(compositor);
    wl_surface_set_input_region(output.base, none);
    if (fractionalScales) {
        output.fractional =
            wp_fractional_scale_manager_v1_get_fractional_scale(fractionalScales, output.base);
        wp_fractional_scale_v1_add_listener(output.fractional, &kFractionalListener, &output);
    }
    output.layer = zwlr_layer_shell_v1_get_layer_surface(layerShell, output.base, output.output,
                                                         onTop ? ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY
                                                               : ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM,
                                                         kLayerNamespace);
    zwlr_layer_surface_v1_add_listener(output.layer, &kLayerListener, &output);
    zwlr_layer_surface_v1_set_size(output.layer, 1, 1);
    zwlr_layer_surface_v1_set_anchor(output.layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP
                                                       | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
    // -1: it is not moved out of a panel's way, so its corner is the output's, and it moves
    // nothing else out of its own way.
    zwlr_layer_surface_v1_set_exclusive_zone(output.layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        output.layer, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    for (Sprite &sprite : output.sprites) {
        sprite.surface = wl_compositor_create_surface(compositor);
        wl_surface_set_input_region(sprite.surface, none);
        sprite.subsurface =
            wl_subcompositor_get_subsurface(subcompositor, sprite.surface, output.base);
        if (viewporter)
            sprite.viewport = wp_viewporter_get_viewport(viewporter, sprite.surface);
        if (alphaModifier)
            sprite.alpha = wp_alpha_modifier_v1_get_surface(alphaModifier, sprite.surface);
        sprite.shown = false;
        sprite.position = QPoint(INT_MIN, INT_MIN);
    }
    wl_region_destroy(none);
    // The first commit carries no buffer; the compositor answers with a configure.
    wl_surface_commit(output.base);
}

void SessionState::dropLayer(Output &output)
{
    for (Sprite &sprite : output.sprites) {
        if (sprite.alpha)
            wp_alpha_modifier_surface_v1_destroy(sprite.alpha);
        if (sprite.viewport)
            wp_viewport_destroy(sprite.viewport);
        if (sprite.subsurface)
            wl_subsurface_destroy(sprite.subsurface);
        if (sprite.surface)
            wl_surface_destroy(sprite.surface);
        sprite = Sprite();
    }
    if (output.fractional)
        wp_fractional_scale_v1_destroy(output.fractional);
    if (output.baseViewport)
        wp_viewport_destroy(output.baseViewport);
    if (output.layer)
        zwlr_layer_surface_v1_destroy(output.layer);
    if (output.base)
        wl_surface_destroy(output.base);
    output.fractional = nullptr;
    output.baseViewport = nullptr;
    output.layer = nullptr;
    output.base = nullptr;
    output.configured = false;
    output.drawnScale = 0;
    output.dirty = false;
    for (auto &buffer : output.buffers)
        buffer.reset();
    output.baseBuffer.reset();
}

void SessionState::configured(Output &output, std::uint32_t serial)
{
    zwlr_layer_surface_v1_ack_configure(output.layer, serial);
    if (!output.configured) {
        output.configured = true;
        QImage clear(1, 1, QImage::Format_ARGB32_Premultiplied);
        clear.fill(Qt::transparent);
        output.baseBuffer = makeBuffer(shm, clear);
        if (output.baseBuffer)
            wl_surface_attach(output.base, output.baseBuffer->buffer, 0, 0);
        redrawSprites(output);
    }
    wl_surface_commit(output.base);
    for (int k = 0; k < WaylandSession::kSpriteCount; ++k)
        placeSprite(k);
}

QImage SessionState::spriteImage(int index, double scale) const
{
    const QImage &picture = pictures[index];
    if (picture.isNull())
        return {};
    const QSize size(int(std::ceil(picture.width() * scale - 0.01)),
                     int(std::ceil(picture.height() * scale - 0.01)));
    QImage image = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (!alphaModifier && opacity < 1.0) {
        QImage faded(image.size(), QImage::Format_ARGB32_Premultiplied);
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(opacity);
        painter.drawImage(0, 0, image);
        painter.end();
        image = faded;
    }
    return image;
}

void SessionState::redrawSprites(Output &output)
{
    if (!output.configured)
        return;
    const double scale = output.scale();
    output.drawnScale = scale;
    setOpacity(output);
    for (int k = 0; k < WaylandSession::kSpriteCount; ++k) {
        Sprite &sprite = output.sprites[k];
        const QImage image = spriteImage(k, scale);
        std::unique_ptr<ShmBuffer> buffer = image.isNull() ? nullptr : makeBuffer(shm, image);
        const QSize logical = pictures[k].size();
        if (sprite.viewport && !logical.isEmpty()) {
            wp_viewport_set_destination(sprite.viewport, logical.width(), logical.height());
        } else {
            // Without a viewport only whole scales can be drawn sharp.
            wl_surface_set_buffer_scale(sprite.surface, std::max(1, int(std::lround(scale))));
        }
        if (sprite.shown) {
            wl_surface_attach(sprite.surface, buffer ? buffer->buffer : nullptr, 0, 0);
            wl_surface_damage(sprite.surface, 0, 0, INT32_MAX, INT32_MAX);
        }
        wl_surface_commit(sprite.surface);
        // The old buffer goes once the new one is attached; the compositor keeps what it showed.
        output.buffers[k] = std::move(buffer);
    }
    output.dirty = true;
}

void SessionState::redrawAll()
{
    for (const auto &output : outputs)
        redrawSprites(*output);
}

void SessionState::setOpacity(Output &output)
{
    if (!alphaModifier)
        return;
    const auto factor = std::uint32_t(std::clamp(opacity, 0.0, 1.0) * double(UINT32_MAX));
    for (Sprite &sprite : output.sprites) {
        if (sprite.alpha)
            wp_alpha_modifier_surface_v1_set_multiplier(sprite.alpha, factor);
    }
}

void SessionState::hideSprite(Output &output, int index)
{
    Sprite &sprite = output.sprites[index];
    if (!sprite.shown)
        return;
    wl_surface_attach(sprite.surface, nullptr, 0, 0);
    wl_surface_commit(sprite.surface);
    sprite.shown = false;
    output.dirty = true;
}

void SessionState::placeSprite(int index)
{
    // A sprite is shown on the output that holds its centre (the nearest, between outputs), and
    // only there.
    Output *home = nullptr;
    if (visible && placed[index]) {
        const QPoint centre =
            topLeft[index] + QPoint(pictures[index].width() / 2, pictures[index].height() / 2);
        long nearest = LONG_MAX;
        for (const auto &output : outputs) {
            if (!output->configured)
                continue;
            const QRect rect = output->logicalRect();
            const long dx = std::max({0, rect.left() - centre.x(), centre.x() - rect.right()});
            const long dy = std::max({0, rect.top() - centre.y(), centre.y() - rect.bottom()});
            const long distance = dx * dx + dy * dy;
            if (distance < nearest) {
                nearest = distance;
                home = output.get();
            }
        }
    }
    for (const auto &output : outputs) {
        if (output.get() != home && output->configured)
            hideSprite(*output, index);
    }
    if (!home)
        return;
    Sprite &sprite = home->sprites[index];
    const QPoint relative = topLeft[index] - home->logicalPos;
    if (relative != sprite.position) {
        wl_subsurface_set_position(sprite.subsurface, relative.x(), relative.y());
        sprite.position = relative;
        home->dirty = true;
    }
    if (!sprite.shown && home->buffers[index]) {
        wl_surface_attach(sprite.surface, home->buffers[index]->buffer, 0, 0);
        wl_surface_damage(sprite.surface, 0, 0, INT32_MAX, INT32_MAX);
        wl_surface_commit(sprite.surface);
        sprite.shown = true;
        home->dirty = true;
    }
}

void SessionState::commit()
{
    // The subsurfaces are synchronised: their positions and buffers show with their base's
    // commit, all five at once.
    for (const auto &output : outputs) {
        if (output->dirty && output->configured) {
            wl_surface_commit(output->base);
            output->dirty = false;
        }
    }
    wl_display_flush(display);
}

WaylandSession::WaylandSession()
    : m_state(std::make_unique<SessionState>())
{
}

WaylandSession::~WaylandSession()
{
    SessionState &s = *m_state;
    if (!s.display)
        return;
    for (const auto &output : s.outputs) {
        s.dropCursorSession(*output);
        s.dropLayer(*output);
        if (output->xdgOutput)
            zxdg_output_v1_destroy(output->xdgOutput);
        wl_output_destroy(output->output);
    }
    s.outputs.clear();
    for (const auto &toplevel : s.toplevels)
        zwlr_foreign_toplevel_handle_v1_destroy(toplevel->handle);
    s.toplevels.clear();
    if (s.toplevelManager)
        zwlr_foreign_toplevel_manager_v1_stop(s.toplevelManager);
    forget(s.toplevelManager);
    if (s.focusEvents >= 0)
        ::close(s.focusEvents);
    // libwayland frees no object with the connection.
    forget(s.pointer);
    forget(s.seat);
    forget(s.compositor);
    forget(s.subcompositor);
    forget(s.shm);
    forget(s.layerShell);
    forget(s.xdgOutputs);
    forget(s.viewporter);
    forget(s.fractionalScales);
    forget(s.alphaModifier);
    forget(s.captureSources);
    forget(s.captureManager);
    forget(s.registry);
    wl_display_flush(s.display);
    wl_display_disconnect(s.display);
}

std::unique_ptr<WaylandSession> WaylandSession::connect()
{
    static std::once_flag logHandler;
    std::call_once(logHandler, [] { wl_log_set_handler_client(keepLog); });
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return nullptr;
    std::unique_ptr<WaylandSession> session(new WaylandSession);
    SessionState &s = *session->m_state;
    s.display = display;
    s.registry = wl_display_get_registry(display);
    wl_registry_add_listener(s.registry, &kRegistryListener, &s);
    // The globals, then what the outputs say of themselves.
    if (!roundTrip(display) || !roundTrip(display))
        return nullptr;
    return session;
}

WaylandSession::Offers WaylandSession::offers() const
{
    const std::lock_guard lock(m_lock);
    const SessionState &s = *m_state;
    Offers offers;
    offers.layerShell = s.layerShell && s.compositor && s.subcompositor && s.shm && s.xdgOutputs;
    offers.cursorSessions = s.captureSources && s.captureManager && s.xdgOutputs;
    offers.toplevels = s.toplevelManagerName != 0;
    return offers;
}

int WaylandSession::fd() const
{
    return wl_display_get_fd(m_state->display);
}

std::vector<QRect> WaylandSession::outputs() const
{
    const std::lock_guard lock(m_lock);
    std::vector<QRect> out;
    for (const auto &output : m_state->outputs) {
        if (output->described && !output->logicalSize.isEmpty())
            out.push_back(output->logicalRect());
    }
    return out;
}

void WaylandSession::read()
{
    // Told once the lock is let go, and only when there is news.
    int tell = -1;
    {
        const std::lock_guard lock(m_lock);
        m_state->readSocket();
        if (std::exchange(m_state->focusNews, false))
            tell = m_state->focusEvents;
    }
    if (tell >= 0)
        (void)eventfd_write(tell, 1);
}

WaylandSession::PointerNews WaylandSession::takePointerNews()
{
    const std::lock_guard lock(m_lock);
    SessionState &s = *m_state;
    PointerNews news;
    news.position = std::exchange(s.position, std::nullopt);
    news.everEntered = s.everEntered;
    news.broken = s.broken;
    news.refusal = s.refusal;
    return news;
}

std::optional<QString> WaylandSession::ended() const
{
    const std::lock_guard lock(m_lock);
    if (!m_state->broken)
        return std::nullopt;
    return m_state->refusal;
}

int WaylandSession::followToplevels()
{
    const std::lock_guard lock(m_lock);
    SessionState &s = *m_state;
    if (!s.toplevelManagerName || s.broken)
        return -1;
    if (s.focusEvents < 0) {
        s.focusEvents = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (s.focusEvents < 0)
            return -1;
        s.toplevelManager = bind<zwlr_foreign_toplevel_manager_v1>(
            s.registry, s.toplevelManagerName, &zwlr_foreign_toplevel_manager_v1_interface,
            s.toplevelManagerVersion);
        zwlr_foreign_toplevel_manager_v1_add_listener(s.toplevelManager, &kToplevelManagerListener,
                                                      &s);
        wl_display_flush(s.display);
    }
    return s.focusEvents;
}

FocusedWindow WaylandSession::focusedWindow() const
{
    const std::lock_guard lock(m_lock);
    return m_state->focused;
}

bool WaylandSession::followPointer()
{
    const std::lock_guard lock(m_lock);
    SessionState &s = *m_state;
    if (!s.captureSources || !s.captureManager || !s.xdgOutputs || !s.seatName || s.broken)
        return false;
    s.followingPointer = true;
    if (!s.seat) {
        // Its capabilities come with the next read, and with them the pointer.
        s.seat = bind<wl_seat>(s.registry, s.seatName, &wl_seat_interface, s.seatVersion);
        wl_seat_add_listener(s.seat, &kSeatListener, &s);
    }
    for (const auto &output : s.outputs)
        s.followOutput(*output);
    wl_display_flush(s.display);
    return true;
}

void WaylandSession::setSpritePicture(int index, const QImage &picture)
{
    if (index < 0 || index >= kSpriteCount)
        return;
    const std::lock_guard lock(m_lock);
    SessionState &s = *m_state;
    s.pictures[index] = picture;
    for (const auto &output : s.outputs) {
        if (!output->configured)
            continue;
        Sprite &sprite = output->sprites[index];
        const QImage image = s.spriteImage(index, output->scale());
        std::unique_ptr<ShmBuffer> buffer = image.isNull() ? nullptr : makeBuffer(s.shm, image);
        if (sprite.viewport && !picture.isNull())
            wp_viewport_set_destination(sprite.viewport, picture.width(), picture.height());
        if (sprite.shown) {
            wl_surface_attach(sprite.surface, buffer ? buffer->buffer : nullptr, 0, 0);
            wl_surface_damage(sprite.surface, 0, 0, INT32_MAX, INT32_MAX);
            wl_surface_commit(sprite.surface);
            output->dirty = true;
        }
        output->buffers[index] = std::move(buffer);
    }
    s.commit();
}

void WaylandSession::setSpritesVisible(bool visible)
{
    const std::lock_guard lock(m_lock);
    SessionState &s = *m_state;
    s.visible = visible;
    if (visible && !s.layersWanted) {
        s.layersWanted = true;
        for (const auto &output : s.outputs) {
            if (!output->layer)
                s.makeLayer(*output);
        }
    }
    for (int k = 0; k < kSpriteCount; ++k)
        s.placeSprite(k);
    s.commit();
}

void WaylandSession::setSpritesOnTop(bool onTop)
{
    const std::lock_guard lock(m_lock);
    SessionState &s = *m_state;
    if (s.onTop == onTop)
        return;
    s.onTop = onTop;
    const auto layer = onTop ? ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY : ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM;
    for (const auto &output : s.outputs) {
        if (!output->layer)
            continue;
        if (s.layerShellVersion >= ZWLR_LAYER_SURFACE_V1_SET_LAYER_SINCE_VERSION) {
            zwlr_layer_surface_v1_set_layer(output->layer, layer);
            output->dirty = true;
        } else {
            // An older layer shell cannot move a surface to another layer: it is made anew there.
            s.dropLayer(*output);
            s.makeLayer(*output);
        }
    }
    s.commit();
}

void WaylandSession::setSpriteOpacity(double opacity)
{
    const std::lock_guard lock(m_lock);
    SessionState &s = *m_state;
    if (s.opacity == opacity)
        return;
    s.opacity = opacity;
    if (s.alphaModifier) {
        for (const auto &output : s.outputs) {
            if (!output->configured)
                continue;
            s.setOpacity(*output);
            for (Sprite &sprite : output->sprites)
                wl_surface_commit(sprite.surface);
            output->dirty = true;
        }
    } else {
        // The alpha goes into the pictures' pixels.
        s.redrawAll();
    }
    s.commit();
}

void WaylandSession::moveSprite(int index, QPoint topLeft)
{
    if (index < 0 || index >= kSpriteCount)
        return;
    const std::lock_guard lock(m_lock);
    SessionState &s = *m_state;
    s.topLeft[index] = topLeft;
    s.placed[index] = true;
    s.placeSprite(index);
}

void WaylandSession::commitSprites()
{
    const std::lock_guard lock(m_lock);
    m_state->commit();
}

} // namespace platform::wayland
