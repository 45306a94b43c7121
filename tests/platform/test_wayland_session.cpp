// SPDX-License-Identifier: GPL-3.0-or-later
// WaylandSession against a compositor made with libwayland-server: the pointer from its cursor
// sessions, and the sprites as the compositor sees them (layer surfaces, subsurfaces, buffers).
#include "platform/fake/fake_window_system.h"
#include "platform/pointer_source.h"
#include "platform/wayland/layer_shell_window_system.h"
#include "platform/wayland/wayland_session.h"

#include "ext-image-capture-source-v1-server-protocol.h"
#include "ext-image-copy-capture-v1-server-protocol.h"
#include "fractional-scale-v1-server-protocol.h"
#include "viewporter-server-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-server-protocol.h"
#include "wlr-layer-shell-unstable-v1-server-protocol.h"
#include "xdg-output-unstable-v1-server-protocol.h"

#include <QFile>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <wayland-server.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <list>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include <sys/eventfd.h>
#include <unistd.h>

using platform::FakeWindowSystem;
using platform::SourcedWindowSystem;
using platform::wayland::LayerShellWindowSystem;
using platform::wayland::WaylandSession;

namespace {

struct OutputSpec
{
    QSize mode;
    int transform = WL_OUTPUT_TRANSFORM_NORMAL;
    QRect logical;
    int scale = 1;
    int fractional = 0; // the preferred scale in 120ths; 0: none said
};

// Which of the globals Zorrit looks for the compositor offers.
struct Globals
{
    bool cursorSessions = true;
    bool layerShell = true;
    bool toplevels = true; // the list of windows
};

// What the compositor shows of a surface: a layer surface's subsurfaces, in the order they were
// made.
struct SurfaceSeen
{
    QPoint position; // relative to its parent
    QImage picture;  // the buffer's pixels (ARGB32); null: none attached
    QSize destination;
    bool takesInput = true;
};
struct LayerSeen
{
    int output = -1;
    std::uint32_t layer = 0;
    std::uint32_t anchor = 0;
    std::uint32_t keyboard = 0;
    std::int32_t exclusiveZone = 0;
    QSize size;
    bool configureSent = false;
    bool acked = false;
    bool takesInput = true;
    std::vector<SurfaceSeen> children;
};

// An input region that holds everything: a surface's own, until it sets one.
const QRegion kEverywhere(QRect(-1000000, -1000000, 2000000, 2000000));

// The requests' tables list what this libwayland has; a newer one adds requests at their end,
// which stay null: the session under test never sends them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
// A compositor on its own thread. Everything that touches its objects runs there (run()), as
// libwayland-server wants. Surfaces keep wl_surface's double-buffered state: a commit applies it,
// a synchronised subsurface's waits for its parent's commit, and so does its position.
class TestCompositor
{
public:
    struct Output
    {
        OutputSpec spec;
        wl_global *global = nullptr;
        std::vector<wl_resource *> bound; // the client's objects for it
    };
    struct Session
    {
        wl_resource *resource = nullptr;
        const Output *output = nullptr;
    };

    explicit TestCompositor(std::vector<OutputSpec> outputs, Globals globals = {})
    {
        m_display = wl_display_create();
        const char *socket = wl_display_add_socket_auto(m_display);
        if (socket)
            m_socketName = socket;
        wl_global_create(m_display, &wl_seat_interface, 5, this, bindSeat);
        wl_global_create(m_display, &zxdg_output_manager_v1_interface, 3, this, bindXdgOutputs);
        if (globals.cursorSessions) {
            wl_global_create(m_display, &ext_output_image_capture_source_manager_v1_interface, 1,
                             this, bindSources);
            wl_global_create(m_display, &ext_image_copy_capture_manager_v1_interface, 1, this,
                             bindCapture);
        }
        wl_display_init_shm(m_display);
        wl_global_create(m_display, &wl_compositor_interface, 4, this, bindCompositor);
        wl_global_create(m_display, &wl_subcompositor_interface, 1, this, bindSubcompositor);
        wl_global_create(m_display, &wp_viewporter_interface, 1, this, bindViewporter);
        wl_global_create(m_display, &wp_fractional_scale_manager_v1_interface, 1, this,
                         bindFractionalScales);
        if (globals.layerShell)
            wl_global_create(m_display, &zwlr_layer_shell_v1_interface, 4, this, bindLayerShell);
        if (globals.toplevels)
            wl_global_create(m_display, &zwlr_foreign_toplevel_manager_v1_interface, 3, this,
                             bindToplevels);
        for (const OutputSpec &spec : outputs)
            addOutput(spec);
        m_tasks = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        m_taskSource = wl_event_loop_add_fd(wl_display_get_event_loop(m_display), m_tasks,
                                            WL_EVENT_READABLE, runTasks, this);
        m_thread = std::thread([this] {
            while (m_running) {
                wl_event_loop_dispatch(wl_display_get_event_loop(m_display), -1);
                wl_display_flush_clients(m_display);
            }
        });
    }

    ~TestCompositor()
    {
        if (m_display)
            end();
        ::close(m_tasks);
    }

    const std::string &socketName() const { return m_socketName; }

    // Runs `task` on the compositor's thread, sends what it made, and returns its result.
    template <typename Task>
    auto run(Task task)
    {
        std::promise<decltype(task())> done;
        auto result = done.get_future();
        {
            std::lock_guard lock(m_lock);
            m_queue.emplace_back([&] {
                auto value = task();
                // In the socket before the test reads.
                if (m_running)
                    wl_display_flush_clients(m_display);
                done.set_value(std::move(value));
            });
        }
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_tasks, &one, sizeof one);
        return result.get();
    }

    int seatsBound()
    {
        return run([this] { return m_seatsBound; });
    }

