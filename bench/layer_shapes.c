// SPDX-License-Identifier: GPL-3.0-or-later
// Five 20 x 20 sprites on the overlay layer of a wlroots-style compositor, moved every 20 ms round
// a circle, in one of two shapes: "subsurfaces" (five synchronised subsurfaces of one 1 x 1 layer
// surface, moved by set_position and one commit of that surface a tick, as Zorrit moves its
// trail) or "surfaces" (five layer surfaces of their own, each moved by set_margin and a commit).
// Prints "moving" once the sprites are shown and the compositor has taken them, "done" after the
// last tick, then waits to be ended, so that whoever measures it reads its CPU time at rest.
//
// Usage: layer_shapes subsurfaces|surfaces [SECONDS]
#define _GNU_SOURCE
#include "wlr-layer-shell-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <errno.h>
#include <math.h>
#include <poll.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/timerfd.h>
#include <unistd.h>

enum { kSprites = 5, kSide = 20, kTickMs = 20, kRadius = 200 };
// One turn of the circle in four seconds; each sprite 8 degrees behind the one before.
static const double kStep = 2 * M_PI * kTickMs / 4000.0;
static const double kBehind = 8 * M_PI / 180;
static const uint32_t kColours[kSprites] = {0xffe04040, 0xffe0a040, 0xff40c040, 0xff4080e0,
                                            0xffa040e0};

struct layer
{
    struct wl_surface *surface;
    struct zwlr_layer_surface_v1 *layer;
    int configured;
};

static struct wl_compositor *compositor;
static struct wl_subcompositor *subcompositor;
static struct wl_shm *shm;
static struct zwlr_layer_shell_v1 *layer_shell;
static struct wl_output *output;
static int output_width, output_height;

static void global_added(void *data, struct wl_registry *registry, uint32_t name,
                         const char *interface, uint32_t version)
{
    (void)data;
    if (strcmp(interface, wl_compositor_interface.name) == 0)
        compositor = wl_registry_bind(registry, name, &wl_compositor_interface, 4);
    else if (strcmp(interface, wl_subcompositor_interface.name) == 0)
        subcompositor = wl_registry_bind(registry, name, &wl_subcompositor_interface, 1);
    else if (strcmp(interface, wl_shm_interface.name) == 0)
        shm = wl_registry_bind(registry, name, &wl_shm_interface, 1);
    else if (strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0)
        layer_shell = wl_registry_bind(registry, name, &zwlr_layer_shell_v1_interface,
                                       version < 3 ? version : 3);
    else if (strcmp(interface, wl_output_interface.name) == 0 && !output)
        output = wl_registry_bind(registry, name, &wl_output_interface, 1);
}

static void global_removed(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}

static const struct wl_registry_listener registry_listener = {global_added, global_removed};

static void output_geometry(void *data, struct wl_output *wl_output, int32_t x, int32_t y,
                            int32_t physical_width, int32_t physical_height, int32_t subpixel,
                            const char *make, const char *model, int32_t transform)
{
    (void)data, (void)wl_output, (void)x, (void)y, (void)physical_width, (void)physical_height,
        (void)subpixel, (void)make, (void)model, (void)transform;
}

static void output_mode(void *data, struct wl_output *wl_output, uint32_t flags, int32_t width,
                        int32_t height, int32_t refresh)
{
    (void)data, (void)wl_output, (void)refresh;
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        output_width = width;
        output_height = height;
    }
}

// Bound at version 1: no other event comes.
static const struct wl_output_listener output_listener = {.geometry = output_geometry,
                                                          .mode = output_mode};

static void layer_configure(void *data, struct zwlr_layer_surface_v1 *layer, uint32_t serial,
                            uint32_t width, uint32_t height)
{
    (void)width, (void)height;
    zwlr_layer_surface_v1_ack_configure(layer, serial);
    ((struct layer *)data)->configured = 1;
}

static void layer_closed(void *data, struct zwlr_layer_surface_v1 *layer)
{
    (void)data, (void)layer;
    fprintf(stderr, "layer_shapes: the compositor closed a layer surface\n");
    exit(1);
}

static const struct zwlr_layer_surface_v1_listener layer_listener = {layer_configure, layer_closed};

// Six pictures in one shm pool: the five opaque sprites, then a transparent 1 x 1 corner.
static struct wl_buffer *sprite_buffers[kSprites], *clear_buffer;

static int make_buffers(void)
{
    const int sprite_bytes = kSide * kSide * 4;
    const int size = kSprites * sprite_bytes + 4;
    int fd = memfd_create("layer-shapes", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, size) < 0)
        return -1;
    uint32_t *pixels = mmap(NULL, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED)
        return -1;
    for (int k = 0; k < kSprites; ++k)
        for (int p = 0; p < kSide * kSide; ++p)
            pixels[k * kSide * kSide + p] = kColours[k];
    pixels[kSprites * kSide * kSide] = 0;
    struct wl_shm_pool *pool = wl_shm_create_pool(shm, fd, size);
    for (int k = 0; k < kSprites; ++k)
        sprite_buffers[k] = wl_shm_pool_create_buffer(pool, k * sprite_bytes, kSide, kSide,
                                                      kSide * 4, WL_SHM_FORMAT_XRGB8888);
    clear_buffer =
        wl_shm_pool_create_buffer(pool, kSprites * sprite_bytes, 1, 1, 4, WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    munmap(pixels, size);
    close(fd);
    return 0;
}

