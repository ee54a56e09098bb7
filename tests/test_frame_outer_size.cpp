// Outer sizes of top-level windows: the client size for a frame, centring the whole
// window, and the client size set again when the frame becomes known (the offscreen
// platform draws a frame of its own once a window is shown; a stand-in frame plays the
// window manager that reports one only after mapping).
#include "outer_size.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMoveEvent>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

TEST(OuterSize, ClientSizeAndCentredPosition)
{
    EXPECT_EQ(ClientSizeForOuter({593, 570}, {}), QSize(593, 570));
    EXPECT_EQ(ClientSizeForOuter({593, 570}, {1, 20, 1, 1}), QSize(591, 549));
    EXPECT_EQ(ClientSizeForOuter({741, 712}, {4, 30, 4, 4}), QSize(733, 678));
    EXPECT_EQ(CentredFramePosition({0, 0, 1280, 1024}, {593, 570}), QPoint(343, 227));
    EXPECT_EQ(CentredFramePosition({100, 50, 1000, 800}, {600, 400}), QPoint(300, 250));
}

TEST(OuterSize, ShownWindowHasItsOuterSizeWithTheFrame)
{
    QWidget window;
    auto* outer = new OuterSize(&window, {593, 570}, OuterSize::Kind::Fixed);
    EXPECT_EQ(window.size(), QSize(593, 570));  // no frame known while hidden
    outer->Centre();
    window.show();
    QApplication::processEvents();
    const QMargins frame = FrameMargins(window);
    ASSERT_GT(frame.left() + frame.top(), 0) << "the offscreen platform frames shown windows";
    EXPECT_EQ(OuterSizeOf(window), QSize(593, 570));
    EXPECT_EQ(window.size(), ClientSizeForOuter({593, 570}, frame));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window.frameGeometry().topLeft(), CentredFramePosition(available, {593, 570}));
}

TEST(OuterSize, FrameReportedAfterMappingResizesAgain)
{
    QWidget window;
    OuterSize outer(&window, {1022, 766}, OuterSize::Kind::Resizable);
    QMargins wm;  // what the window manager has told so far
    outer.Frame = [&wm] { return wm; };
    EXPECT_EQ(window.size(), QSize(1022, 766));

    // The window manager frames the window; Qt passes the news on with a move.
    wm = {1, 20, 1, 1};
    QMoveEvent moved({10, 30}, {0, 0});
    QApplication::sendEvent(&window, &moved);
    EXPECT_EQ(window.size(), QSize(1020, 745));
    EXPECT_EQ(outer.Outer(), QSize(1022, 766));

    // The user resizes the shown window: the outer size follows, and a thicker frame
    // keeps it.
    window.show();
    QApplication::processEvents();
    window.resize(800, 600);
    QApplication::processEvents();
    EXPECT_EQ(outer.Outer(), QSize(802, 621));
    wm = {4, 30, 4, 4};
    QApplication::sendEvent(&window, &moved);
    EXPECT_EQ(window.size(), QSize(794, 587));
    EXPECT_EQ(outer.Outer(), QSize(802, 621));
}
