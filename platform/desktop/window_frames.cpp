#include "desktop/window_frames.h"

#include "controls/form.h"

#include <QGuiApplication>

#include <cstring>

#ifdef PLENVOR_WAYLAND
#include <wayland-client.h>
#endif

namespace plenvor {

namespace {

// Whether the compositor offers to draw the frames of its windows (xdg-decoration), asked
// over a connection of this function's own.
bool compositorDrawsFrames()
{
#ifdef PLENVOR_WAYLAND
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return true;
    bool offers = false;
    static const wl_registry_listener listener = {
        [](void *data, wl_registry *, uint32_t, const char *interface, uint32_t) {
            if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
                *static_cast<bool *>(data) = true;
        },
        [](void *, wl_registry *, uint32_t) {},
    };
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offers);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offers;
#else
    return true;
#endif
}

} // namespace

void chooseWhoDrawsFrames()
{
    // A user's own choice of Qt's frames stands.
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
        qEnvironmentVariableIsSet("QT_WAYLAND_DECORATION") ||
        qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION") || compositorDrawsFrames())
        return;
    qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
    Form::drawOwnFrames();
}

} // namespace plenvor
