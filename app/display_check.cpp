#include "app/display_check.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

bool WindowSystemReachable()
{
    // Another platform chosen by the user (offscreen, wayland, ...) is Qt's to check.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform && !std::string_view(platform).starts_with("xcb"))
        return true;
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!platform && wayland && *wayland)
        return true;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reachable = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reachable;
}
