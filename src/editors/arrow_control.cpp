#include "arrow_control.h"

#include <QToolButton>

#include <algorithm>

ArrowControl::ArrowControl(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    up_->setObjectName("Up");
    down_->setObjectName("Down");
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRaise(false);
    }
    QObject::connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
    QObject::connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void ArrowControl::SetPosition(int position) { position_ = std::clamp(position, -32768, 32767); }

void ArrowControl::Step(int delta)
{
    SetPosition(position_ + delta);
    if (OnClick)
        OnClick(position_);
}

void ArrowControl::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}
