#include "desktop/window_frames.h"

#include "controls/form.h"

#include <QGuiApplication>

#include <cstring>

#ifdef PLENVOR_WAYLAND
#include <dlfcn.h>
#include <wayland-client.h>
#endif

namespace plenvor {

namespace {

#ifdef PLENVOR_WAYLAND

// Wayland's client library, loaded only where the program runs on Wayland (where Qt's plugin
// has loaded it already): an X11 start does not pay for mapping it.
class WaylandClient
{
public:
    WaylandClient() : m_library(::dlopen("libwayland-client.so.0", RTLD_LAZY | RTLD_LOCAL)) {}
    ~WaylandClient()
    {
        if (m_library)
            ::dlclose(m_library);
    }
    WaylandClient(const WaylandClient &) = delete;
    WaylandClient &operator=(const WaylandClient &) = delete;

    template <class T> T *get(const char *name) const
    {
        return m_library ? reinterpret_cast<T *>(::dlsym(m_library, name)) : nullptr;
    }

private:
    void *m_library;
};

// Whether the compositor offers to draw the frames of its windows (xdg-decoration), asked
// over a connection of this function's own.
bool compositorDrawsFrames()
{
    const WaylandClient wayland;
    const auto connect = wayland.get<decltype(wl_display_connect)>("wl_display_connect");
    const auto roundtrip = wayland.get<decltype(wl_display_roundtrip)>("wl_display_roundtrip");
    const auto disconnect = wayland.get<decltype(wl_display_disconnect)>("wl_display_disconnect");
    const auto marshal = wayland.get<decltype(wl_proxy_marshal_flags)>("wl_proxy_marshal_flags");
    const auto listen = wayland.get<decltype(wl_proxy_add_listener)>("wl_proxy_add_listener");
    const auto destroy = wayland.get<decltype(wl_proxy_destroy)>("wl_proxy_destroy");
    const auto version = wayland.get<decltype(wl_proxy_get_version)>("wl_proxy_get_version");
    const auto *registryInterface = wayland.get<const wl_interface>("wl_registry_interface");
    if (!connect || !roundtrip || !disconnect || !marshal || !listen || !destroy || !version ||
        !registryInterface)
        return true;
    wl_display *display = connect(nullptr);
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
    // What wl_display_get_registry() does, through the library loaded here.
    auto *registry =
        marshal(reinterpret_cast<wl_proxy *>(display), WL_DISPLAY_GET_REGISTRY, registryInterface,
                version(reinterpret_cast<wl_proxy *>(display)), 0, nullptr);
    listen(registry, reinterpret_cast<void (**)()>(const_cast<wl_registry_listener *>(&listener)),
           &offers);
    roundtrip(display);
    destroy(registry);
    disconnect(display);
    return offers;
}

#else

bool compositorDrawsFrames()
{
    return true;
}

#endif

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
