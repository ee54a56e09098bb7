#include "outer_size.h"
#include "fixed_size_hints.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QWidget>

bool PlausibleFrame(const QMargins& frame)
{
    for (int side : {frame.left(), frame.top(), frame.right(), frame.bottom()})
        if (side < 0 || side > kMaxFrameSide)
            return false;
    return true;
}

QSize ClientSizeForOuter(const QSize& outer, const QMargins& frame)
{
    return QSize(outer.width() - frame.left() - frame.right(),
                 outer.height() - frame.top() - frame.bottom())
        .expandedTo(QSize(1, 1));
}

QPoint CentredFramePosition(const QRect& available, const QSize& outer)
{
    return available.topLeft()
        + QPoint((available.width() - outer.width()) / 2, (available.height() - outer.height()) / 2);
}

QMargins FrameMargins(const QWidget& window)
{
    // The platform window knows the frame as the window manager reported it last; the
    // widget's own frame geometry keeps what it saw at its last move.
    if (const QWindow* handle = window.windowHandle(); handle && window.isVisible())
        return handle->frameMargins();
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
}

QSize OuterSizeOf(const QWidget& window)
{
    const QMargins frame = FrameMargins(window);
    return PlausibleFrame(frame) ? window.size().grownBy(frame) : window.size();
}

OuterSize::OuterSize(QWidget* window, const QSize& outer, Kind kind)
    : QObject(window), window_(window), outer_(outer), kind_(kind)
{
    Frame = [this] { return FrameMargins(*window_); };
    Later = [this](int ms, std::function<void()> look) { QTimer::singleShot(ms, this, std::move(look)); };
    window_->installEventFilter(this);
    if (kind_ == Kind::Fixed)
        new FixedSizeHints(window_);
    const QMargins frame = Frame();
    Apply(PlausibleFrame(frame) ? frame : QMargins());
}

void OuterSize::Apply(const QMargins& frame)
{
    applied_ = frame;
    const QSize client = ClientSizeForOuter(outer_, frame);
    if (kind_ == Kind::Fixed)
        window_->setFixedSize(client);
    else
        window_->resize(client);
}

void OuterSize::Centre()
{
    const QScreen* screen = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    centredAt_ = CentredFramePosition(screen->availableGeometry(), outer_);
    window_->move(centredAt_);
    centreWhenFramed_ = true;
}

void OuterSize::LookLater()
{
    for (int ms : kFrameLooksMs)
        Later(ms, [this] { LookAtFrame(false); });
}

// A new plausible frame sizes the window again, and centres it again while it stands
// where it was centred (a window the user moved stays where it is).
void OuterSize::LookAtFrame(bool resized)
{
    const QMargins frame = Frame();
    if (!PlausibleFrame(frame))
        return;
    if (frame != applied_) {
        const bool centred = centreWhenFramed_ || window_->pos() == centredAt_;
        Apply(frame);
        if (centred)
            Centre();
        centreWhenFramed_ = false;
        // A frame that changed may change again (a window manager that is replaced
        // takes its frame away and the next one brings its own) without an event to
        // the window.
        LookLater();
    } else if (resized && kind_ == Kind::Resizable) {
        // The user's resizing (or our own): the outer size follows the window.
        outer_ = window_->size().grownBy(frame);
    }
}

bool OuterSize::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_)
        return false;
    switch (event->type()) {
    // The window manager's frame shows up in the window's geometry at one of these: a
    // move when it placed the window anew, else its first paint or activation.
    case QEvent::Show:
        LookLater();
        LookAtFrame(false);
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Paint:
    case QEvent::WindowActivate:
        LookAtFrame(event->type() == QEvent::Resize);
        break;
    default:
        break;
    }
    return false;
}
