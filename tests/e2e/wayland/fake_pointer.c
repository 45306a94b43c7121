// SPDX-License-Identifier: GPL-3.0-or-later
// Moves a KWin session's pointer to absolute points, like a person's mouse would:
// fake_pointer X Y [X Y ...] (logical pixels), or with no arguments one line at a time from
// stdin, answering "ok" for each: "X Y" moves there, "click" presses and releases the left
// button. Exits 0 once KWin has taken every move.
#include "fake-input-client-protocol.h"

#include <linux/input-event-codes.h>
#include <wayland-client.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static struct org_kde_kwin_fake_input *fake_input;

static void global_added(void *data, struct wl_registry *registry, uint32_t name,
                         const char *interface, uint32_t version)
{
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 3)
        fake_input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 3);
}

static void global_removed(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data, (void)registry, (void)name;
}

static const struct wl_registry_listener registry_listener = {global_added, global_removed};

int main(int argc, char **argv)
{
    if (argc == 2 || argc % 2 == 0) {
        fprintf(stderr, "usage: %s [X Y ...]\n", argv[0]);
        return 2;
    }
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "fake_pointer: no Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, NULL);
    wl_display_roundtrip(display);
    if (!fake_input) {
        fprintf(stderr, "fake_pointer: the compositor offers no fake input to this program\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fake_input, "zorrit tests", "moves the pointer");
    for (int i = 1; i + 1 < argc; i += 2)
        org_kde_kwin_fake_input_pointer_motion_absolute(
            fake_input, wl_fixed_from_int(atoi(argv[i])), wl_fixed_from_int(atoi(argv[i + 1])));
    int ok = wl_display_roundtrip(display) >= 0;
    char line[64];
    while (ok && argc == 1 && fgets(line, sizeof line, stdin)) {
        int x = 0, y = 0;
        if (strncmp(line, "click", 5) == 0) {
            org_kde_kwin_fake_input_button(fake_input, BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
            org_kde_kwin_fake_input_button(fake_input, BTN_LEFT,
                                           WL_POINTER_BUTTON_STATE_RELEASED);
        } else if (sscanf(line, "%d %d", &x, &y) == 2) {
            org_kde_kwin_fake_input_pointer_motion_absolute(fake_input, wl_fixed_from_int(x),
                                                            wl_fixed_from_int(y));
        } else {
            break;
        }
        ok = wl_display_roundtrip(display) >= 0;
        puts("ok");
        fflush(stdout);
    }
    org_kde_kwin_fake_input_destroy(fake_input);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return ok ? 0 : 1;
}
