#include "controls/size_steps.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

#ifdef PLENVOR_XCB
#include <xcb/xcb.h>
#endif

namespace plenvor {

void sizeInWholePixels(const QWidget &window)
{
#ifdef PLENVOR_XCB
    const QWindow *handle = window.windowHandle();
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !handle || !handle->handle())
        return;
    const double ratio = handle->devicePixelRatio();
    if (ratio == std::floor(ratio))
        return;
    // WM_NORMAL_HINTS: 18 numbers, the flags first, the steps 10th and 11th.
    constexpr int kFields = 18;
    constexpr std::uint32_t kStepsGiven = 1U << 6;
    constexpr int kWidthStep = 9;
    constexpr int kHeightStep = 10;
    xcb_connection_t *connection = x11->connection();
    const auto id = xcb_window_t(handle->winId());
    const xcb_get_property_cookie_t asked = xcb_get_property(
        connection, 0, id, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, kFields);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, asked, nullptr), &std::free);
    std::array<std::uint32_t, kFields> hints{};
    if (!reply || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) != int(sizeof hints))
        return;
    std::memcpy(hints.data(), xcb_get_property_value(reply.get()), sizeof hints);
    if (!(hints[0] & kStepsGiven) || (hints[kWidthStep] <= 1 && hints[kHeightStep] <= 1))
        return;
    hints[kWidthStep] = 1;
    hints[kHeightStep] = 1;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, kFields, hints.data());
#else
    Q_UNUSED(window)
#endif
}

} // namespace plenvor
