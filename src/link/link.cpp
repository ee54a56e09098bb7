#include "link.h"
#include "translation.h"

#include "diagnostics_sink.h"
#include "serial_port_forwarder.h"

#include <cstdio>

using namespace LinkTiming;

namespace {

void Fail(Link& link, const std::string& text, Outcome failure = Outcome::BoardFailed)
{
    link.Failure = failure;
    link.Host.Messages().Beep();
    link.Host.Messages().Error(text);
}

// A failed line step also clears the progress and the status of the exchange.
void FailLine(Link& link, const std::string& text)
{
    Fail(link, text);
    link.Host.SetProgress(0);
    link.Host.SetStatus("");
}

bool DsrOn(Link& link) { return (link.Port.GetModemStatus() & kModemDsr) != 0; }
bool CtsOn(Link& link) { return (link.Port.GetModemStatus() & kModemCts) != 0; }

std::string Hex(uint8_t byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

// Polls up to kAnswerPolls times, sleeping `pollMs` before each test. Returns the poll
// (1-based) at which a byte was read, 0 if none came.
int PollForByte(Link& link, int pollMs, uint8_t& byte)
{
    for (int poll = 1; poll <= kAnswerPolls; ++poll) {
        link.Host.Sleep(pollMs);
        if (link.Port.InputCount() > 0) {
            byte = link.Port.ReadByte();
            return poll;
        }
    }
    return 0;
}

}  // namespace

bool WaitSent(Link& link, int code)
{
    for (int waits = 0;; ++waits) {
        if (!link.Port.WritePending())
            return true;
        if (waits >= kSentMaxWaits) {
            Diagnose(link.Params.SelectedPort + ": a written byte did not leave the PC (code "
                     + std::to_string(code) + ")");
            Fail(link, Fill(Tr("Link", "Daten senden konnte nicht ausgeführt werden!  Fehlercode %1"
                                       "\n\n             Datenübertragung abgebrochen!"),
                            {std::to_string(code)}),
                 Outcome::PortFailed);
            return false;
        }
        link.Host.Sleep(kSentPollMs);
    }
}

bool PingBoard(Link& link)
{
    link.Port.PurgeInput();
    link.Port.WriteByte(BoardByte::Ping);
    if (!WaitSent(link, LinkCode::PingSent))
        return false;
    link.Host.Sleep(kPingFirstPollMs);
    uint8_t answer = 0;
    const int poll = PollForByte(link, kPingPollMs, answer);
    if (poll > 0 && poll <= kAnswerInTime && answer == BoardByte::Ping)
        return true;
    if (poll == 0)
        Diagnose("ping: expected " + Hex(BoardByte::Ping) + ", received nothing");
    else if (answer != BoardByte::Ping)
        Diagnose("ping: expected " + Hex(BoardByte::Ping) + ", received " + Hex(answer));
    else
        Diagnose("ping: " + Hex(answer) + " came too late (poll " + std::to_string(poll) + ")");
    Fail(link, Tr("Link", "     Gerät antwortet nicht!\n\nMögliche Gründe, z.B.:\nTest-Jumper auf Platine vergessen.\n"
                          "Netzkabel nicht entfernt.\nNoch keine Firmware geladen."));
    return false;
}

bool ResetOn(Link& link)
{
    link.Port.SetDTR();
    link.Params.ResetLineOn = 1;
    link.Host.Sleep(kLineAnswerMs);
    if (DsrOn(link)) {
        link.Host.PaintResetPanel(true);
        return true;
    }
    link.Host.PaintResetPanel(false);
    FailLine(link, Tr("Link", "Keine Rückmeldung vom \"Reset\"-Befehl \"ein\" erhalten!\n\n        Datenübertragung abgebrochen!"));
    return false;
}

bool ResetOff(Link& link)
{
    link.Port.ClearDTR();
    link.Params.ResetLineOn = 0;
    link.Host.Sleep(kLineAnswerMs);
    if (!DsrOn(link)) {
        link.Host.PaintResetPanel(false);
        return true;
    }
    link.Host.PaintResetPanel(true);
    FailLine(link, Tr("Link", "Keine Rückmeldung vom \"Reset\"-Befehl \"aus\" erhalten!\n\n        Datenübertragung abgebrochen!"));
    return false;
}

SessionResult StartSession(Link& link)
{
    if (!ResetOn(link))
        return SessionResult::ResetFailed;
    link.Host.Sleep(kResetPulseMs);
    if (!ResetOff(link))
        return SessionResult::ResetFailed;
    link.Host.Sleep(kAfterResetMs);
    if (!PingBoard(link))
        return SessionResult::PingFailed;
    return SessionResult::Ok;
}

bool ModeOn(Link& link)
{
    link.Port.SetRTS();
    link.Params.ModeLineOn = 1;
    link.Host.Sleep(kLineAnswerMs);
    if (CtsOn(link)) {
        link.Host.PaintModePanel(true);
        return true;
    }
    link.Host.PaintModePanel(false);
    FailLine(link, Tr("Link", "Keine Rückmeldung vom \"Mode\"-Befehl erhalten!\n\n        Datenübertragung abgebrochen!"));
    return false;
}

void ModeOff(Link& link)
{
    link.Port.ClearRTS();
    link.Params.ModeLineOn = 0;
    link.Host.Sleep(kLineAnswerMs);
    if (CtsOn(link)) {
        link.Host.PaintModePanel(true);
        return;
    }
    link.Host.PaintModePanel(false);
    link.Host.Sleep(kModeOffSettleMs);
}

bool SendEchoed(Link& link, uint8_t byte, int pollMs, int waitCode, int wrongCode, int timeoutCode)
{
    link.Port.WriteByte(byte);
    if (!WaitSent(link, waitCode))
        return false;
    uint8_t echo = 0;
    const int poll = PollForByte(link, pollMs, echo);
    if (poll > 0 && echo != byte) {
        Diagnose("echo: expected " + Hex(byte) + ", received " + Hex(echo));
        ReportLinkError(link, LinkCode::WrongByte, wrongCode);
        return false;
    }
    if (poll == 0 || poll > kAnswerInTime) {
        Diagnose("echo: expected " + Hex(byte) + ", received "
                 + (poll == 0 ? std::string("nothing") : Hex(echo) + " too late (poll " + std::to_string(poll) + ")"));
        ReportLinkError(link, LinkCode::Timeout, timeoutCode);
        return false;
    }
    return true;
}

void ReportLinkError(Link& link, int kind, int code)
{
    std::string text;
    switch (kind) {
    case LinkCode::WrongByte: text = Tr("Link", "Datenübertragungsfehler!  Fehlercode %1\n\nFalsches Antwortbyte."); break;
    case LinkCode::Timeout: text = Tr("Link", "Datenübertragungsfehler!  Fehlercode %1\n\nZeitüberschreitung."); break;
    case LinkCode::WrongConfirmation: text = Tr("Link", "Programmierfehler!  Fehlercode %1\n\nFalsches Bestätigungsbyte."); break;
    default: text = Tr("Link", "Programmierfehler!  Fehlercode %1\n\nZeitüberschreitung."); break;
    }
    Fail(link, Fill(text, {std::to_string(code)}));
}

namespace {

// Stands in front of the window's port events for the length of one exchange and
// notes whether a line error was reported, whoever reported it (the exchange's own
// InputCount, or the port's watcher through the window's message queue).
class ExchangeEvents : public PortEventsForwarder {
public:
    ExchangeEvents(Link& link) : link_(link), outer_(link.Port.Events()) { link_.Port.SetEvents(this); }
    ~ExchangeEvents() override { link_.Port.SetEvents(outer_); }
    ExchangeEvents(const ExchangeEvents&) = delete;
    ExchangeEvents& operator=(const ExchangeEvents&) = delete;

