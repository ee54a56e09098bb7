#include "fixed_size_hints.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

MotifHints FixedSizeMotifHints(Qt::WindowFlags flags)
{
    MotifHints hints;
    hints.Flags = kMwmHintsFunctions | kMwmHintsDecorations;
    hints.Functions = kMwmFuncMove;
    hints.Decorations = kMwmDecorBorder | kMwmDecorTitle;
    if (flags & Qt::WindowSystemMenuHint)
        hints.Decorations |= kMwmDecorMenu;
    if (flags & Qt::WindowMinimizeButtonHint) {
        hints.Functions |= kMwmFuncMinimize;
        hints.Decorations |= kMwmDecorMinimize;
    }
    if (flags & Qt::WindowCloseButtonHint)
        hints.Functions |= kMwmFuncClose;
    return hints;
}

namespace {

void SetMotifHints(const QWidget& window, const MotifHints& hints)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const char name[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    if (!atom)
        return;
    const uint32_t data[5] = {hints.Flags, hints.Functions, hints.Decorations, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()), atom->atom, atom->atom,
                        32, 5, data);
    xcb_flush(connection);
    std::free(atom);
}

}  // namespace

FixedSizeHints::FixedSizeHints(QWidget* window) : QObject(window), window_(window)
{
    window_->installEventFilter(this);
}

bool FixedSizeHints::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_)
        return false;
    switch (event->type()) {
    case QEvent::Show:
        // Before the map, where the window manager reads them; Qt may set its own while
        // it maps, so once more at the first event after.
        if (window_->isWindow() && window_->testAttribute(Qt::WA_WState_Created))
            SetMotifHints(*window_, FixedSizeMotifHints(window_->windowFlags()));
        pending_ = true;
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Paint:
    case QEvent::WindowActivate:
    case QEvent::Expose:
        if (pending_ && window_->isVisible() && window_->isWindow()) {
            pending_ = false;
            SetMotifHints(*window_, FixedSizeMotifHints(window_->windowFlags()));
        }
        break;
    default:
        break;
    }
    return false;
}
