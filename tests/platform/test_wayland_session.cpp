// SPDX-License-Identifier: GPL-3.0-or-later
// The hand-spoken cursor sessions against a compositor made with libwayland-server, which takes
// apart every request as strictly as sway or labwc do: a malformed one ends the connection.
#include "platform/wayland/cursor_sessions.h"

#include "ext-image-capture-source-v1-server-protocol.h"
#include "ext-image-copy-capture-v1-server-protocol.h"
#include "xdg-output-unstable-v1-server-protocol.h"

#include <QFile>
#include <QRect>
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
#include <thread>
#include <vector>

#include <sys/eventfd.h>
#include <unistd.h>

using platform::wayland::CursorSessions;

namespace {

struct OutputSpec
{
    QSize mode;
    int transform = WL_OUTPUT_TRANSFORM_NORMAL;
    QRect logical;
};

// A compositor on its own thread. Everything that touches its objects runs there (run()), as
// libwayland-server wants.
class TestCompositor
{
public:
    struct Output
    {
        OutputSpec spec;
        wl_global *global = nullptr;
    };
    struct Session
    {
        wl_resource *resource = nullptr;
        const Output *output = nullptr;
    };

    explicit TestCompositor(std::vector<OutputSpec> outputs, bool offersSessions = true)
    {
        m_display = wl_display_create();
        const char *socket = wl_display_add_socket_auto(m_display);
        if (socket)
            m_socketName = socket;
        wl_global_create(m_display, &wl_seat_interface, 5, this, bindSeat);
        wl_global_create(m_display, &zxdg_output_manager_v1_interface, 3, this, bindXdgOutputs);
        if (offersSessions) {
            wl_global_create(m_display, &ext_output_image_capture_source_manager_v1_interface, 1,
                             this, bindSources);
            wl_global_create(m_display, &ext_image_copy_capture_manager_v1_interface, 1, this,
                             bindCapture);
        }
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

    std::size_t addOutput(const OutputSpec &spec)
    {
        m_outputs.push_back({spec, nullptr});
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

    static void bindSeat(wl_client *client, void *, uint32_t version, uint32_t id)
    {
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
        const OutputSpec &spec = static_cast<Output *>(data)->spec;
        wl_resource *resource = wl_resource_create(client, &wl_output_interface, int(version), id);
        wl_resource_set_implementation(resource, &output, data, nullptr);
        wl_output_send_geometry(resource, 0, 0, 300, 200, WL_OUTPUT_SUBPIXEL_UNKNOWN, "Maker",
                                "Model", spec.transform);
        wl_output_send_mode(resource, WL_OUTPUT_MODE_CURRENT, spec.mode.width(), spec.mode.height(),
                            60000);
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

    wl_display *m_display = nullptr;
    std::string m_socketName;
    std::list<Output> m_outputs; // their places stay put as outputs come
    std::vector<Session> m_sessions;
    int m_tasks = -1;
    wl_event_source *m_taskSource = nullptr;
    std::mutex m_lock;
    std::vector<std::function<void()>> m_queue;
    std::atomic<bool> m_running = true;
    std::thread m_thread;
};

// The client's environment: the compositor's socket in a runtime folder of the test's own.
class CursorSessionsTest : public ::testing::Test
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

    QTemporaryDir m_runtime;
};

// A scale-2 output, and one turned by a quarter to its right.
const std::vector<OutputSpec> kTwoOutputs = {
    {QSize(2560, 1440), WL_OUTPUT_TRANSFORM_NORMAL, QRect(0, 0, 1280, 720)},
    {QSize(1920, 1080), WL_OUTPUT_TRANSFORM_90, QRect(1280, 0, 1080, 1920)},
};

} // namespace

TEST_F(CursorSessionsTest, FollowsThePointerOnEachOutputInLogicalPixels)
{
    TestCompositor compositor(kTwoOutputs);
    useDisplay(compositor);
    EXPECT_TRUE(CursorSessions::offered());
    CursorSessions sessions;
    ASSERT_EQ(sessions.connect(), CursorSessions::Failure::None);
    // The first read sends the sessions that the seat's pointer brought.
    ASSERT_TRUE(compositor.waitForSessions(2, [&] { EXPECT_FALSE(sessions.read().broken); }));

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
        const CursorSessions::News news = sessions.read();
        EXPECT_FALSE(news.broken);
        EXPECT_EQ(news.position, step.logical) << step.output << " " << step.buffer.x();
    }
    // Between two reads the newest position wins; at rest a read finds nothing.
    compositor.sendPosition(0, {10, 10});
    compositor.sendPosition(0, {20, 40});
    EXPECT_EQ(sessions.read().position, QPointF(10, 20));
    EXPECT_EQ(sessions.read().position, std::nullopt);

    // An output that comes gets a session; one that goes has its own let go.
    const std::size_t added = compositor.run([&] {
        return compositor.addOutput({QSize(800, 600), 0, QRect(2360, 0, 800, 600)});
    });
    const auto read = [&] { EXPECT_FALSE(sessions.read().broken); };
    ASSERT_TRUE(compositor.waitForSessions(3, read));
    compositor.sendPosition(added, {8, 6});
    EXPECT_EQ(sessions.read().position, QPointF(2368, 6));
    compositor.run([&] {
        compositor.removeOutput(0);
        return 0;
    });
    EXPECT_TRUE(compositor.waitForSessions(2, read));
    compositor.sendPosition(1, {1, 2});
    EXPECT_EQ(sessions.read().position, QPointF(1281, 2));
}

TEST_F(CursorSessionsTest, WhatEndsTheConnectionIsSeenAndStays)
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
        CursorSessions sessions;
        ASSERT_EQ(sessions.connect(), CursorSessions::Failure::None) << ending.what;
        ASSERT_TRUE(compositor.waitForSessions(2, [&] { sessions.read(); })) << ending.what;
        ending.ending(compositor);
        CursorSessions::News news;
        for (int tries = 0; tries < 200 && !news.broken; ++tries) {
            news = sessions.read();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_TRUE(news.broken) << ending.what;
        EXPECT_EQ(news.refusal.toStdString(), ending.refusal) << ending.what;
        news = sessions.read();
        EXPECT_TRUE(news.broken) << ending.what;
        EXPECT_EQ(news.refusal.toStdString(), ending.refusal) << ending.what;
    }
}

TEST_F(CursorSessionsTest, SaysWhyItCannotFollow)
{
    {
        TestCompositor compositor(kTwoOutputs, false);
        useDisplay(compositor);
        EXPECT_FALSE(CursorSessions::offered());
        CursorSessions sessions;
        EXPECT_EQ(sessions.connect(), CursorSessions::Failure::NotOffered);
    }
    qputenv("WAYLAND_DISPLAY", "nobody-listens");
    EXPECT_FALSE(CursorSessions::offered());
    CursorSessions sessions;
    EXPECT_EQ(sessions.connect(), CursorSessions::Failure::NoDisplay);
    EXPECT_EQ(sessions.fd(), -1);
}
