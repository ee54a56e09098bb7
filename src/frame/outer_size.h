#pragma once
// The program's windows have outer sizes: the design sizes count the frame and title
// bar the window manager draws around a window. The frame is the window manager's, and
// on X11 it is known only once the window has been framed (mapped); before that, and
// on platforms without frames, it counts as 0. So a window is given the client size
// for its outer size with the frame known so far, and again when the frame becomes
// known or changes. Windows are centred as a whole, frame included.
//
// Window managers report the frame late, sometimes in two steps, and at first sight
// of a window sometimes with nonsense (margins of -449 px, read from a geometry that
// is not yet the window's): only margins of 0 to kMaxFrameSide px a side count, and
// the frame is looked at again a few times after the window is shown and after each
// change, as the news may come without any event to the window.
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

class QWidget;

inline constexpr int kMaxFrameSide = 100;
// After showing and after a change, the frame is looked at again this many milliseconds later.
inline constexpr int kFrameLooksMs[] = {100, 400, 1500};

// Whether a window manager could have drawn this frame.
bool PlausibleFrame(const QMargins& frame);
// The client size that makes `outer` with this frame around it.
QSize ClientSizeForOuter(const QSize& outer, const QMargins& frame);
// Where the frame's top-left corner goes so that a window of this outer size is
// centred in `available`.
QPoint CentredFramePosition(const QRect& available, const QSize& outer);
// The frame known so far around a top-level window (0 until it is known).
QMargins FrameMargins(const QWidget& window);
// The window's size with its frame (without it while the frame is no plausible one).
QSize OuterSizeOf(const QWidget& window);

class OuterSize : public QObject {
public:
    enum class Kind {
        Fixed,      // the size never changes (setFixedSize)
        Resizable,  // the user may resize it; the outer size then follows
    };

    // Sizes `window` now and whenever its frame changes; lives as long as the window.
    OuterSize(QWidget* window, const QSize& outer, Kind kind);

    QSize Outer() const { return outer_; }
    // Centres the whole window on the available part of its screen; again when the
    // frame becomes known after this.
    void Centre();

    // Where the frame comes from: the window's own by default (tests stand in for a
    // window manager).
    std::function<QMargins()> Frame;
    // How a later look is arranged: a single-shot timer by default (tests keep the
    // looks and run them in their own time).
    std::function<void(int ms, std::function<void()> look)> Later;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply(const QMargins& frame);
    void LookAtFrame(bool resized);
    void LookLater();

    QWidget* window_;
    QSize outer_;
    Kind kind_;
    QMargins applied_;
    bool centreWhenFramed_ = false;
    QPoint centredAt_;  // where Centre put the window last
};
