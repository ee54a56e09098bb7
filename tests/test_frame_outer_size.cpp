// Outer sizes of top-level windows: the client size for a frame, centring the whole
// window, and the client size set again when the frame becomes known (the offscreen
// platform draws a frame of its own once a window is shown; a stand-in frame plays the
// window manager that reports one only after mapping).
#include "fixed_size_hints.h"
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

namespace {

// A window manager in the test's hands: the frame it reports, and the later looks the
// window arranged, run when the test says.
struct LateManager {
    QMargins frame;
    std::vector<int> delays;
    std::vector<std::function<void()>> looks;

    void Attach(OuterSize& outer)
    {
        outer.Frame = [this] { return frame; };
        outer.Later = [this](int ms, std::function<void()> look) {
            delays.push_back(ms);
            looks.push_back(std::move(look));
        };
    }
    void RunLooks()
    {
        auto pending = std::move(looks);
        looks.clear();
        for (auto& look : pending)
            look();
    }
};

}  // namespace

// The frame that made "IA-Mittelwert" open at 899 x 1561: margins read from a geometry
// that was not yet the window's. It is passed over; the last good frame stays.
TEST(OuterSize, NonsenseFrameLeavesTheSizeAsItWas)
{
    QWidget window;
    LateManager wm;
    wm.frame = {-449, -780, -2, -23};
    OuterSize outer(&window, {448, 758}, OuterSize::Kind::Fixed);
    wm.Attach(outer);
    QMoveEvent moved({10, 30}, {0, 0});
    QApplication::sendEvent(&window, &moved);
    EXPECT_EQ(window.size(), QSize(448, 758));

    wm.frame = {1, 20, 1, 1};
    QApplication::sendEvent(&window, &moved);
    EXPECT_EQ(window.size(), QSize(446, 737));
    for (QMargins nonsense : {QMargins(-449, -780, -449, -780), QMargins(0, 0, 0, 400), QMargins(150, 20, 1, 1)}) {
        wm.frame = nonsense;
        QApplication::sendEvent(&window, &moved);
        wm.RunLooks();
        EXPECT_EQ(window.size(), QSize(446, 737));
    }
    EXPECT_EQ(outer.Outer(), QSize(448, 758));
}

// The frame comes only after every event of the showing (the first sessions after the
// display started): the looks after showing find it, size the window and centre it.
TEST(OuterSize, FrameReportedLateIsFoundByTheLooksAfterShowing)
{
    QWidget window;
    LateManager wm;
    OuterSize outer(&window, {629, 433}, OuterSize::Kind::Fixed);
    wm.Attach(outer);
    outer.Centre();
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(629, 433));
    EXPECT_EQ(wm.delays, (std::vector<int>{100, 400, 1500}));

    // Nothing yet at the first look, the frame at the second.
    ASSERT_EQ(wm.looks.size(), 3u);
    wm.looks[0]();
    EXPECT_EQ(window.size(), QSize(629, 433));
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint centred = CentredFramePosition(available, {629, 433});
    wm.frame = {1, 22, 1, 1};
    wm.looks[1]();
    EXPECT_EQ(window.size(), QSize(627, 410));
    EXPECT_EQ(window.pos(), centred);
    wm.looks[2]();
    EXPECT_EQ(window.size(), QSize(627, 410));

    // Reported twice: the second frame resizes again, and the window, still where it was
    // centred, stays centred.
    wm.frame = {2, 23, 2, 2};
    QMoveEvent moved(window.pos(), window.pos());
    QApplication::sendEvent(&window, &moved);
    EXPECT_EQ(window.size(), QSize(625, 408));
    EXPECT_EQ(window.pos(), centred);
}

// A window manager replaced while the window is shown: the old one takes its frame away,
// the new one brings its own, neither with an event to the window. Each change is
// followed by new looks, which find the next one.
TEST(OuterSize, FrameTakenAwayAndBroughtBackWithoutEvents)
{
    QWidget window;
    LateManager wm;
    wm.frame = {1, 23, 1, 1};
    OuterSize outer(&window, {450, 781}, OuterSize::Kind::Fixed);
    wm.Attach(outer);
    outer.Centre();
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(448, 757));
    wm.looks.clear();

    // The old window manager is gone: its frame is found at the next activation.
    wm.frame = {};
    QEvent activated(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activated);
    EXPECT_EQ(window.size(), QSize(450, 781));
    ASSERT_EQ(wm.looks.size(), 3u) << "a change brings three more looks";

    wm.frame = {2, 23, 2, 2};
    wm.looks[0]();
    EXPECT_EQ(window.size(), QSize(446, 756));
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(window.pos(), CentredFramePosition(available, {450, 781}));
}

// A window the user has moved is resized by a new frame but stays where it is.
TEST(OuterSize, MovedWindowIsNotCentredAgain)
{
    QWidget window;
    LateManager wm;
    wm.frame = {1, 20, 1, 1};
    OuterSize outer(&window, {481, 930}, OuterSize::Kind::Fixed);
    wm.Attach(outer);
    outer.Centre();
    window.show();
    QApplication::processEvents();
    window.move(40, 50);
    QApplication::processEvents();
    wm.frame = {3, 25, 3, 3};
    wm.RunLooks();
    EXPECT_EQ(window.size(), QSize(475, 902));
    EXPECT_EQ(window.pos(), QPoint(40, 50));
}

// The window manager's hints of a fixed-size window offer what its flags offer (moving,
// minimising, closing; border, title, menu) and never resizing or maximising, whatever
// the flags say.
TEST(FixedSizeHints, NeitherResizingNorMaximising)
{
    struct Case {
        const char* window;
        Qt::WindowFlags flags;
        uint32_t functions;
        uint32_t decorations;
    };
    const Case table[] = {
        {"main window",
         Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
             | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint,
         0x2c, 0x3a},  // move, minimise, close; border, title, menu, minimise
        {"editor", Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint, 0x24,
         0x0a},  // move, close; border, title
        {"asking for everything", Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowSystemMenuHint, 0x0c, 0x3a},
    };
    for (const Case& c : table) {
        const MotifHints hints = FixedSizeMotifHints(c.flags);
        EXPECT_EQ(hints.Flags, 3u) << c.window;
        EXPECT_EQ(hints.Functions, c.functions) << c.window;
        EXPECT_EQ(hints.Decorations, c.decorations) << c.window;
        EXPECT_EQ(hints.Functions & (kMwmFuncResize | kMwmFuncMaximize), 0u) << c.window;
        EXPECT_EQ(hints.Decorations & (kMwmDecorResizeHandle | kMwmDecorMaximize), 0u) << c.window;
    }
}
