// SPDX-License-Identifier: GPL-3.0-or-later
// Sends input to KWin through its fake-input protocol, one command a line on
// standard input, answering "ok" after each once KWin has taken it:
//   move X Y          pointer to a position (logical pixels)
//   button CODE 0|1   an evdev button (272 left, 273 right) released/pressed
//   key CODE 0|1      an evdev key released/pressed
// KWin offers the protocol only to programs whose desktop file lists it in
// X-KDE-Wayland-Interfaces. Built by the harness against the installed XML.
#include "fake-input-client-protocol.h"

#include <stdio.h>
#include <string.h>
#include <wayland-client.h>

static struct org_kde_kwin_fake_input *input;

static void global(void *data, struct wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    (void)data;
    if (strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0)
        input = wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, version < 4 ? version : 4);
}

static void global_remove(void *data, struct wl_registry *registry, uint32_t name)
{
    (void)data;
    (void)registry;
    (void)name;
}

static const struct wl_registry_listener listener = {global, global_remove};

int main(void)
{
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) {
        fprintf(stderr, "no Wayland display\n");
        return 1;
    }
    struct wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, NULL);
    wl_display_roundtrip(display);
    if (!input) {
        fprintf(stderr, "KWin does not offer fake input to this program\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(input, "pigmentry desktop tests", "sends the tests' input");
    wl_display_roundtrip(display);
    setvbuf(stdout, NULL, _IOLBF, 0);
    printf("ready\n");

    char line[128];
    while (fgets(line, sizeof line, stdin)) {
        double x, y;
        unsigned code, state;
        if (sscanf(line, "move %lf %lf", &x, &y) == 2)
            org_kde_kwin_fake_input_pointer_motion_absolute(input, wl_fixed_from_double(x), wl_fixed_from_double(y));
        else if (sscanf(line, "button %u %u", &code, &state) == 2)
            org_kde_kwin_fake_input_button(input, code, state);
        else if (sscanf(line, "key %u %u", &code, &state) == 2)
            org_kde_kwin_fake_input_keyboard_key(input, code, state);
        else {
            printf("unknown: %s", line);
            continue;
        }
        if (wl_display_roundtrip(display) < 0) {
            fprintf(stderr, "lost the display\n");
            return 1;
        }
        printf("ok\n");
    }
    wl_display_disconnect(display);
    return 0;
}
