#include "screen_scale.h"

#include <QGuiApplication>
#include <QScreen>

#include <xcb/xcb.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

void SwitchOffToolkitScaling()
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
}

double ScreenDpi(const DpiSources& sources)
{
    for (const std::optional<double>& dpi : {sources.FontDpi, sources.XftDpi, sources.ServerDpi})
        if (dpi && *dpi > 0)
            return *dpi;
    return sources.ToolkitDpi > 0 ? sources.ToolkitDpi : 96.0;
}

std::optional<double> XftDpiFromResources(const std::string& resources)
{
    std::istringstream lines(resources);
    const std::string key = "Xft.dpi:";
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, key.size(), key) != 0)
            continue;
        char* end = nullptr;
        const std::string value = line.substr(key.size());
        const double dpi = std::strtod(value.c_str(), &end);
        if (end != value.c_str() && dpi > 0)
            return dpi;
    }
    return std::nullopt;
}

std::optional<double> ServerDpi(int pixels, int millimetres)
{
    if (pixels <= 0 || millimetres <= 0)
        return std::nullopt;
    return std::round(pixels * 25.4 / millimetres);
}

namespace {

// Xft.dpi and the server's resolution, when the program runs on an X server.
void ReadX11(DpiSources& sources)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen)
        return;
    sources.ServerDpi = ServerDpi(screen->width_in_pixels, screen->width_in_millimeters);
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, screen->root, XCB_ATOM_RESOURCE_MANAGER,
                         XCB_ATOM_STRING, 0, 1 << 16);
    if (xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
        const auto* text = static_cast<const char*>(xcb_get_property_value(reply));
        sources.XftDpi = XftDpiFromResources(
            std::string(text, size_t(xcb_get_property_value_length(reply))));
        std::free(reply);
    }
}

}  // namespace

DpiSources CurrentDpiSources()
{
    DpiSources sources;
    bool isNumber = false;
    const int fontDpi = qEnvironmentVariableIntValue("QT_FONT_DPI", &isNumber);
    if (isNumber && fontDpi > 0)
        sources.FontDpi = fontDpi;
    ReadX11(sources);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        sources.ToolkitDpi = screen->logicalDotsPerInch();
    return sources;
}

float ScreenScaleFactor()
{
    return float(ScreenDpi(CurrentDpiSources()) / 96.0);
}
