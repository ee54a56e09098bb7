#include "service_clear.h"
#include "translation.h"

#include "link.h"

#include <algorithm>

namespace {
inline constexpr const char* kWrongByteMessage =
    QT_TRANSLATE_NOOP("Link", "   Programmierfehler!\n\nFalsches Bestätigungsbyte.");
inline constexpr const char* kTimeoutMessage = QT_TRANSLATE_NOOP("Link", "Programmierfehler!\n\nZeitüberschreitung.");
}  // namespace

Outcome RunClearCommand(const ClearCommand& command, SerialPort& port, TransferHost& host,
                     ParameterSet& params)
{
    Link link{port, host, params};
    Dialogs& dialogs = host.Messages();

    auto cleanUp = [&] {
        RestoreAfterFailure(host, params.DataPresent != 0);
        return link.Failure;
    };
    auto fail = [&](const char* message) {
        ShowLinkError(host, Tr("Link", message));
        link.Failure = Outcome::BoardFailed;
        return cleanUp();
    };

    return RunExchange(link, [&] {
        if (!PingBoard(link)) return link.Failure;
        dialogs.Beep();
        if (!dialogs.ConfirmOk(Tr("Link", "löschen ausführen?"))) return Outcome::Declined;

        host.EnableLinkControls(false);
        host.EnableEditorControls(false);
        port.PurgeInput();

        port.WriteByte(BoardByte::Command);
        if (!WaitSent(link, command.FirstWaitCode)) return cleanUp();
        port.WriteByte(command.CommandByte);
        if (!WaitSent(link, command.FirstWaitCode + 1)) return cleanUp();

        host.SetProgress(0);
        host.SetStatus(Tr("Link", command.RunningStatus));

        // The board's echoes of 0xA5 and the command byte count as polls.
        int n = 0;
        while (n < command.Polls) {
            host.Sleep(kClearPollMs);
            if (port.InputCount() > 0) {
                uint8_t b = port.ReadByte();
                if (b == BoardByte::Done) break;
                if (b != BoardByte::Command && b != command.CommandByte) return fail(kWrongByteMessage);
                ++n;
                continue;
            }
            if (n > 0) {
                host.SetProgress(std::min(100, n * 100 / command.AcceptedPolls));
                if (command.KeepWindowAlive) host.ProcessMessages();
            }
            ++n;
        }
        if (n > command.AcceptedPolls) return fail(kTimeoutMessage);
        ConfirmLine(link);

        host.SetProgress(100);
        host.SetStatus(Tr("Link", command.DoneStatus));
        host.EnableLinkControls(true);
        host.EnableEditorControls(params.DataPresent != 0);
        dialogs.Beep();
        return Outcome::Done;
    }, cleanUp);
}

Outcome BetriebsZeitLoeButtonClick(SerialPort& port, TransferHost& host, ParameterSet& params)
{
    return RunClearCommand(kClearOperatingTime, port, host, params);
}

Outcome FehlerSpeicherLoeButtonClick(SerialPort& port, TransferHost& host, ParameterSet& params)
{
    return RunClearCommand(kClearFaultMemory, port, host, params);
}

Outcome KennungLoeButtonClick(SerialPort& port, TransferHost& host, ParameterSet& params)
{
    return RunClearCommand(kClearIdentity, port, host, params);
}
