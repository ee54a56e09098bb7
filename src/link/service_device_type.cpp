#include "service_device_type.h"
#include "translation.h"

#include "link.h"
#include "upload.h"

std::string DeviceTypeFieldText(const ParameterSet& params)
{
    return std::to_string(int(params.DeviceType)) + "_";
}

bool Button1Click(SerialPort& port, TransferHost& host, ParameterSet& params)
{
    Link link{port, host, params};
    Dialogs& dialogs = host.Messages();

    auto cleanUp = [&] { RestoreAfterFailure(host, true); };

    bool done = false;
    RunExchange(link, [&] {
        if (!PingBoard(link)) return;
        dialogs.Beep();
        if (!dialogs.ConfirmOk(Tr("Link", "Übertragung ausführen?"))) return;

        host.SetProgress(0);
        host.EnableLinkControls(false);
        host.EnableEditorControls(false);
        port.PurgeInput();

        port.WriteByte(BoardByte::Command);
        if (!WaitSent(link, 2)) return cleanUp();
        host.Sleep(10);
        port.PurgeInput();
        port.WriteByte(BoardByte::DeviceType);
        if (!WaitSent(link, 3)) return cleanUp();
        host.Sleep(10);

        host.SetStatus(Tr("Link", "Gerätetyp-Übertragung"));
        port.PurgeInput();

        std::string digits = std::to_string(int(params.DeviceType));
        for (char c : digits)
            if (!SendEchoed(link, uint8_t(c), 1, 4, 1, 2)) return cleanUp();
        host.SetProgress(80);
        if (!SendEchoed(link, BoardByte::FieldEnd, 1, 5, 3, 4)) return cleanUp();
        host.Sleep(10);
        host.SetProgress(100);
        if (!SendEchoed(link, BoardByte::DataEnd, 10, 6, 5, 6)) return cleanUp();

        host.SetProgress(0);
        host.SetStatus(Tr("Link", "Programmierung"));
        if (!WaitForStored(link, false)) return cleanUp();
        ConfirmLine(link);

        host.SetProgress(100);
        host.SetStatus(Tr("Link", "Programmiert"));
        host.Sleep(20);
        host.EnableLinkControls(true);
        host.EnableEditorControls(true);
        dialogs.Beep();
        host.Sleep(200);
        done = true;
    }, cleanUp);
    return done;
}
