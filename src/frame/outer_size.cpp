#include "outer_size.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                    frame.right() - client.right(), frame.bottom() - client.bottom());
}

QSize OuterSizeOf(const QWidget& window)
{
    return window.frameGeometry().size();
}

OuterSize::OuterSize(QWidget* window, const QSize& outer, Kind kind)
    : QObject(window), window_(window), outer_(outer), kind_(kind)
{
    Frame = [this] { return FrameMargins(*window_); };
    window_->installEventFilter(this);
    Apply(Frame());
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
    window_->move(CentredFramePosition(screen->availableGeometry(), outer_));
    centreWhenFramed_ = true;
}

bool OuterSize::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_)
        return false;
    switch (event->type()) {
    // The window manager's frame shows up in the window's geometry at one of these: a
    // move when it placed the window anew, else its first paint or activation.
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Paint:
    case QEvent::WindowActivate: {
        const QMargins frame = Frame();
        if (frame != applied_) {
            Apply(frame);
            if (centreWhenFramed_)
                Centre();
            centreWhenFramed_ = false;
        } else if (event->type() == QEvent::Resize && kind_ == Kind::Resizable) {
            // The user's resizing (or our own): the outer size follows the window.
            outer_ = window_->size().grownBy(frame);
        }
        break;
    }
    default:
        break;
    }
    return false;
}
