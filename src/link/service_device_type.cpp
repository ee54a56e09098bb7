#include "service_device_type.h"
#include "translation.h"

#include "link.h"
#include "upload.h"

using namespace LinkTiming;

std::string DeviceTypeFieldText(const ParameterSet& params)
{
    return std::to_string(int(params.DeviceType)) + "_";
}

Outcome Button1Click(SerialPort& port, TransferHost& host, ParameterSet& params)
{
    Link link{port, host, params};
    Dialogs& dialogs = host.Messages();

    auto cleanUp = [&] {
        RestoreAfterFailure(host, true);
        return link.Failure;
    };

    return RunExchange(link, [&] {
        if (!PingBoard(link)) return link.Failure;
        dialogs.Beep();
        if (!dialogs.ConfirmOk(Tr("Link", "Übertragung ausführen?"))) return Outcome::Declined;

        host.SetProgress(0);
        host.EnableLinkControls(false);
        host.EnableEditorControls(false);
        port.PurgeInput();

        port.WriteByte(BoardByte::Command);
        if (!WaitSent(link, LinkCode::CommandSent)) return cleanUp();
        host.Sleep(kCommandGapMs);
        port.PurgeInput();
        port.WriteByte(BoardByte::DeviceType);
        if (!WaitSent(link, LinkCode::UploadSent)) return cleanUp();
        host.Sleep(kCommandGapMs);

        host.SetStatus(Tr("Link", "Gerätetyp-Übertragung"));
        port.PurgeInput();

        std::string digits = std::to_string(int(params.DeviceType));
        for (char c : digits)
            if (!SendEchoed(link, uint8_t(c), kEchoPollMs, LinkCode::DigitSent, LinkCode::DigitWrong,
                            LinkCode::DigitMissing))
                return cleanUp();
        host.SetProgress(80);
        if (!SendEchoed(link, BoardByte::FieldEnd, kEchoPollMs, LinkCode::FieldEndSent, LinkCode::FieldEndWrong,
                        LinkCode::FieldEndMissing))
            return cleanUp();
        host.Sleep(kCommandGapMs);
        host.SetProgress(100);
        if (!SendEchoed(link, BoardByte::DataEnd, kDataEndPollMs, LinkCode::DataEndSent, LinkCode::DataEndWrong,
                        LinkCode::DataEndMissing))
            return cleanUp();

        if (!StoreAndFinish(link, false)) return cleanUp();
        return Outcome::Done;
    }, cleanUp);
}
