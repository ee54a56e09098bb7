#pragma once
// Up-down arrows beside an edit field, holding a 16-bit position like the board's
// classic spin control: a click moves the position by one within -32768 ... 32767,
// then OnClick sees the new position.
#include <QWidget>

#include <functional>

class QToolButton;

class ArrowControl : public QWidget {
public:
    explicit ArrowControl(QWidget* parent);

    int Position() const { return position_; }
    void SetPosition(int position);
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

    std::function<void(int)> OnClick;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Step(int delta);

    int position_ = 0;
    QToolButton* up_;
    QToolButton* down_;
};
