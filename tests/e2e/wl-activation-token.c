/* Prints an xdg-activation-v1 token from the compositor at $WAYLAND_DISPLAY, as a launcher hands one to the
 * program it starts (XDG_ACTIVATION_TOKEN). Exits non-zero on any failure, and within 3 s. */
#include <stdio.h>
#include <string.h>
#include <unistd.h>
#include <wayland-client.h>
#include "xdg-activation-v1-client-protocol.h"

static struct xdg_activation_v1 *activation;
static char *token;

static void global(void *data, struct wl_registry *reg, uint32_t name, const char *iface, uint32_t version) {
    if (strcmp(iface, xdg_activation_v1_interface.name) == 0)
        activation = wl_registry_bind(reg, name, &xdg_activation_v1_interface, 1);
}
static void global_remove(void *data, struct wl_registry *reg, uint32_t name) {}
static const struct wl_registry_listener registry_listener = {global, global_remove};
static void done(void *data, struct xdg_activation_token_v1 *t, const char *name) { token = strdup(name); }
static const struct xdg_activation_token_v1_listener token_listener = {done};

int main(void) {
    alarm(3); /* a compositor that does not answer ends this by SIGALRM */
    struct wl_display *display = wl_display_connect(NULL);
    if (!display) return 1;
    wl_registry_add_listener(wl_display_get_registry(display), &registry_listener, NULL);
    if (wl_display_roundtrip(display) < 0 || !activation) return 1;
    struct xdg_activation_token_v1 *t = xdg_activation_v1_get_activation_token(activation);
    xdg_activation_token_v1_add_listener(t, &token_listener, NULL);
    xdg_activation_token_v1_set_app_id(t, "org.kelvo.Kelvo");
    xdg_activation_token_v1_commit(t);
    while (!token)
        if (wl_display_dispatch(display) < 0) return 1;
    return !*token || printf("%s\n", token) < 0 || fflush(stdout) != 0;
}
