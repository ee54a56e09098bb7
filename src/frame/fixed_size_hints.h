#pragma once
// Windows of a fixed size tell the window manager so in its own terms. Qt gives a fixed
// window equal minimum and maximum sizes, but its Motif hints always allow resizing and
// ask for resize handles, and a window without customised flags also gets a maximise
// button; some window managers draw those. These hints name only what the window's
// flags offer (move, minimise, close; border, title, menu) and never resizing or
// maximising. On X11 only; elsewhere nothing happens.
#include <QObject>
#include <Qt>

#include <cstdint>

class QWidget;

// The _MOTIF_WM_HINTS property: flags, functions, decorations (input mode and status 0).
struct MotifHints {
    uint32_t Flags = 0;
    uint32_t Functions = 0;
    uint32_t Decorations = 0;
};

inline constexpr uint32_t kMwmHintsFunctions = 1u << 0;
inline constexpr uint32_t kMwmHintsDecorations = 1u << 1;
inline constexpr uint32_t kMwmFuncResize = 1u << 1;
inline constexpr uint32_t kMwmFuncMove = 1u << 2;
inline constexpr uint32_t kMwmFuncMinimize = 1u << 3;
inline constexpr uint32_t kMwmFuncMaximize = 1u << 4;
inline constexpr uint32_t kMwmFuncClose = 1u << 5;
inline constexpr uint32_t kMwmDecorBorder = 1u << 1;
inline constexpr uint32_t kMwmDecorResizeHandle = 1u << 2;
inline constexpr uint32_t kMwmDecorTitle = 1u << 3;
inline constexpr uint32_t kMwmDecorMenu = 1u << 4;
inline constexpr uint32_t kMwmDecorMinimize = 1u << 5;
inline constexpr uint32_t kMwmDecorMaximize = 1u << 6;

MotifHints FixedSizeMotifHints(Qt::WindowFlags flags);

// Sets the hints on the window each time it is shown (after Qt has set its own).
class FixedSizeHints : public QObject {
public:
    explicit FixedSizeHints(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    bool pending_ = false;
};
