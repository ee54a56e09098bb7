#include "com_signal.h"
#include "translation.h"

TComSignal::TComSignal(Line line, std::function<void(bool on)> paint) : line_(line), paint_(std::move(paint)) {}

void TComSignal::Show(bool on)
{
    const bool changed = on != value_;
    value_ = on;
    if (paint_)
        paint_(on);
    if (changed && OnSignal)
        OnSignal(on);
}

void TComSignal::PortOpened(unsigned modemStatus) { ModemChanged(modemStatus); }

void TComSignal::PortClosed() { Show(false); }

void TComSignal::ModemChanged(unsigned modemStatus)
{
    Show((modemStatus & (line_ == Line::Dsr ? kModemDsr : kModemCts)) != 0);
}

ComPortEvents::ComPortEvents(SerialPort& port, Dialogs& dialogs, ParameterSet& params, TComSignal& reset,
                             TComSignal& mode)
    : port_(port), dialogs_(dialogs), params_(params), reset_(reset), mode_(mode)
{
}

void ComPortEvents::OnLineError(const std::string& what)
{
    (void)what;
    dialogs_.Beep();
    dialogs_.Error(Fill(Tr("Link", "ComPortLineError:  %1 !"), {params_.SelectedPort}));
    ClosePort();
}

void ComPortEvents::OnPortGone()
{
    if (!port_.Active())
        return;
    try {
        ClosePort();
    } catch (const EComError&) {
    }
    if (OnClosedByDevice)
        OnClosedByDevice();
}

void ComPortEvents::OnModemChange(unsigned status)
{
    reset_.ModemChanged(status);
    mode_.ModemChanged(status);
}

void ComPortEvents::OpenPort()
{
    port_.SetActive(true);
    unsigned status = 0;
    try {
        status = port_.GetModemStatus();
    } catch (const EComError&) {
        status = 0;  // a port without modem lines shows both panels off
    }
    reset_.PortOpened(status);
    mode_.PortOpened(status);
}

void ComPortEvents::ClosePort()
{
    port_.SetActive(false);
    reset_.PortClosed();
    mode_.PortClosed();
}

namespace {
void ToggleLine(Link& link, bool reset)
{
    if (!link.Params.ServiceMode)
        return;
    RunExchange(
        link,
        [&] {
            uint8_t& on = reset ? link.Params.ResetLineOn : link.Params.ModeLineOn;
            if (reset)
                on ? link.Port.ClearDTR() : link.Port.SetDTR();
            else
                on ? link.Port.ClearRTS() : link.Port.SetRTS();
            on = !on;
            return Outcome::Done;
        },
        nullptr);
}
}  // namespace

void ResetPanelClick(Link& link) { ToggleLine(link, true); }
void ModePanelClick(Link& link) { ToggleLine(link, false); }
