#pragma once
// The watchers of the board's two answer lines ("Reset" on DSR, "P-Mode" on CTS), the
// port's line-error handler, and the clicks on the two panels. No widgets: the window
// paints a panel through a callback (bright green when on, dark green when off).
#include "link.h"
#include "serial_port.h"

#include <functional>

struct PanelColor {
    int red, green, blue;
    bool operator==(const PanelColor&) const = default;
};
inline constexpr PanelColor kColorOn{0, 255, 0};
inline constexpr PanelColor kColorOff{0, 128, 0};

class TComSignal {
public:
    enum class Line { Dsr, Cts };
    // `paint` colours the panel: true kColorOn, false kColorOff.
    TComSignal(Line line, std::function<void(bool on)> paint);

    // Called with the line's value when it changed (OnSignal of the panel).
    std::function<void(bool on)> OnSignal;

    void PortOpened(unsigned modemStatus);
    void PortClosed();
    void ModemChanged(unsigned modemStatus);
    bool Value() const { return value_; }
    PanelColor Color() const { return value_ ? kColorOn : kColorOff; }

private:
    void Show(bool on);
    Line line_;
    std::function<void(bool)> paint_;
    bool value_ = false;
};

// The window's receiver of the port's events: repaints both panels on a line change;
// on a line error beeps, shows "ComPortLineError:  <port> !" and closes the port; when
// the device is gone closes the port without a word (the exchange that was running
// shows its port error).
class ComPortEvents : public PortEvents {
public:
    ComPortEvents(SerialPort& port, Dialogs& dialogs, ParameterSet& params, TComSignal& reset, TComSignal& mode);
    void OnLineError(const std::string& what) override;
    void OnModemChange(unsigned status) override;
    void OnPortGone() override;
    // Called after the port was closed because its device went away.
    std::function<void()> OnClosedByDevice;
    // Opens or closes the port and shows the lines as they are then.
    void OpenPort();
    void ClosePort();

private:
    SerialPort& port_;
    Dialogs& dialogs_;
    ParameterSet& params_;
    TComSignal& reset_;
    TComSignal& mode_;
};

// Clicks on the panels: in service mode each toggles its line (DTR with ResetLineOn,
// RTS with ModeLineOn); otherwise nothing. A failing port call shows the port error.
void ResetPanelClick(Link& link);
void ModePanelClick(Link& link);
