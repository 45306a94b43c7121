// SPDX-License-Identifier: GPL-3.0-or-later
// A mouse for a headless wlroots compositor that stays plugged in while it runs: reads lines from
// stdin, "X Y W H" (go to X, Y of a W x H box spanning every output) or "click", and answers
// "ok" once the compositor has taken each. The device goes at end of input.
#include "wlr-virtual-pointer-client-protocol.h"

#include <wayland-client.h>

#include <linux/input-event-codes.h>
#include <stdio.h>
#include <string.h>

static struct zwlr_virtual_pointer_manager_v1 *manager;

static void global_added(void *data, struct wl_registry *registry, uint32_t name,
                         const char *interface, uint32_t version)
{
    (void)data, (void)version;
    if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void global_removed(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}

static const struct wl_registry_listener registry_listener = {global_added, global_removed};

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "wlr_pointer: no Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!manager) {
        fprintf(stderr, "wlr_pointer: the compositor offers no virtual pointer\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1 *pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, NULL);
    wl_display_roundtrip(display);
    printf("ready\n");
    fflush(stdout);
    char line[128];
    unsigned time = 0;
    while (fgets(line, sizeof line, stdin)) {
        unsigned x, y, w, h;
        if (sscanf(line, "%u %u %u %u", &x, &y, &w, &h) == 4 && w && h) {
            zwlr_virtual_pointer_v1_motion_absolute(pointer, time += 10, x, y, w, h);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else if (strncmp(line, "click", 5) == 0) {
            zwlr_virtual_pointer_v1_button(pointer, time += 10, BTN_LEFT, 1);
            zwlr_virtual_pointer_v1_frame(pointer);
            zwlr_virtual_pointer_v1_button(pointer, time += 10, BTN_LEFT, 0);
            zwlr_virtual_pointer_v1_frame(pointer);
        } else {
            printf("bad line\n");
            fflush(stdout);
            continue;
        }
        if (wl_display_roundtrip(display) < 0)
            return 1;
        printf("ok\n");
        fflush(stdout);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
