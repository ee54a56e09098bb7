#pragma once
// The program scales its windows itself: every design size in pixels at 96 dots per
// inch times the scale factor (the screen's dots per inch / 96), truncated. Qt's own
// high-dpi scaling is switched off, or it would multiply that factor a second time.
//
// The dots per inch come from, in this order: QT_FONT_DPI, the X resource Xft.dpi, the
// X server's own resolution (its screen size in millimetres), and what Qt reports.
#include <optional>
#include <string>

// Before the QApplication is created.
void SwitchOffToolkitScaling();

struct DpiSources {
    std::optional<double> FontDpi;    // QT_FONT_DPI
    std::optional<double> XftDpi;     // Xft.dpi in the X server's RESOURCE_MANAGER
    std::optional<double> ServerDpi;  // the X screen's pixels per inch
    double ToolkitDpi = 96.0;         // QScreen::logicalDotsPerInch
};
double ScreenDpi(const DpiSources& sources);

// The value of "Xft.dpi:" in the X resources text, if any.
std::optional<double> XftDpiFromResources(const std::string& resources);
// Pixels across and millimetres across to whole dots per inch; nothing without a size.
std::optional<double> ServerDpi(int pixels, int millimetres);

// The sources of the running application's screen.
DpiSources CurrentDpiSources();
// ScreenDpi(CurrentDpiSources()) / 96.
float ScreenScaleFactor();
