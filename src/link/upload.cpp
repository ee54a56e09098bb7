#include "upload.h"
#include "translation.h"

#include <cstdio>
#include <optional>

namespace {

using namespace Upload;

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
            if (link.Port.ReadByte() == BoardByte::Done) break;
            ReportLinkError(link, 3, 7);
            return false;
        }
        if (k > 0) {
            if (keepWindowAlive) link.Host.ProcessMessages();
            link.Host.SetProgress(std::min(100, k * 100 / kStoreAccepted));
        }
        ++k;
    }
    if (k > kStoreAccepted) {
        ReportLinkError(link, 4, 8);
        return false;
    }
    return true;
}

bool SendenButtonClick(SerialPort& port, TransferHost& host, ParameterSet& params)
{
    Link link{port, host, params};
    Dialogs& dialogs = host.Messages();

    auto cleanUp = [&] { RestoreAfterFailure(host, true); };
    auto fail = [&](const char* message) {
        ShowLinkError(host, Tr("Link", message));
        cleanUp();
    };

    bool done = false;
    RunExchange(link, [&] {
        SessionResult session = StartSession(link);
        if (session == SessionResult::ResetFailed) return cleanUp();
        if (session == SessionResult::PingFailed) return;

        if (!params.DataPresent) {
            dialogs.Beep();
            dialogs.Information(Tr("Link", kNotLoadedMessage));
            return;
        }
        dialogs.Beep();
        if (!dialogs.ConfirmOk(Tr("Link", "Daten übertragen?"))) return;

        host.EnableLinkControls(false);
        host.EnableEditorControls(false);

        port.WriteByte(BoardByte::Command);
        if (!WaitSent(link, 2)) return cleanUp();
        host.Sleep(10);
        port.PurgeInput();
        port.WriteByte(BoardByte::Upload);
        if (!WaitSent(link, 3)) return cleanUp();
        host.Sleep(10);

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
                if (!SendEchoed(link, uint8_t(c), 1, 4, 1, 2)) return cleanUp();
            if (!SendEchoed(link, BoardByte::FieldEnd, 1, 5, 3, 4)) return cleanUp();
            if (i > 0) {
                host.ProcessMessages();
                host.SetProgress(100 * i / kValueCount);
            }
            host.Sleep(kAfterValueMs);
        }
        if (!SendEchoed(link, BoardByte::DataEnd, 10, 6, 5, 6)) return cleanUp();

        host.SetProgress(0);
        host.SetStatus(Tr("Link", "Programmierung"));
        if (!WaitForStored(link, true)) return cleanUp();
        ConfirmLine(link);

        host.SetProgress(100);
        host.SetStatus(Tr("Link", "Programmiert"));
        host.Sleep(20);
        host.EnableLinkControls(true);
        host.EnableEditorControls(true);
        dialogs.Beep();
        host.Sleep(200);
        if (!ResetOn(link)) return cleanUp();
        host.Sleep(200);
        if (!ResetOff(link)) return cleanUp();
        done = true;
    }, cleanUp);
    return done;
}
