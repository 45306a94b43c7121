// SPDX-License-Identifier: GPL-3.0-or-later
// A bare trail: every 20 ms, by its own timer, one pointer query and five 20 x 20 windows moved
// after it, on a bare xcb connection. The benchmark compares Zorrit against this.
// Built with FLOOR_IN_QT, the same loop runs on a thread of a Qt Widgets program whose GUI
// thread waits in its event loop, as Zorrit's tick thread does: what the loop costs in a process
// that carries Qt, apart from anything Zorrit does.
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/timerfd.h>
#include <unistd.h>

constexpr int kSprites = 5;

static int runFloor(void)
{
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c)) {
        fputs("floor_trail: cannot connect to the X display\n", stderr);
        return 2;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_window_t windows[kSprites];
    for (int k = 0; k < kSprites; ++k) {
        const uint32_t values[] = {0xff00ff, 1};
        windows[k] = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, windows[k], screen->root, 0, 0, 20, 20, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                          XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(c, windows[k]);
    }
    xcb_flush(c);

    const int timer = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
    const struct itimerspec every = {{0, 20000000}, {0, 20000000}};
    timerfd_settime(timer, 0, &every, NULL);
    for (;;) {
        uint64_t expirations;
        if (read(timer, &expirations, sizeof expirations) != sizeof expirations)
            break;
        xcb_query_pointer_reply_t *p =
            xcb_query_pointer_reply(c, xcb_query_pointer(c, screen->root), NULL);
        if (!p)
            break; // the server went away
        for (int k = 0; k < kSprites; ++k) {
            const uint32_t xy[] = {uint32_t(p->root_x + 2 * k + 12),
                                   uint32_t(p->root_y + 14 * k + 18)};
            xcb_configure_window(c, windows[k], XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, xy);
        }
        free(p);
        xcb_flush(c);
    }
    xcb_disconnect(c);
    return 0;
}

#ifdef FLOOR_IN_QT
#include <QApplication>
#include <QMetaObject>

#include <pthread.h>
#include <thread>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    int result = 0;
    std::thread floor([&result] {
        pthread_setname_np(pthread_self(), "floor_trail");
        result = runFloor();
        QMetaObject::invokeMethod(qApp, [] { QApplication::exit(); });
    });
    QApplication::exec();
    floor.join();
    return result;
}
#else
int main(void)
{
    return runFloor();
}
#endif