// A layer surface on the overlay of the output, its corner at the output's, taking no input and
// keeping no room for itself.
static void make_layer(struct layer *layer, uint32_t width, uint32_t height)
{
    layer->surface = wl_compositor_create_surface(compositor);
    struct wl_region *none = wl_compositor_create_region(compositor);
    wl_surface_set_input_region(layer->surface, none);
    wl_region_destroy(none);
    layer->layer = zwlr_layer_shell_v1_get_layer_surface(
        layer_shell, layer->surface, output, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "layer-shapes");
    zwlr_layer_surface_v1_add_listener(layer->layer, &layer_listener, layer);
    zwlr_layer_surface_v1_set_size(layer->layer, width, height);
    zwlr_layer_surface_v1_set_anchor(layer->layer, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP
                                                       | ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT);
    zwlr_layer_surface_v1_set_exclusive_zone(layer->layer, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(
        layer->layer, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE);
    wl_surface_commit(layer->surface);
}

// Where sprite k's corner is at tick n: round the output's centre, each a little behind.
static void place(long n, int k, int *x, int *y)
{
    const double angle = n * kStep - k * kBehind;
    *x = output_width / 2 + (int)lround(kRadius * cos(angle)) - kSide / 2;
    *y = output_height / 2 + (int)lround(kRadius * sin(angle)) - kSide / 2;
}

int main(int argc, char **argv)
{
    const int subsurfaces = argc > 1 && strcmp(argv[1], "subsurfaces") == 0;
    if (argc < 2 || (!subsurfaces && strcmp(argv[1], "surfaces") != 0)) {
        fprintf(stderr, "usage: layer_shapes subsurfaces|surfaces [SECONDS]\n");
        return 2;
    }
    const double seconds = argc > 2 ? atof(argv[2]) : 10;
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "layer_shapes: no Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!compositor || !subcompositor || !shm || !layer_shell || !output) {
        fprintf(stderr, "layer_shapes: the compositor lacks a global this needs\n");
        return 1;
    }
    wl_output_add_listener(output, &output_listener, NULL);
    wl_display_roundtrip(display);
    if (make_buffers() < 0) {
        fprintf(stderr, "layer_shapes: no shared memory: %s\n", strerror(errno));
        return 1;
    }

    // Subsurfaces: layers[0] is the 1 x 1 base. Surfaces: one layer each.
    struct layer layers[kSprites] = {0};
    struct wl_surface *sprites[kSprites];
    struct wl_subsurface *subs[kSprites] = {0};
    const int layer_count = subsurfaces ? 1 : kSprites;
    for (int k = 0; k < layer_count; ++k)
        make_layer(&layers[k], subsurfaces ? 1 : kSide, subsurfaces ? 1 : kSide);
    for (int k = 0; k < layer_count; ++k)
        while (!layers[k].configured)
            if (wl_display_dispatch(display) < 0)
                return 1;
    int x, y;
    for (int k = 0; k < kSprites; ++k) {
        place(0, k, &x, &y);
        if (subsurfaces) {
            sprites[k] = wl_compositor_create_surface(compositor);
            struct wl_region *none = wl_compositor_create_region(compositor);
            wl_surface_set_input_region(sprites[k], none);
            wl_region_destroy(none);
            subs[k] = wl_subcompositor_get_subsurface(subcompositor, sprites[k], layers[0].surface);
            wl_subsurface_set_position(subs[k], x, y);
        } else {
            sprites[k] = layers[k].surface;
            zwlr_layer_surface_v1_set_margin(layers[k].layer, y, 0, 0, x);
        }
        wl_surface_attach(sprites[k], sprite_buffers[k], 0, 0);
        wl_surface_damage(sprites[k], 0, 0, kSide, kSide);
        wl_surface_commit(sprites[k]);
    }
    if (subsurfaces) {
        wl_surface_attach(layers[0].surface, clear_buffer, 0, 0);
        wl_surface_commit(layers[0].surface);
    }
    wl_display_roundtrip(display);

    int timer = timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC);
    const struct itimerspec every = {{0, kTickMs * 1000000L}, {0, kTickMs * 1000000L}};
    timerfd_settime(timer, 0, &every, NULL);
    printf("moving\n");
    fflush(stdout);
    const long ticks = lround(seconds * 1000 / kTickMs);
    long n = 0;
    while (n < ticks) {
        while (wl_display_prepare_read(display) != 0)
            wl_display_dispatch_pending(display);
        wl_display_flush(display);
        struct pollfd fds[2] = {{wl_display_get_fd(display), POLLIN, 0}, {timer, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            wl_display_cancel_read(display);
            if (errno == EINTR)
                continue;
            return 1;
        }
        if (fds[0].revents & POLLIN) {
            if (wl_display_read_events(display) < 0)
                return 1;
        } else {
            wl_display_cancel_read(display);
        }
        if (wl_display_dispatch_pending(display) < 0)
            return 1;
        uint64_t expired = 0;
        if (!(fds[1].revents & POLLIN) || read(timer, &expired, sizeof expired) != sizeof expired)
            continue;
        n += (long)expired; // a late tick skips ahead, as the trail's clock does
        for (int k = 0; k < kSprites; ++k) {
            place(n, k, &x, &y);
            if (subsurfaces) {
                wl_subsurface_set_position(subs[k], x, y);
            } else {
                zwlr_layer_surface_v1_set_margin(layers[k].layer, y, 0, 0, x);
                wl_surface_commit(sprites[k]);
            }
        }
        // The subsurfaces are synchronised: all five move with their base's commit.
        if (subsurfaces)
            wl_surface_commit(layers[0].surface);
    }
    wl_display_roundtrip(display);
    printf("done\n");
    fflush(stdout);
    // At rest until ended, so that the CPU read after "done" is the run's.
    pause();
    return 0;
}