    void OnLineError(const std::string& what) override
    {
        link_.LineError = true;
        PortEventsForwarder::OnLineError(what);
    }

private:
    PortEvents* Receiver() const override { return outer_; }

    Link& link_;
    PortEvents* outer_;
};

}  // namespace

Outcome RunExchange(Link& link, const std::function<Outcome()>& body, const std::function<void()>& failurePath)
{
    link.LineError = false;
    link.Failure = Outcome::BoardFailed;
    ExchangeEvents events(link);
    Outcome outcome = Outcome::PortFailed;
    try {
        return body();
    } catch (const ELineError& e) {
        Diagnose(link.Params.SelectedPort + ": " + e.what());
        outcome = Outcome::LineError;
    } catch (const EComError& e) {
        Diagnose(link.Params.SelectedPort + ": " + e.what());
        // After a line error the window has shown its message and closed the port;
        // the failing call that followed is part of the same failure.
        if (!link.LineError)
            Fail(link, Fill(Tr("Link", "ComPortError:  %1 !"), {link.Params.SelectedPort}), Outcome::PortFailed);
        outcome = dynamic_cast<const EInterrupted*>(&e) ? Outcome::Interrupted
                  : link.LineError                       ? Outcome::LineError
                                                         : Outcome::PortFailed;
    }
    if (failurePath)
        failurePath();
    return outcome;
}

void ConfirmLine(Link& link)
{
    link.Port.InputCount();
    if (link.LineError)
        throw ELineError("reported during the exchange");
}

void ShowLinkError(LinkHost& host, const std::string& text)
{
    host.Messages().Beep();
    host.Messages().Error(text);
}

void RestoreAfterFailure(LinkHost& host, bool editorControls)
{
    host.SetProgress(0);
    host.SetStatus("");
    host.EnableLinkControls(true);
    host.EnableEditorControls(editorControls);
}
