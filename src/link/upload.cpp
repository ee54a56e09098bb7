#include "upload.h"
#include "translation.h"

#include "diagnostics_sink.h"

#include <cstdio>
#include <optional>

namespace {

using namespace Upload;
using namespace LinkTiming;

inline constexpr const char* kNotLoadedMessage = QT_TRANSLATE_NOOP("Link", "Es wurden noch keine Daten geladen!");

std::string ValueText(int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", int(value));
    return text;
}

}  // namespace

std::string UploadFieldText(const ParameterSet& params)
{
    std::string text;
    for (int32_t value : params.Values) text += ValueText(value) + "_";
    return text;
}

bool WaitForStored(Link& link, bool keepWindowAlive)
{
    int k = 0;
    while (k < kStorePolls) {
        link.Host.Sleep(kStorePollMs);
        if (link.Port.InputCount() > 0) {
            const uint8_t answer = link.Port.ReadByte();
            if (answer == BoardByte::Done) break;
            Diagnose("storing: expected 0xAF, received " + std::to_string(answer));
            ReportLinkError(link, LinkCode::WrongConfirmation, LinkCode::StoredWrong);
            return false;
        }
        if (k > 0) {
            if (keepWindowAlive) link.Host.ProcessMessages();
            link.Host.SetProgress(std::min(100, k * 100 / kStoreAccepted));
        }
        ++k;
    }
    if (k > kStoreAccepted) {
        Diagnose("storing: expected 0xAF, received nothing in time (poll " + std::to_string(k) + ")");
        ReportLinkError(link, LinkCode::NoConfirmation, LinkCode::StoredMissing);
        return false;
    }
    return true;
}

bool StoreAndFinish(Link& link, bool keepWindowAlive)
{
    LinkHost& host = link.Host;
    host.SetProgress(0);
    host.SetStatus(Tr("Link", "Programmierung"));
    if (!WaitForStored(link, keepWindowAlive)) return false;
    ConfirmLine(link);

    host.SetProgress(100);
    host.SetStatus(Tr("Link", "Programmiert"));
    host.Sleep(kAfterStoredMs);
    host.EnableLinkControls(true);
    host.EnableEditorControls(true);
    host.Messages().Beep();
    host.Sleep(kBeforeRestartMs);
    return true;
}

Outcome SendenButtonClick(SerialPort& port, TransferHost& host, ParameterSet& params)
{
    Link link{port, host, params};
    Dialogs& dialogs = host.Messages();

    auto cleanUp = [&] {
        RestoreAfterFailure(host, true);
        return link.Failure;
    };
    auto fail = [&](const char* message) {
        ShowLinkError(host, Tr("Link", message));
        link.Failure = Outcome::BoardFailed;
        return cleanUp();
    };

    return RunExchange(link, [&] {
        SessionResult session = StartSession(link);
        if (session == SessionResult::ResetFailed) return cleanUp();
        if (session == SessionResult::PingFailed) return link.Failure;

        if (!params.DataPresent) {
            dialogs.Beep();
            dialogs.Information(Tr("Link", kNotLoadedMessage));
            return Outcome::Refused;
        }
        dialogs.Beep();
        if (!dialogs.ConfirmOk(Tr("Link", "Daten übertragen?"))) return Outcome::Declined;

        host.EnableLinkControls(false);
        host.EnableEditorControls(false);

        port.WriteByte(BoardByte::Command);
        if (!WaitSent(link, LinkCode::CommandSent)) return cleanUp();
        host.Sleep(kCommandGapMs);
        port.PurgeInput();
        port.WriteByte(BoardByte::Upload);
        if (!WaitSent(link, LinkCode::UploadSent)) return cleanUp();
        host.Sleep(kCommandGapMs);

        std::optional<uint8_t> version;
        for (int poll = 0; poll < kVersionPolls && !version; ++poll) {
            host.Sleep(kVersionPollMs);
            if (port.InputCount() > 0) version = port.ReadByte();
        }
        if (!version) return fail(kNoConfigVersionMessage);
        if (*version != params.ConfigVersion) return fail(kWrongConfigVersionMessage);

        host.ProcessMessages();
        host.SetProgress(0);
        host.SetStatus(Tr("Link", "Übertragung"));
        port.PurgeInput();

        for (int i = 0; i < kValueCount; ++i) {
            for (char c : ValueText(params.Values[i]))
                if (!SendEchoed(link, uint8_t(c), kEchoPollMs, LinkCode::DigitSent, LinkCode::DigitWrong,
                                LinkCode::DigitMissing))
                    return cleanUp();
            if (!SendEchoed(link, BoardByte::FieldEnd, kEchoPollMs, LinkCode::FieldEndSent, LinkCode::FieldEndWrong,
                            LinkCode::FieldEndMissing))
                return cleanUp();
            if (i > 0) {
                host.ProcessMessages();
                host.SetProgress(100 * i / kValueCount);
            }
            host.Sleep(kAfterValueMs);
        }
        if (!SendEchoed(link, BoardByte::DataEnd, kDataEndPollMs, LinkCode::DataEndSent, LinkCode::DataEndWrong,
                        LinkCode::DataEndMissing))
            return cleanUp();

        if (!StoreAndFinish(link, true)) return cleanUp();
        if (!ResetOn(link)) return cleanUp();
        host.Sleep(kResetPulseMs);
        if (!ResetOff(link)) return cleanUp();
        return Outcome::Done;
    }, cleanUp);
}