    // Waits, on the test's side, until the compositor holds `count` cursor sessions; `between`
    // runs before each look (a read, which sends what the client has to say).
    bool waitForSessions(
        std::size_t count, const std::function<void()> &between = [] {})
    {
        for (int tries = 0; tries < 500; ++tries) {
            between();
            if (run([this] { return m_sessions.size(); }) == count)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    void sendPosition(std::size_t output, QPoint bufferPoint)
    {
        run([&] {
            for (const Session &session : m_sessions) {
                if (session.output == &*std::next(m_outputs.begin(), std::ptrdiff_t(output)))
                    ext_image_copy_capture_cursor_session_v1_send_position(
                        session.resource, bufferPoint.x(), bufferPoint.y());
            }
            return 0;
        });
    }

    // The layer surfaces as they are now, in the order they were made.
    std::vector<LayerSeen> layers()
    {
        return run([this] {
            std::vector<LayerSeen> out;
            for (const LayerSurface &layer : m_layers) {
                LayerSeen seen;
                seen.output = outputIndex(layer.output);
                seen.layer = layer.current.layer;
                seen.anchor = layer.current.anchor;
                seen.keyboard = layer.current.keyboard;
                seen.exclusiveZone = layer.current.exclusiveZone;
                seen.size = layer.current.size;
                seen.configureSent = layer.sentSerial != 0;
                seen.acked = layer.acked;
                if (layer.surface) {
                    seen.takesInput = takesInput(*layer.surface);
                    for (const Surface *child : layer.surface->children) {
                        seen.children.push_back(
                            {child->position, child->current.picture.value_or(QImage()),
                             child->current.destination.value_or(QSize()), takesInput(*child)});
                    }
                }
                out.push_back(std::move(seen));
            }
            return out;
        });
    }

    // A window in the compositor's list: announced, then its state and outputs, then done.
    // Returns its number for the calls below.
    std::size_t showToplevel(bool activated, bool fullScreen, std::vector<std::size_t> outputs)
    {
        // A window's handle: the client may only let go of it here.
        static const struct zwlr_foreign_toplevel_handle_v1_interface handle = {
            [](wl_client *, wl_resource *) {},
            [](wl_client *, wl_resource *) {},
            [](wl_client *, wl_resource *) {},
            [](wl_client *, wl_resource *) {},
            [](wl_client *, wl_resource *, wl_resource *) {},
            [](wl_client *, wl_resource *) {},
            [](wl_client *, wl_resource *, wl_resource *, int32_t, int32_t, int32_t, int32_t) {},
            destroy,
            [](wl_client *, wl_resource *, wl_resource *) {},
            [](wl_client *, wl_resource *) {}};
        const std::size_t number = run([this] {
            Toplevel &made = m_toplevels.emplace_back();
            made.resource = wl_resource_create(wl_resource_get_client(m_toplevelManager),
                                               &zwlr_foreign_toplevel_handle_v1_interface,
                                               wl_resource_get_version(m_toplevelManager), 0);
            wl_resource_set_implementation(made.resource, &handle, nullptr, nullptr);
            zwlr_foreign_toplevel_manager_v1_send_toplevel(m_toplevelManager, made.resource);
            return m_toplevels.size() - 1;
        });
        updateToplevel(number, activated, fullScreen, std::move(outputs));
        return number;
    }
    void updateToplevel(std::size_t number, bool activated, bool fullScreen,
                        std::vector<std::size_t> outputs)
    {
        run([&] {
            Toplevel &toplevel = *std::next(m_toplevels.begin(), std::ptrdiff_t(number));
            wl_client *client = wl_resource_get_client(toplevel.resource);
            std::size_t index = 0;
            for (Output &output : m_outputs) {
                const bool on = std::ranges::find(outputs, index) != outputs.end();
                const bool was =
                    std::ranges::find(toplevel.entered, index) != toplevel.entered.end();
                for (wl_resource *bound : output.bound) {
                    if (wl_resource_get_client(bound) != client || on == was)
                        continue;
                    if (on)
                        zwlr_foreign_toplevel_handle_v1_send_output_enter(toplevel.resource, bound);
                    else
                        zwlr_foreign_toplevel_handle_v1_send_output_leave(toplevel.resource, bound);
                }
                ++index;
            }
            toplevel.entered = outputs;
            wl_array states;
            wl_array_init(&states);
            const auto add = [&](std::uint32_t state) {
                *static_cast<std::uint32_t *>(wl_array_add(&states, sizeof state)) = state;
            };
            add(ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MAXIMIZED); // what else a window may be
            if (activated)
                add(ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED);
            if (fullScreen)
                add(ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_FULLSCREEN);
            zwlr_foreign_toplevel_handle_v1_send_title(toplevel.resource, "a window");
            zwlr_foreign_toplevel_handle_v1_send_state(toplevel.resource, &states);
            zwlr_foreign_toplevel_handle_v1_send_done(toplevel.resource);
            wl_array_release(&states);
            return 0;
        });
    }
    void closeToplevel(std::size_t number)
    {
        run([&] {
            zwlr_foreign_toplevel_handle_v1_send_closed(
                std::next(m_toplevels.begin(), std::ptrdiff_t(number))->resource);
            return 0;
        });
    }
    bool toplevelsFollowed()
    {
        return run([this] { return m_toplevelManager != nullptr; });
    }

    std::size_t addOutput(const OutputSpec &spec)
    {
        m_outputs.push_back({spec, nullptr, {}});
        m_outputs.back().global =
            wl_global_create(m_display, &wl_output_interface, 4, &m_outputs.back(), bindOutput);
        return m_outputs.size() - 1;
    }
    void removeOutput(std::size_t output)
    {
        wl_global_destroy(std::next(m_outputs.begin(), std::ptrdiff_t(output))->global);
    }
    // A protocol error on every client, as a compositor sends when a request breaks the rules.
    void postError(const char *words)
    {
        for (const Session &session : m_sessions)
            wl_resource_post_error(session.resource, 0, "%s", words);
    }
    // A stream that is not Wayland's: a message shorter than its own header.
    void sendGarbage()
    {
        const std::uint32_t words[] = {1, 4u << 16};
        for (const Session &session : m_sessions)
            [[maybe_unused]] const ssize_t written = ::write(
                wl_client_get_fd(wl_resource_get_client(session.resource)), words, sizeof words);
    }
    // The compositor ends: its sockets close.
    void end()
    {
        run([this] {
            m_running = false;
            return 0;
        });
        m_thread.join();
        wl_event_source_remove(m_taskSource); // the loop frees only the sources let go
        wl_display_destroy_clients(m_display);
        wl_display_destroy(m_display);
        m_display = nullptr;
    }

private:
    struct LayerSurface;
    struct Toplevel
    {
        wl_resource *resource = nullptr;
        std::vector<std::size_t> entered; // the outputs it is on, by number
    };
    // A surface's double-buffered state: what a commit changed, or all of it once applied.
    struct State
    {
        std::optional<QImage> picture; // a null image: the buffer taken away
        std::optional<QRegion> input;
        std::optional<QSize> destination;

        void take(const State &newer)
        {
            if (newer.picture)
                picture = newer.picture;
            if (newer.input)
                input = newer.input;
            if (newer.destination)
                destination = newer.destination;
        }
    };
    struct Surface
    {
        TestCompositor *owner = nullptr;
        wl_resource *resource = nullptr;
        State pending, cached, current;
        bool hasCached = false;
        // As a subsurface.
        Surface *parent = nullptr;
        wl_resource *subsurface = nullptr;
        bool synchronised = true;
        QPoint pendingPosition, position;
        std::vector<Surface *> children;
        // Its extensions and role.
        wl_resource *viewport = nullptr;
        wl_resource *fractional = nullptr;
        LayerSurface *layer = nullptr;
    };
    struct LayerState
    {
        std::uint32_t layer = 0;
        std::uint32_t anchor = 0;
        std::uint32_t keyboard = 0;
        std::int32_t exclusiveZone = 0;
        QSize size;
    };
    struct LayerSurface
    {
        TestCompositor *owner = nullptr;
        wl_resource *resource = nullptr;
        Surface *surface = nullptr;
        const Output *output = nullptr;
        LayerState pending, current;
        std::uint32_t sentSerial = 0;
        bool acked = false;
    };

    static bool takesInput(const Surface &surface)
    {
        return !surface.current.input || !surface.current.input->isEmpty();
    }
    int outputIndex(const Output *output) const
    {
        int index = 0;
        for (const Output &held : m_outputs) {
            if (&held == output)
                return index;
            ++index;
        }
        return -1;
    }
    static Surface *surfaceOf(wl_resource *resource)
    {
        return static_cast<Surface *>(wl_resource_get_user_data(resource));
    }
    static LayerSurface *layerOf(wl_resource *resource)
    {
        return static_cast<LayerSurface *>(wl_resource_get_user_data(resource));
    }

    void commit(Surface &surface)
    {
        if (LayerSurface *layer = surface.layer) {
            if (surface.pending.picture && !surface.pending.picture->isNull() && !layer->acked) {
                wl_resource_post_error(layer->resource,
                                       ZWLR_LAYER_SURFACE_V1_ERROR_INVALID_SURFACE_STATE,
                                       "a buffer before the first configure was acknowledged");
                return;
            }
            layer->current = layer->pending;
            if (layer->sentSerial == 0) {
                // The first commit: the output's scale, then the configure.
                if (surface.fractional && layer->output && layer->output->spec.fractional > 0)
                    wp_fractional_scale_v1_send_preferred_scale(
                        surface.fractional, std::uint32_t(layer->output->spec.fractional));
                layer->sentSerial = ++m_serial;
                zwlr_layer_surface_v1_send_configure(layer->resource, layer->sentSerial,
                                                     std::uint32_t(layer->current.size.width()),
                                                     std::uint32_t(layer->current.size.height()));
            }
        }
        if (surface.parent && surface.synchronised) {
            surface.cached.take(surface.pending);
            surface.hasCached = true;
        } else {
            apply(surface, surface.pending);
        }
        surface.pending = {};
    }
    static void apply(Surface &surface, const State &state)
    {
        surface.current.take(state);
        for (Surface *child : surface.children) {
            child->position = child->pendingPosition;
            if (child->hasCached) {
                apply(*child, child->cached);
                child->cached = {};
                child->hasCached = false;
            }
        }
    }
    void dropSurface(Surface *surface)
    {
        for (Surface *child : surface->children)
            child->parent = nullptr;
        if (surface->parent)
            std::erase(surface->parent->children, surface);
        for (wl_resource *extension : {surface->subsurface, surface->viewport, surface->fractional})
            if (extension)
                wl_resource_set_user_data(extension, nullptr);
        if (surface->layer)
            surface->layer->surface = nullptr;
        m_surfaces.remove_if([surface](const Surface &held) { return &held == surface; });
    }

    static int runTasks(int, uint32_t, void *data)
    {
        auto *self = static_cast<TestCompositor *>(data);
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t got = ::read(self->m_tasks, &count, sizeof count);
        std::vector<std::function<void()>> tasks;
        {
            std::lock_guard lock(self->m_lock);
            tasks.swap(self->m_queue);
        }
        for (const std::function<void()> &task : tasks)
            task();
        return 0;
    }

    static void destroy(wl_client *, wl_resource *resource) { wl_resource_destroy(resource); }
    static void unused(wl_client *, wl_resource *resource, uint32_t)
    {
        wl_resource_post_error(resource, 0, "not for this test");
    }

    static void bindSeat(wl_client *client, void *data, uint32_t version, uint32_t id)
    {
        ++static_cast<TestCompositor *>(data)->m_seatsBound;
        static const struct wl_pointer_interface pointer = {
            [](wl_client *, wl_resource *, uint32_t, wl_resource *, int32_t, int32_t) {}, destroy};
        static const struct wl_seat_interface seat = {
            [](wl_client *client, wl_resource *resource, uint32_t id) {
                wl_resource_set_implementation(wl_resource_create(client, &wl_pointer_interface,
                                                                  wl_resource_get_version(resource),
                                                                  id),
                                               &pointer, nullptr, nullptr);
            },
            unused, unused, destroy};
        wl_resource *resource = wl_resource_create(client, &wl_seat_interface, int(version), id);
        wl_resource_set_implementation(resource, &seat, nullptr, nullptr);
        wl_seat_send_capabilities(resource, WL_SEAT_CAPABILITY_POINTER);
    }

    static void bindOutput(wl_client *client, void *data, uint32_t version, uint32_t id)
    {
        static const struct wl_output_interface output = {destroy};
        auto *held = static_cast<Output *>(data);
        const OutputSpec &spec = held->spec;
        wl_resource *resource = wl_resource_create(client, &wl_output_interface, int(version), id);
        wl_resource_set_implementation(resource, &output, data, [](wl_resource *gone) {
            std::erase(static_cast<Output *>(wl_resource_get_user_data(gone))->bound, gone);
        });
        held->bound.push_back(resource);
        wl_output_send_geometry(resource, 0, 0, 300, 200, WL_OUTPUT_SUBPIXEL_UNKNOWN, "Maker",
                                "Model", spec.transform);
        wl_output_send_mode(resource, WL_OUTPUT_MODE_CURRENT, spec.mode.width(), spec.mode.height(),
                            60000);
        wl_output_send_scale(resource, spec.scale);
        wl_output_send_done(resource);
    }

    static void bindXdgOutputs(wl_client *client, void *, uint32_t version, uint32_t id)
    {
        static const struct zxdg_output_v1_interface xdgOutput = {destroy};
        static const struct zxdg_output_manager_v1_interface manager = {
            destroy, [](wl_client *client, wl_resource *resource, uint32_t id, wl_resource *of) {
                const OutputSpec &spec = static_cast<Output *>(wl_resource_get_user_data(of))->spec;
                wl_resource *made = wl_resource_create(client, &zxdg_output_v1_interface,
                                                       wl_resource_get_version(resource), id);
                wl_resource_set_implementation(made, &xdgOutput, nullptr, nullptr);
                zxdg_output_v1_send_logical_position(made, spec.logical.x(), spec.logical.y());
                zxdg_output_v1_send_logical_size(made, spec.logical.width(), spec.logical.height());
                zxdg_output_v1_send_name(made, "TEST-1");
                wl_output_send_done(of);
            }};
        wl_resource_set_implementation(
            wl_resource_create(client, &zxdg_output_manager_v1_interface, int(version), id),
            &manager, nullptr, nullptr);
    }

    static void bindSources(wl_client *client, void *, uint32_t version, uint32_t id)
    {
        static const struct ext_image_capture_source_v1_interface source = {destroy};
        static const struct ext_output_image_capture_source_manager_v1_interface manager = {
            [](wl_client *client, wl_resource *, uint32_t id, wl_resource *of) {
                wl_resource_set_implementation(
                    wl_resource_create(client, &ext_image_capture_source_v1_interface, 1, id),
                    &source, wl_resource_get_user_data(of), nullptr);
            },
            destroy};
        wl_resource_set_implementation(
            wl_resource_create(client, &ext_output_image_capture_source_manager_v1_interface,
                               int(version), id),
            &manager, nullptr, nullptr);
    }

    static void bindCapture(wl_client *client, void *data, uint32_t version, uint32_t id)
    {
        static const struct ext_image_copy_capture_cursor_session_v1_interface session = {destroy,
                                                                                          unused};
        static const struct ext_image_copy_capture_manager_v1_interface manager = {
            [](wl_client *, wl_resource *resource, uint32_t, wl_resource *, uint32_t) {
                wl_resource_post_error(resource, 0, "no frames are captured");
            },
            [](wl_client *client, wl_resource *resource, uint32_t id, wl_resource *source,
               wl_resource *pointer) {
                if (!pointer || !source) {
                    wl_resource_post_error(resource, 0, "a session needs a source and a pointer");
                    return;
                }
                auto *self = static_cast<TestCompositor *>(wl_resource_get_user_data(resource));
                wl_resource *made = wl_resource_create(
                    client, &ext_image_copy_capture_cursor_session_v1_interface, 1, id);
                wl_resource_set_implementation(made, &session, self, [](wl_resource *gone) {
                    auto *owner = static_cast<TestCompositor *>(wl_resource_get_user_data(gone));
                    std::erase_if(owner->m_sessions,
                                  [gone](const Session &held) { return held.resource == gone; });
                });
                self->m_sessions.push_back(
                    {made, static_cast<const Output *>(wl_resource_get_user_data(source))});
            },
            destroy};
        wl_resource_set_implementation(
            wl_resource_create(client, &ext_image_copy_capture_manager_v1_interface, int(version),
                               id),
            &manager, data, nullptr);
    }

    static void bindCompositor(wl_client *client, void *data, uint32_t version, uint32_t id)
    {
        static const struct wl_region_interface region = {
            destroy,
            [](wl_client *, wl_resource *resource, int32_t x, int32_t y, int32_t w, int32_t h) {
                *static_cast<QRegion *>(wl_resource_get_user_data(resource)) += QRect(x, y, w, h);
            },
            [](wl_client *, wl_resource *resource, int32_t x, int32_t y, int32_t w, int32_t h) {
                *static_cast<QRegion *>(wl_resource_get_user_data(resource)) -= QRect(x, y, w, h);
            }};
        static const struct wl_surface_interface surface = {
            destroy,
            [](wl_client *, wl_resource *resource, wl_resource *buffer, int32_t, int32_t) {
                Surface *held = surfaceOf(resource);
                if (!buffer) {
                    held->pending.picture = QImage();
                    return;
                }
                wl_shm_buffer *shm = wl_shm_buffer_get(buffer);
                if (!shm || wl_shm_buffer_get_format(shm) != WL_SHM_FORMAT_ARGB8888) {
                    wl_resource_post_error(resource, 0, "only shared memory with alpha");
                    return;
                }
                // The client writes a buffer's pixels before it makes the buffer: they are
                // taken here.
                wl_shm_buffer_begin_access(shm);
                held->pending.picture =
                    QImage(static_cast<const uchar *>(wl_shm_buffer_get_data(shm)),
                           wl_shm_buffer_get_width(shm), wl_shm_buffer_get_height(shm),
                           wl_shm_buffer_get_stride(shm), QImage::Format_ARGB32_Premultiplied)
                        .convertToFormat(QImage::Format_ARGB32);
                wl_shm_buffer_end_access(shm);
            },
            [](wl_client *, wl_resource *, int32_t, int32_t, int32_t, int32_t) {},
            [](wl_client *client, wl_resource *, uint32_t callback) {
                wl_resource_set_implementation(
                    wl_resource_create(client, &wl_callback_interface, 1, callback), nullptr,
                    nullptr, nullptr);
            },
            [](wl_client *, wl_resource *, wl_resource *) {},
            [](wl_client *, wl_resource *resource, wl_resource *region) {
                surfaceOf(resource)->pending.input =
                    region ? *static_cast<QRegion *>(wl_resource_get_user_data(region))
                           : kEverywhere;
            },
            [](wl_client *, wl_resource *resource) {
                Surface *held = surfaceOf(resource);
                held->owner->commit(*held);
            },
            [](wl_client *, wl_resource *, int32_t) {},
            [](wl_client *, wl_resource *, int32_t) {},
            [](wl_client *, wl_resource *, int32_t, int32_t, int32_t, int32_t) {},
            [](wl_client *, wl_resource *, int32_t, int32_t) {}};
        static const struct wl_compositor_interface compositor = {
            [](wl_client *client, wl_resource *resource, uint32_t id) {
                auto *self = static_cast<TestCompositor *>(wl_resource_get_user_data(resource));
                Surface &made = self->m_surfaces.emplace_back();
                made.owner = self;
                made.resource = wl_resource_create(client, &wl_surface_interface,
                                                   wl_resource_get_version(resource), id);
                wl_resource_set_implementation(made.resource, &surface, &made,
                                               [](wl_resource *gone) {
                                                   Surface *held = surfaceOf(gone);
                                                   held->owner->dropSurface(held);
                                               });
            },
            [](wl_client *client, wl_resource *, uint32_t id) {
                wl_resource_set_implementation(
                    wl_resource_create(client, &wl_region_interface, 1, id), &region, new QRegion,
                    [](wl_resource *gone) {
                        delete static_cast<QRegion *>(wl_resource_get_user_data(gone));
                    });
            }};
        wl_resource_set_implementation(
            wl_resource_create(client, &wl_compositor_interface, int(version), id), &compositor,
            data, nullptr);
    }

    static void bindSubcompositor(wl_client *client, void *, uint32_t version, uint32_t id)
    {
        // A subsurface's requests find nothing once its surface is gone.
        static const struct wl_subsurface_interface subsurface = {
            destroy,
            [](wl_client *, wl_resource *resource, int32_t x, int32_t y) {
                if (Surface *held = surfaceOf(resource))
                    held->pendingPosition = QPoint(x, y);
            },
            [](wl_client *, wl_resource *, wl_resource *) {},
            [](wl_client *, wl_resource *, wl_resource *) {},
            [](wl_client *, wl_resource *resource) {
                if (Surface *held = surfaceOf(resource))
                    held->synchronised = true;
            },
            [](wl_client *, wl_resource *resource) {
                if (Surface *held = surfaceOf(resource))
                    held->synchronised = false;
            }};
        static const struct wl_subcompositor_interface subcompositor = {
            destroy, [](wl_client *client, wl_resource *resource, uint32_t id, wl_resource *of,
                        wl_resource *parent) {
                Surface *child = surfaceOf(of);
                Surface *above = surfaceOf(parent);
                if (child->parent || child->layer || child == above) {
                    wl_resource_post_error(resource, WL_SUBCOMPOSITOR_ERROR_BAD_SURFACE,
                                           "the surface has a role already");
                    return;
                }
                child->subsurface = wl_resource_create(client, &wl_subsurface_interface, 1, id);
                wl_resource_set_implementation(child->subsurface, &subsurface, child,
                                               [](wl_resource *gone) {
                                                   Surface *held = surfaceOf(gone);
                                                   if (!held)
                                                       return;
                                                   if (held->parent)
                                                       std::erase(held->parent->children, held);
                                                   held->parent = nullptr;
                                                   held->subsurface = nullptr;
                                               });
                child->parent = above;
                above->children.push_back(child);
            }};
        wl_resource_set_implementation(
            wl_resource_create(client, &wl_subcompositor_interface, int(version), id),
            &subcompositor, nullptr, nullptr);
    }

    static void bindViewporter(wl_client *client, void *, uint32_t version, uint32_t id)
    {
        static const struct wp_viewport_interface viewport = {
            destroy,
            [](wl_client *, wl_resource *, wl_fixed_t, wl_fixed_t, wl_fixed_t, wl_fixed_t) {},
            [](wl_client *, wl_resource *resource, int32_t width, int32_t height) {
                if (Surface *held = surfaceOf(resource))
                    held->pending.destination = QSize(width, height);
            }};
        static const struct wp_viewporter_interface viewporter = {
            destroy, [](wl_client *client, wl_resource *, uint32_t id, wl_resource *of) {
                Surface *held = surfaceOf(of);
                held->viewport = wl_resource_create(client, &wp_viewport_interface, 1, id);
                wl_resource_set_implementation(held->viewport, &viewport, held,
                                               [](wl_resource *gone) {
                                                   if (Surface *was = surfaceOf(gone))
                                                       was->viewport = nullptr;
                                               });
            }};
        wl_resource_set_implementation(
            wl_resource_create(client, &wp_viewporter_interface, int(version), id), &viewporter,
            nullptr, nullptr);
    }

    static void bindFractionalScales(wl_client *client, void *, uint32_t version, uint32_t id)
    {
        static const struct wp_fractional_scale_v1_interface fractional = {destroy};
        static const struct wp_fractional_scale_manager_v1_interface manager = {
            destroy, [](wl_client *client, wl_resource *, uint32_t id, wl_resource *of) {
                Surface *held = surfaceOf(of);
                held->fractional =
                    wl_resource_create(client, &wp_fractional_scale_v1_interface, 1, id);
                wl_resource_set_implementation(held->fractional, &fractional, held,
                                               [](wl_resource *gone) {
                                                   if (Surface *was = surfaceOf(gone))
                                                       was->fractional = nullptr;
                                               });
            }};
        wl_resource_set_implementation(
            wl_resource_create(client, &wp_fractional_scale_manager_v1_interface, int(version), id),
            &manager, nullptr, nullptr);
    }

    static void bindToplevels(wl_client *client, void *data, uint32_t version, uint32_t id)
    {
        static const struct zwlr_foreign_toplevel_manager_v1_interface manager = {
            [](wl_client *, wl_resource *resource) {
                zwlr_foreign_toplevel_manager_v1_send_finished(resource);
            }};
        auto *self = static_cast<TestCompositor *>(data);
        self->m_toplevelManager = wl_resource_create(
            client, &zwlr_foreign_toplevel_manager_v1_interface, int(version), id);
        wl_resource_set_implementation(
            self->m_toplevelManager, &manager, data, [](wl_resource *gone) {
                auto *owner = static_cast<TestCompositor *>(wl_resource_get_user_data(gone));
                owner->m_toplevelManager = nullptr;
            });
    }

    static void bindLayerShell(wl_client *client, void *data, uint32_t version, uint32_t id)
    {
        static const struct zwlr_layer_surface_v1_interface layer = {
            [](wl_client *, wl_resource *resource, uint32_t width, uint32_t height) {
                layerOf(resource)->pending.size = QSize(int(width), int(height));
            },
            [](wl_client *, wl_resource *resource, uint32_t anchor) {
                layerOf(resource)->pending.anchor = anchor;
            },
            [](wl_client *, wl_resource *resource, int32_t zone) {
                layerOf(resource)->pending.exclusiveZone = zone;
            },
            [](wl_client *, wl_resource *, int32_t, int32_t, int32_t, int32_t) {},
            [](wl_client *, wl_resource *resource, uint32_t keyboard) {
                layerOf(resource)->pending.keyboard = keyboard;
            },
            [](wl_client *, wl_resource *resource, wl_resource *) {
                wl_resource_post_error(resource, 0, "not for this test");
            },
            [](wl_client *, wl_resource *resource, uint32_t serial) {
                LayerSurface *held = layerOf(resource);
                if (serial == 0 || serial != held->sentSerial) {
                    wl_resource_post_error(resource,
                                           ZWLR_LAYER_SURFACE_V1_ERROR_INVALID_SURFACE_STATE,
                                           "an unknown configure was acknowledged");
                    return;
                }
                held->acked = true;
            },
            destroy,
            [](wl_client *, wl_resource *resource, uint32_t layer) {
                layerOf(resource)->pending.layer = layer;
            }};
        static const struct zwlr_layer_shell_v1_interface shell = {
            [](wl_client *client, wl_resource *resource, uint32_t id, wl_resource *of,
               wl_resource *output, uint32_t layerNumber, const char *) {
                auto *self = static_cast<TestCompositor *>(wl_resource_get_user_data(resource));
                Surface *held = surfaceOf(of);
                if (held->layer || held->parent) {
                    wl_resource_post_error(resource, ZWLR_LAYER_SHELL_V1_ERROR_ROLE,
                                           "the surface has a role already");
                    return;
                }
                LayerSurface &made = self->m_layers.emplace_back();
                made.owner = self;
                made.surface = held;
                made.output = output
                                  ? static_cast<const Output *>(wl_resource_get_user_data(output))
                                  : nullptr;
                made.pending.layer = layerNumber;
                made.resource = wl_resource_create(client, &zwlr_layer_surface_v1_interface,
                                                   wl_resource_get_version(resource), id);
                wl_resource_set_implementation(made.resource, &layer, &made, [](wl_resource *gone) {
                    auto *was = static_cast<LayerSurface *>(wl_resource_get_user_data(gone));
                    if (was->surface)
                        was->surface->layer = nullptr;
                    was->owner->m_layers.remove_if(
                        [was](const LayerSurface &kept) { return &kept == was; });
                });
                held->layer = &made;
            },
            destroy};
        wl_resource_set_implementation(
            wl_resource_create(client, &zwlr_layer_shell_v1_interface, int(version), id), &shell,
            data, nullptr);
    }

    wl_display *m_display = nullptr;
    std::string m_socketName;
    std::list<Output> m_outputs; // their places stay put as outputs come
    std::vector<Session> m_sessions;
    int m_seatsBound = 0;
    std::list<Surface> m_surfaces;
    std::list<LayerSurface> m_layers;
    wl_resource *m_toplevelManager = nullptr;
    std::list<Toplevel> m_toplevels;
    std::uint32_t m_serial = 0;
    int m_tasks = -1;
    wl_event_source *m_taskSource = nullptr;
    std::mutex m_lock;
    std::vector<std::function<void()>> m_queue;
    std::atomic<bool> m_running = true;
    std::thread m_thread;
};
#pragma GCC diagnostic pop

// The client's environment: the compositor's socket in a runtime folder of the test's own.
class WaylandSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }
    void TearDown() override
    {
        qunsetenv("WAYLAND_DISPLAY");
        qunsetenv("XDG_RUNTIME_DIR");
    }
    void useDisplay(const TestCompositor &compositor)
    {
        qputenv("WAYLAND_DISPLAY", QByteArray::fromStdString(compositor.socketName()));
    }

