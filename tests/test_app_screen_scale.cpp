// The scale factor and the window sizes it gives: the dots per inch from their
// sources in order, and the program started at 96, 120 and 144 dots per inch, where
// Qt's own scaling must not multiply the program's factor a second time.
#include "screen_scale.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ScreenScale, DotsPerInchFromTheirSources)
{
    EXPECT_EQ(ScreenDpi({}), 96.0);
    EXPECT_EQ(ScreenDpi({std::nullopt, std::nullopt, std::nullopt, 110.0}), 110.0);
    EXPECT_EQ(ScreenDpi({std::nullopt, std::nullopt, 120.0, 96.0}), 120.0);
    EXPECT_EQ(ScreenDpi({std::nullopt, 144.0, 120.0, 96.0}), 144.0);
    EXPECT_EQ(ScreenDpi({96.0, 144.0, 120.0, 96.0}), 96.0);

    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\t120\n"), 120.0);
    EXPECT_EQ(XftDpiFromResources("Xcursor.size:\t24\nXft.dpi:  144\nXft.hinting: 1\n"), 144.0);
    EXPECT_EQ(XftDpiFromResources("Xft.antialias:\t1\n"), std::nullopt);
    EXPECT_EQ(XftDpiFromResources("Xft.dpi:\tviel\n"), std::nullopt);

    // What Xvfb -dpi 120 and -dpi 144 give for 1280 pixels.
    EXPECT_EQ(ServerDpi(1280, 271), 120.0);
    EXPECT_EQ(ServerDpi(1280, 226), 144.0);
    EXPECT_EQ(ServerDpi(1280, 339), 96.0);
    EXPECT_EQ(ServerDpi(1280, 0), std::nullopt);
}

namespace {

// The program's windows at the dots per inch QT_FONT_DPI gives the offscreen screen.
std::string SizesAt(int dpi, const QStringList& arguments)
{
    QTemporaryDir folder;  // no settings file, no device-type list
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("QT_FONT_DPI", QString::number(dpi));
    environment.remove("QT_ENABLE_HIGHDPI_SCALING");
    environment.remove("QT_SCALE_FACTOR");
    probe.setProcessEnvironment(environment);
    probe.setWorkingDirectory(folder.path());
    probe.start(WINDOW_SIZES, arguments);
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0)
        return "probe failed: " + probe.readAllStandardError().toStdString();
    return probe.readAllStandardOutput().trimmed().toStdString();
}

}  // namespace

TEST(ScreenScale, WindowsAtNinetySixHundredTwentyAndHundredFortyFourDpi)
{
    EXPECT_EQ(SizesAt(96, {}), "scale 1.0000 main 593x570 fault 1022x766");
    EXPECT_EQ(SizesAt(96, {"Wq3Zb5"}), "scale 1.0000 main 593x756 fault 1022x766");
    EXPECT_EQ(SizesAt(120, {}), "scale 1.2500 main 741x712 fault 1022x766");
    EXPECT_EQ(SizesAt(120, {"Wq3Zb5"}), "scale 1.2500 main 741x945 fault 1022x766");
    EXPECT_EQ(SizesAt(144, {}), "scale 1.5000 main 889x855 fault 1022x766");
    EXPECT_EQ(SizesAt(144, {"Wq3Zb5"}), "scale 1.5000 main 889x1134 fault 1022x766");
}