    // What the trail's tick does (a read, then the sprites' commit) until the compositor shows
    // what `shown` wants; the layers as last seen.
    static std::vector<LayerSeen> tickUntil(
        WaylandSession &session, TestCompositor &compositor,
        const std::function<bool(const std::vector<LayerSeen> &)> &shown)
    {
        std::vector<LayerSeen> layers;
        for (int tries = 0; tries < 300; ++tries) {
            session.read();
            session.commitSprites();
            layers = compositor.layers();
            if (shown(layers))
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_FALSE(session.takePointerNews().broken);
        return layers;
    }

    QTemporaryDir m_runtime;
};

// A scale-2 output, and one turned by a quarter to its right.
const std::vector<OutputSpec> kTwoOutputs = {
    {QSize(2560, 1440), WL_OUTPUT_TRANSFORM_NORMAL, QRect(0, 0, 1280, 720)},
    {QSize(1920, 1080), WL_OUTPUT_TRANSFORM_90, QRect(1280, 0, 1080, 1920)},
};

// The same places, the first at a fractional scale (1.5), the second at a whole one (2).
const std::vector<OutputSpec> kScaledOutputs = {
    {QSize(1920, 1080), WL_OUTPUT_TRANSFORM_NORMAL, QRect(0, 0, 1280, 720), 1, 180},
    {QSize(3840, 2160), WL_OUTPUT_TRANSFORM_90, QRect(1280, 0, 1080, 1920), 2, 0},
};

constexpr QRgb kSpriteColours[WaylandSession::kSpriteCount] = {
    qRgb(200, 20, 20), qRgb(20, 20, 200), qRgb(240, 140, 0), qRgb(20, 160, 20), qRgb(120, 0, 160)};

// A 20 x 20 sprite picture: a 10 x 10 block of the sprite's colour at its top-left corner, the
// rest transparent.
QImage spritePicture(int index)
{
    QImage picture(20, 20, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            picture.setPixel(x, y, kSpriteColours[index]);
    return picture;
}

const LayerSeen *layerOn(const std::vector<LayerSeen> &layers, int output)
{
    for (const LayerSeen &layer : layers) {
        if (layer.output == output)
            return &layer;
    }
    return nullptr;
}

// Whether sprite `index` shows on `output` (and only there) at `place`, relative to the output.
bool showsAt(const std::vector<LayerSeen> &layers, int index, int output, QPoint place)
{
    for (const LayerSeen &layer : layers) {
        if (layer.children.size() != std::size_t(WaylandSession::kSpriteCount))
            return false;
        const SurfaceSeen &sprite = layer.children[std::size_t(index)];
        if (layer.output != output && !sprite.picture.isNull())
            return false;
        if (layer.output == output && (sprite.picture.isNull() || sprite.position != place))
            return false;
    }
    return layerOn(layers, output) != nullptr;
}

} // namespace

TEST_F(WaylandSessionTest, FollowsThePointerOnEachOutputInLogicalPixels)
{
    TestCompositor compositor(kTwoOutputs);
    useDisplay(compositor);
    const std::unique_ptr<WaylandSession> session = WaylandSession::connect();
    ASSERT_TRUE(session);
    EXPECT_TRUE(session->offers().cursorSessions);
    ASSERT_TRUE(session->followPointer());
    const auto read = [&] {
        session->read();
        return session->takePointerNews();
    };
    ASSERT_TRUE(compositor.waitForSessions(2, [&] { EXPECT_FALSE(read().broken); }));

    const struct
    {
        std::size_t output;
        QPoint buffer;
        std::optional<QPointF> logical;
    } cases[] = {
        {0, {1001, 500}, QPointF(500.5, 250)},
        {1, {100, 200}, QPointF(1380, 200)},
        {1, {1079, 1919}, QPointF(2359, 1919)},
        {0, {-1, 10}, std::nullopt}, // outside its buffer: the pointer is on another output
    };
    for (const auto &step : cases) {
        compositor.sendPosition(step.output, step.buffer);
        const WaylandSession::PointerNews news = read();
        EXPECT_FALSE(news.broken);
        EXPECT_EQ(news.position, step.logical) << step.output << " " << step.buffer.x();
    }
    // Between two takes the newest position wins; at rest a take finds nothing.
    compositor.sendPosition(0, {10, 10});
    compositor.sendPosition(0, {20, 40});
    EXPECT_EQ(read().position, QPointF(10, 20));
    EXPECT_EQ(read().position, std::nullopt);

    // An output that comes gets a session; one that goes has its own let go.
    const std::size_t added = compositor.run([&] {
        return compositor.addOutput({QSize(800, 600), 0, QRect(2360, 0, 800, 600)});
    });
    ASSERT_TRUE(compositor.waitForSessions(3, [&] { EXPECT_FALSE(read().broken); }));
    compositor.sendPosition(added, {8, 6});
    EXPECT_EQ(read().position, QPointF(2368, 6));
    EXPECT_EQ(session->outputs().size(), 3u);
    compositor.run([&] {
        compositor.removeOutput(0);
        return 0;
    });
    EXPECT_TRUE(compositor.waitForSessions(2, [&] { EXPECT_FALSE(read().broken); }));
    compositor.sendPosition(1, {1, 2});
    EXPECT_EQ(read().position, QPointF(1281, 2));
    EXPECT_EQ(session->outputs(),
              (std::vector<QRect>{QRect(1280, 0, 1080, 1920), QRect(2360, 0, 800, 600)}));
}

TEST_F(WaylandSessionTest, WhatEndsTheConnectionIsSeenAndStays)
{
    const struct
    {
        const char *what;
        std::function<void(TestCompositor &)> ending;
        // What the compositor said, passed on as it stands.
        std::string refusal;
    } endings[] = {
        {"a protocol error",
         [](TestCompositor &c) {
             c.run([&] {
                 c.postError("a test's\x1b[2J error\n");
                 return 0;
             });
         },
         // Without the terminal's control characters.
         "a test's[2J error"},
        {"not Wayland",
         [](TestCompositor &c) {
             c.run([&] {
                 c.sendGarbage();
                 return 0;
             });
         },
         {}},
        {"the compositor ends", [](TestCompositor &c) { c.end(); }, {}},
    };
    for (const auto &ending : endings) {
        TestCompositor compositor(kTwoOutputs);
        useDisplay(compositor);
        const std::unique_ptr<WaylandSession> session = WaylandSession::connect();
        ASSERT_TRUE(session) << ending.what;
        ASSERT_TRUE(session->followPointer()) << ending.what;
        ASSERT_TRUE(compositor.waitForSessions(2, [&] { session->read(); })) << ending.what;
        // The sprites' window system tells of the end once, with the compositor's words.
        FakeWindowSystem server;
        SourcedWindowSystem pointer(server);
        LayerShellWindowSystem sprites(*session, pointer);
        std::vector<std::string> told;
        sprites.onEnded([&](const QString &said) { told.push_back(said.toStdString()); });
        sprites.dropUnaskedEvents();
        EXPECT_TRUE(told.empty()) << ending.what;
        ending.ending(compositor);
        WaylandSession::PointerNews news;
        for (int tries = 0; tries < 200 && !news.broken; ++tries) {
            session->read();
            news = session->takePointerNews();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_TRUE(news.broken) << ending.what;
        EXPECT_EQ(news.refusal.toStdString(), ending.refusal) << ending.what;
        // It stays so, and the sprites' calls on a broken connection do no harm.
        session->setSpritePicture(0, spritePicture(0));
        session->setSpritesVisible(true);
        session->moveSprite(0, QPoint(10, 10));
        session->commitSprites();
        session->read();
        news = session->takePointerNews();
        EXPECT_TRUE(news.broken) << ending.what;
        EXPECT_EQ(news.refusal.toStdString(), ending.refusal) << ending.what;
        EXPECT_FALSE(session->followPointer()) << ending.what;
        sprites.dropUnaskedEvents();
        sprites.dropUnaskedEvents();
        EXPECT_EQ(told, std::vector<std::string>{ending.refusal}) << ending.what;
    }
}

TEST_F(WaylandSessionTest, SaysWhatTheCompositorOffers)
{
    const struct
    {
        const char *what;
        Globals globals;
    } compositors[] = {
        {"everything", {true, true, true}},
        {"no cursor sessions", {false, true, true}},
        {"no layer shell", {true, false, true}},
        {"no list of windows", {true, true, false}},
    };
    for (const auto &offered : compositors) {
        TestCompositor compositor(kTwoOutputs, offered.globals);
        useDisplay(compositor);
        const std::unique_ptr<WaylandSession> session = WaylandSession::connect();
        ASSERT_TRUE(session) << offered.what;
        EXPECT_EQ(session->offers().cursorSessions, offered.globals.cursorSessions) << offered.what;
        EXPECT_EQ(session->offers().layerShell, offered.globals.layerShell) << offered.what;
        EXPECT_EQ(session->offers().toplevels, offered.globals.toplevels) << offered.what;
        EXPECT_EQ(session->followToplevels() >= 0, offered.globals.toplevels) << offered.what;
        // The seat tells of every device that comes and goes: only a cursor session needs it.
        session->read();
        EXPECT_EQ(compositor.seatsBound(), 0) << offered.what;
        EXPECT_EQ(session->followPointer(), offered.globals.cursorSessions) << offered.what;
        EXPECT_EQ(session->outputs().size(), 2u) << offered.what;
    }
    qputenv("WAYLAND_DISPLAY", "nobody-listens");
    EXPECT_EQ(WaylandSession::connect(), nullptr);
}

TEST_F(WaylandSessionTest, SpritesShowOnTheOutputThatHoldsThem)
{
    TestCompositor compositor(kScaledOutputs);
    useDisplay(compositor);
    const std::unique_ptr<WaylandSession> session = WaylandSession::connect();
    ASSERT_TRUE(session);
    ASSERT_TRUE(session->offers().layerShell);

    const struct
    {
        QPoint topLeft;
        int output;
        QPoint onOutput;
    } places[WaylandSession::kSpriteCount] = {
        {{100, 50}, 0, {100, 50}},
        {{1270, 700}, 1, {-10, 700}}, // its centre is on the second output
        {{1500, 1000}, 1, {220, 1000}},
        {{1260, 690}, 0, {1260, 690}},
        {{-30, -30}, 0, {-30, -30}}, // off every output: the nearest one holds it
    };
    for (int k = 0; k < WaylandSession::kSpriteCount; ++k)
        session->setSpritePicture(k, spritePicture(k));
    session->setSpritesVisible(true);
    for (int k = 0; k < WaylandSession::kSpriteCount; ++k)
        session->moveSprite(k, places[k].topLeft);
    session->commitSprites();
    std::vector<LayerSeen> layers = tickUntil(*session, compositor, [&](const auto &seen) {
        for (int k = 0; k < WaylandSession::kSpriteCount; ++k) {
            if (!showsAt(seen, k, places[k].output, places[k].onOutput))
                return false;
        }
        return true;
    });

    // One layer surface per output, on the overlay layer at the output's top-left corner; it
    // moves nothing out of its way, takes no keys, and none of its surfaces takes a click.
    ASSERT_EQ(layers.size(), 2u);
    const double scales[] = {1.5, 2.0};
    for (int output = 0; output < 2; ++output) {
        const LayerSeen *layer = layerOn(layers, output);
        ASSERT_TRUE(layer) << output;
        EXPECT_TRUE(layer->acked) << output;
        EXPECT_EQ(layer->layer, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY) << output;
        EXPECT_EQ(layer->anchor,
                  ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT)
            << output;
        EXPECT_EQ(layer->exclusiveZone, -1) << output;
        EXPECT_EQ(layer->keyboard, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE) << output;
        EXPECT_FALSE(layer->takesInput) << output;
        ASSERT_EQ(layer->children.size(), std::size_t(WaylandSession::kSpriteCount)) << output;
        for (int k = 0; k < WaylandSession::kSpriteCount; ++k) {
            const SurfaceSeen &sprite = layer->children[std::size_t(k)];
            EXPECT_FALSE(sprite.takesInput) << output << " " << k;
            EXPECT_EQ(showsAt(layers, k, output, places[k].onOutput), places[k].output == output)
                << output << " " << k;
            if (sprite.picture.isNull())
                continue;
            // Drawn at the output's scale, unsmoothed, shown at the picture's size; transparent
            // where the picture is, with no key colour anywhere.
            const int side = int(20 * scales[output]);
            const int block = int(10 * scales[output]);
            EXPECT_EQ(sprite.picture.size(), QSize(side, side)) << output << " " << k;
            EXPECT_EQ(sprite.destination, QSize(20, 20)) << output << " " << k;
            int coloured = 0;
            int clear = 0;
            for (int y = 0; y < sprite.picture.height(); ++y) {
                for (int x = 0; x < sprite.picture.width(); ++x) {
                    const QRgb pixel = sprite.picture.pixel(x, y);
                    coloured += pixel == kSpriteColours[k];
                    clear += qAlpha(pixel) == 0;
                }
            }
            EXPECT_EQ(coloured, block * block) << output << " " << k;
            EXPECT_EQ(clear, side * side - block * block) << output << " " << k;
        }
    }

    // A sprite that moves to the other output shows there and leaves the first.
    session->moveSprite(0, QPoint(1400, 100));
    session->commitSprites();
    layers = tickUntil(*session, compositor,
                       [](const auto &seen) { return showsAt(seen, 0, 1, QPoint(120, 100)); });
    EXPECT_TRUE(showsAt(layers, 0, 1, QPoint(120, 100)));
    if (const LayerSeen *second = layerOn(layers, 1); second && !second->children.empty()) {
        EXPECT_EQ(second->children[0].picture.size(), QSize(40, 40));
    }

    // An output that comes gets its own layer surface, at its own scale.
    compositor.run([&] {
        return compositor.addOutput({QSize(800, 600), 0, QRect(2360, 0, 800, 600)});
    });
    layers = tickUntil(*session, compositor, [](const auto &seen) {
        const LayerSeen *third = layerOn(seen, 2);
        return third && third->acked;
    });
    session->moveSprite(2, QPoint(2400, 100));
    session->commitSprites();
    layers = tickUntil(*session, compositor,
                       [](const auto &seen) { return showsAt(seen, 2, 2, QPoint(40, 100)); });
    ASSERT_TRUE(showsAt(layers, 2, 2, QPoint(40, 100)));
    EXPECT_EQ(layerOn(layers, 2)->children[2].picture.size(), QSize(20, 20));

    // Below the windows, then hidden.
    session->setSpritesOnTop(false);
    layers = tickUntil(*session, compositor, [](const auto &seen) {
        return std::all_of(seen.begin(), seen.end(), [](const LayerSeen &layer) {
            return layer.layer == ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM;
        });
    });
    EXPECT_EQ(layers.size(), 3u);
    for (const LayerSeen &layer : layers)
        EXPECT_EQ(layer.layer, ZWLR_LAYER_SHELL_V1_LAYER_BOTTOM) << layer.output;
    session->setSpritesVisible(false);
    const auto nothingShown = [](const std::vector<LayerSeen> &seen) {
        return std::all_of(seen.begin(), seen.end(), [](const LayerSeen &layer) {
            return std::all_of(layer.children.begin(), layer.children.end(),
                               [](const SurfaceSeen &sprite) { return sprite.picture.isNull(); });
        });
    };
    EXPECT_TRUE(nothingShown(tickUntil(*session, compositor, nothingShown)));
}

TEST_F(WaylandSessionTest, AnswersTheCompositorInTheReadThatHearsIt)
{
    // While the trail sleeps, only the socket's watch reads: what the compositor's events ask
    // for (here the configures' answers and the first buffers) goes out with that read, not
    // with a later commit.
    TestCompositor compositor(kScaledOutputs);
    useDisplay(compositor);
    const std::unique_ptr<WaylandSession> session = WaylandSession::connect();
    ASSERT_TRUE(session);
    session->setSpritePicture(0, spritePicture(0));
    session->setSpritesVisible(true);
    const auto waitFor = [&](const std::function<bool(const LayerSeen &)> &each) {
        for (int tries = 0; tries < 200; ++tries) {
            const std::vector<LayerSeen> layers = compositor.layers();
            if (layers.size() == 2 && std::all_of(layers.begin(), layers.end(), each))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    };
    ASSERT_TRUE(waitFor([](const LayerSeen &layer) { return layer.configureSent; }));
    session->read();
    EXPECT_TRUE(waitFor([](const LayerSeen &layer) { return layer.acked; }));
    EXPECT_FALSE(session->takePointerNews().broken);
}

TEST_F(WaylandSessionTest, TellsWhenTheFocusedWindowIsFullScreenAndOnWhichOutputs)
{
    TestCompositor compositor(kTwoOutputs);
    useDisplay(compositor);
    const std::unique_ptr<WaylandSession> session = WaylandSession::connect();
    ASSERT_TRUE(session);
    const int news = session->followToplevels();
    ASSERT_GE(news, 0);
    EXPECT_EQ(session->followToplevels(), news);
    ASSERT_TRUE(compositor.waitForSessions(0, [&] { session->read(); }));
    for (int tries = 0; tries < 300 && !compositor.toplevelsFollowed(); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(compositor.toplevelsFollowed());

    const QRect first = kTwoOutputs[0].logical;
    const QRect second = kTwoOutputs[1].logical;
    std::size_t editor = 0;
    std::size_t video = 0;
    const struct
    {
        const char *what;
        std::function<void()> act;
        platform::FocusedWindow focused;
        bool told;
    } steps[] = {
        {"an editor with the focus",
         [&] { editor = compositor.showToplevel(true, false, {0}); },
         {},
         false},
        {"a full-screen video without it",
         [&] { video = compositor.showToplevel(false, true, {1}); },
         {},
         false},
        {"the video takes the focus",
         [&] {
             compositor.updateToplevel(editor, false, false, {0});
             compositor.updateToplevel(video, true, true, {1});
         },
         {true, {second}},
         true},
        {"it spans both outputs",
         [&] {
             compositor.updateToplevel(video, true, true, {0, 1});
         },
         {true, {first, second}},
         true},
        {"the first output goes",
         [&] {
             compositor.run([&] {
                 compositor.removeOutput(0);
                 return 0;
             });
         },
         {true, {second}},
         true},
        {"its title changes",
         [&] { compositor.updateToplevel(video, true, true, {1}); },
         {true, {second}},
         false},
        {"it leaves full screen",
         [&] { compositor.updateToplevel(video, true, false, {1}); },
         {},
         true},
        {"full screen again",
         [&] { compositor.updateToplevel(video, true, true, {1}); },
         {true, {second}},
         true},
        {"it closes", [&] { compositor.closeToplevel(video); }, {}, true},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        // What the compositor sent is in the socket: one read takes it all.
        session->read();
        EXPECT_EQ(session->focusedWindow(), step.focused);
        eventfd_t count = 0;
        EXPECT_EQ(eventfd_read(news, &count) == 0 && count > 0, step.told);
        session->read();
        EXPECT_NE(eventfd_read(news, &count), 0) << "a read that finds nothing new tells nothing";
    }
    EXPECT_FALSE(session->takePointerNews().broken);
}
